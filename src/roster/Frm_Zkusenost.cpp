#include "roster/Frm_Zkusenost.h"

#include "ui_Frm_Zkusenost.h"

#include "components/DialogForm.h"
#include "components/ScreenCursor.h"

namespace mecovnik {

TZkusenostDialog::TZkusenostDialog(QWidget* owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::TZkusenostDialog>())
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    NameSpinEdit(*m_ui->UpDown_Zkusenost, QStringLiteral("Edit_Zkusenost"));
    m_ui->StaticText1->SetFocusControl(m_ui->UpDown_Zkusenost);
    connect(m_ui->Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TZkusenostDialog::~TZkusenostDialog() = default;

bool EnterNumber(QWidget* owner, const QString& caption, const QString& label, std::int16_t minimum,
                 std::int16_t maximum, int& value)
{
    ScreenCursor hourglass;
    TZkusenostDialog dialog(owner);
    dialog.setWindowTitle(caption);
    dialog.Form().StaticText1->SetCaption(label);
    // Minimum first, then maximum; the position stays 1 where the range allows.
    QSpinBox& upDown = *dialog.Form().UpDown_Zkusenost;
    upDown.setMinimum(minimum);
    upDown.setMaximum(maximum);
    hourglass.Restore();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = Position(upDown);
    return true;
}

} // namespace mecovnik
