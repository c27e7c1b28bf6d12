#include "roster/Frm_Nestvury.h"

namespace mecovnik {

TNestvuryWindow::TNestvuryWindow(QWidget* parent) : TObjektWindow(parent)
{
    setObjectName(QStringLiteral("NestvuryWindow"));
    setWindowTitle(QStringLiteral("Nestvůry"));
    SetSections({QStringLiteral("Jméno"), QStringLiteral("Životy"),
                 QStringLiteral("Zkušenost za zabití")});
}

TNestvuryWindow::~TNestvuryWindow() = default;

} // namespace mecovnik
