#include "components/TAboutDialogForm.h"

#include "ui_AboutDialog.h"

#include "components/DialogForm.h"

namespace mecovnik {

TAboutDialogForm::TAboutDialogForm(QWidget* owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::TAboutDialogForm>())
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    // The product name and the copyright may hold a literal "&"; the version
    // line keeps the accelerator mark. The comment keeps its fixed frame.
    m_ui->ProductName->SetShowAccelChar(false);
    m_ui->Copyright->SetShowAccelChar(false);
    m_ui->Comments->SetAutoSize(false);
    m_ui->Comments->SetWordWrap(true);
    // The placeholder caption sized the label while it was made; its frame is fixed.
    m_ui->Comments->setGeometry(8, 109, 345, 39);
    // OK is both the default and the cancel button: Escape ends with OK too.
    connect(m_ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutDialogForm::~TAboutDialogForm() = default;

} // namespace mecovnik
