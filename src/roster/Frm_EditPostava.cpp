#include "roster/Frm_EditPostava.h"

#include "ui_Frm_EditPostava.h"

#include "components/DialogForm.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "roster/TPostava.h"

namespace mecovnik {

TPostavaDialog::TPostavaDialog(QWidget* owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::TPostavaDialog>())
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    NameSpinEdit(*m_ui->UpDown_Zivoty, QStringLiteral("Edit_Zivoty"));
    NameSpinEdit(*m_ui->UpDown_MaxZivoty, QStringLiteral("Edit_MaxZivoty"));
    NameSpinEdit(*m_ui->UpDown_Vyrazeni, QStringLiteral("Edit_Vyrazeni"));
    m_ui->StaticText1->SetFocusControl(m_ui->Edit_Jmeno);
    m_ui->StaticText2->SetFocusControl(m_ui->UpDown_Zivoty);
    m_ui->StaticText3->SetFocusControl(m_ui->UpDown_MaxZivoty);
    m_ui->StaticText4->SetFocusControl(m_ui->UpDown_Vyrazeni);
    connect(m_ui->Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TPostavaDialog::~TPostavaDialog() = default;

void TPostavaDialog::LoadFrom(const TPostava& record)
{
    m_ui->Edit_Jmeno->setText(ToQString(record.Name));
    m_ui->UpDown_Zivoty->setValue(record.Lives);
    m_ui->UpDown_MaxZivoty->setValue(record.MaxLives);
    m_ui->UpDown_Vyrazeni->setValue(record.KnockOut);
}

void TPostavaDialog::StoreTo(TPostava& record)
{
    record.Name = ToStdString(m_ui->Edit_Jmeno->text());
    record.Lives = Position(*m_ui->UpDown_Zivoty);
    record.MaxLives = Position(*m_ui->UpDown_MaxZivoty);
    record.KnockOut = Position(*m_ui->UpDown_Vyrazeni);
}

namespace {

bool RunCharacterDialog(QWidget* owner, TPostava& record, const QString& caption)
{
    ScreenCursor hourglass;
    TPostavaDialog dialog(owner);
    dialog.LoadFrom(record);
    dialog.setWindowTitle(caption);
    hourglass.Restore();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreTo(record);
    return true;
}

} // namespace

bool EnterCharacter(QWidget* owner, TPostava& record)
{
    return RunCharacterDialog(owner, record, QStringLiteral("Nová postava"));
}

bool EditCharacterDialog(QWidget* owner, TPostava& record)
{
    return RunCharacterDialog(owner, record, QStringLiteral("Upravit postavu"));
}

} // namespace mecovnik
