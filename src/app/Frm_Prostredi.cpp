#include "app/Frm_Prostredi.h"

#include "ui_Frm_Prostredi.h"

#include "app/Frm_Main.h"
#include "components/DialogForm.h"
#include "roster/RosterZoom.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"

#include <QImage>
#include <QPixmap>

#include <algorithm>

namespace mecovnik {

TProstrediDialog::TProstrediDialog(TMainForm& mainForm)
    : QDialog(&mainForm), m_ui(std::make_unique<Ui::TProstrediDialog>()), m_mainForm(mainForm)
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    // The platform's sans-serif is wider than the font the boxes were laid
    // out for: a caption that would be cut gets the room the group has.
    for (QCheckBox* box : {m_ui->cb_ToolbarVisible, m_ui->cb_ToolbarShowHints}) {
        const int room = box->parentWidget()->width() - box->x() - 8;
        box->resize(std::clamp(box->sizeHint().width(), box->width(), std::max(room, box->width())),
                    box->height());
    }
    // A check box's state change is its click, also when set by program: that
    // is why loading disables "Použít" last.
    connect(m_ui->cb_ToolbarVisible, &QCheckBox::toggled, this,
            &TProstrediDialog::SomethingChanged);
    connect(m_ui->cb_ToolbarShowHints, &QCheckBox::toggled, this,
            &TProstrediDialog::SomethingChanged);
    m_ui->StaticText_VelikostPisma->SetFocusControl(m_ui->Combo_VelikostPisma);
    connect(m_ui->Combo_VelikostPisma, &QComboBox::currentIndexChanged, this,
            &TProstrediDialog::SomethingChanged);
    SetupPlayerViewGroup();
    connect(m_ui->OKBtn, &QPushButton::clicked, this, &TProstrediDialog::OKBtnClick);
    connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->BtnApply, &QPushButton::clicked, this, &TProstrediDialog::BtnApplyClick);
    FormCreate();
}

TProstrediDialog::~TProstrediDialog() = default;

void TProstrediDialog::FormCreate()
{
    LoadFromMainForm();
    m_ui->PageControl->setCurrentWidget(m_ui->Page_MainWindow);
}

void TProstrediDialog::LoadFromMainForm()
{
    const TToolbar* toolbar = m_mainForm.MainToolbar();
    m_ui->cb_ToolbarVisible->setChecked(toolbar && !toolbar->isHidden());
    m_ui->cb_ToolbarShowHints->setChecked(toolbar && toolbar->ShowHint());
    // The steps, and a size kept between them where the store had one.
    QComboBox& sizes = *m_ui->Combo_VelikostPisma;
    sizes.clear();
    const int current = m_mainForm.RosterZoom();
    for (const int step : kZoomSteps) {
        if (current > sizes.itemData(sizes.count() - 1).toInt() && current < step)
            sizes.addItem(QStringLiteral("%1 %").arg(current), current);
        sizes.addItem(QStringLiteral("%1 %").arg(step), step);
    }
    sizes.setCurrentIndex(sizes.findData(current));
    const TPlayerViewSettings& playerView = m_mainForm.Configuration().PlayerView;
    m_ui->cb_SharePlayerView->setChecked(playerView.Share);
    m_ui->Edit_PlayerViewPort->setValue(playerView.Port);
    ShowPlayerViewLink();
    m_ui->BtnApply->setEnabled(false);
}

void TProstrediDialog::ApplyToMainForm()
{
    m_mainForm.SetToolbarVisible(m_ui->cb_ToolbarVisible->isChecked());
    if (TToolbar* toolbar = m_mainForm.MainToolbar())
        toolbar->SetShowHint(m_ui->cb_ToolbarShowHints->isChecked());
    if (const QVariant size = m_ui->Combo_VelikostPisma->currentData(); size.isValid())
        m_mainForm.SetRosterZoom(size.toInt());
    m_mainForm.SharePlayerView(m_ui->cb_SharePlayerView->isChecked(),
                               m_ui->Edit_PlayerViewPort->Position());
    ShowPlayerViewLink();
}

void TProstrediDialog::SetupPlayerViewGroup()
{
    m_ui->Label_PlayerViewPort->SetFocusControl(m_ui->Edit_PlayerViewPort);
    m_ui->Label_PlayerViewQr->setStyleSheet(QStringLiteral("background: white"));
    connect(m_ui->cb_SharePlayerView, &QCheckBox::toggled, this,
            &TProstrediDialog::SomethingChanged);
    connect(m_ui->Edit_PlayerViewPort, &QSpinBox::valueChanged, this,
            &TProstrediDialog::SomethingChanged);
}

void TProstrediDialog::ShowPlayerViewLink()
{
    const QString link = m_mainForm.PlayerViewLink();
    if (link.isEmpty()) {
        m_ui->Label_PlayerViewLink->setText(
            m_mainForm.Configuration().PlayerView.Share
                ? QStringLiteral("Pohled se nyní nesdílí: zvolený port nelze použít.")
                : QStringLiteral("Sdílení je vypnuté. Po zapnutí se zde ukáže odkaz, který hráči "
                                 "otevřou v telefonu připojeném ke stejné síti."));
        m_ui->Label_PlayerViewQr->clear();
        m_ui->Label_PlayerViewQr->setVisible(false);
        return;
    }
    const QString note = m_mainForm.PlayerViewLinkNote();
    m_ui->Label_PlayerViewLink->setText(
        QStringLiteral("Hráči otevřou v telefonu připojeném ke stejné síti odkaz:\n") + link +
        (note.isEmpty() ? QString() : QStringLiteral("\n\n") + note));
    const QImage code = m_mainForm.PlayerViewQrCode(link);
    const int side = m_ui->Label_PlayerViewQr->width();
    const int scale = code.isNull() ? 1 : std::max(side / code.width(), 1);
    m_ui->Label_PlayerViewQr->setPixmap(QPixmap::fromImage(code.scaled(
        code.width() * scale, code.height() * scale, Qt::KeepAspectRatio, Qt::FastTransformation)));
    m_ui->Label_PlayerViewQr->setVisible(true);
}

void TProstrediDialog::SomethingChanged()
{
    m_ui->BtnApply->setEnabled(true);
}

void TProstrediDialog::OKBtnClick()
{
    ApplyToMainForm();
    accept();
}

void TProstrediDialog::BtnApplyClick()
{
    ApplyToMainForm();
    m_ui->BtnApply->setEnabled(false);
}

} // namespace mecovnik
