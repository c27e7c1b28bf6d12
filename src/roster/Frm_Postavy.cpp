#include "roster/Frm_Postavy.h"

namespace mecovnik {

TPostavyWindow::TPostavyWindow(QWidget* parent) : TObjektWindow(parent)
{
    setObjectName(QStringLiteral("PostavyWindow"));
    setWindowTitle(QStringLiteral("Postavy"));
    SetSections({QStringLiteral("Jméno"), QStringLiteral("Životy"), QStringLiteral("Zkušenost"),
                 QStringLiteral("Nepřidělená zkušenost")});
}

TPostavyWindow::~TPostavyWindow() = default;

} // namespace mecovnik
