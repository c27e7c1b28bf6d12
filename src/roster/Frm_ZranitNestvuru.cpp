#include "roster/Frm_ZranitNestvuru.h"

#include "ui_Frm_ZranitNestvuru.h"

#include "components/DialogForm.h"
#include "components/ScreenCursor.h"
#include "components/TAdvancedListBox.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TObjekt.h"

namespace mecovnik {

TZranitNestvuruDialog::TZranitNestvuruDialog(QWidget* owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::TZranitNestvuruDialog>())
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    NameSpinEdit(*m_ui->UpDown_Zraneni, QStringLiteral("Edit_Zraneni"));
    m_ui->StaticText1->SetFocusControl(m_ui->UpDown_Zraneni);
    connect(m_ui->Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TZranitNestvuruDialog::~TZranitNestvuruDialog() = default;

std::optional<TWound> WoundMonster(QWidget* owner, TNestvuryWindow& monsters,
                                   TPostavyWindow& characters)
{
    ScreenCursor hourglass;
    TZranitNestvuruDialog dialog(owner);
    hourglass.Restore();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // The selections at the moment of OK decide who is involved.
    const int damage = Position(*dialog.Form().UpDown_Zraneni);
    const TObjekt* monster = monsters.Active();
    std::optional<TWound> wound;
    if (monster)
        wound = TWound{monster->Name, monster->Lives, 0};
    const std::int32_t experience = monsters.WoundActive(damage);
    if (wound)
        wound->LivesAfter = monster->Lives;
    characters.AddExperience(characters.ListBox()->ItemIndex(), experience);
    return wound;
}

} // namespace mecovnik
