#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/TFightKeeper.h"
#include "components/LogCategories.h"
#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "playerview/PlayerAccess.h"
#include "playerview/TPlayerViewHub.h"
#include "playerview/TPlayerViewWindow.h"
#include "playerview/TShareModule.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "settings/TNastaveni.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>

// The players' view: its window for a second screen and its sharing on the
// local network.

namespace mecovnik {

namespace {

// The page the phones load, from the program's resources.
QByteArray PlayerViewPage()
{
    QFile page(QStringLiteral(":/playerview/index.html"));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    return page.readAll();
}

// The system's source of secrets, never the clock-seeded generator.
void SystemRandomBytes(std::span<std::uint8_t> bytes)
{
    QRandomGenerator* random = QRandomGenerator::system();
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random->bounded(256u));
}

} // namespace

void TMainForm::CreatePlayerView()
{
    // The feed's versions start at the start time, so a page left open
    // across a restart takes the new run's views for new ones.
    const auto start = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    m_playerHub = std::make_unique<TPlayerViewHub>(*m_postavy, *m_nestvury, start);
    if (m_fight)
        connect(m_fight.get(), &TFightKeeper::RostersChanged, m_playerHub.get(),
                &TPlayerViewHub::Refresh);
    connect(m_playerHub.get(), &TPlayerViewHub::ViewChanged, this, &TMainForm::PublishPlayerView);
    // Shared the last time: once the window shows, so a port that cannot be
    // had is said above it.
    if (m_nastaveni.PlayerView.Share)
        QMetaObject::invokeMethod(
            this, [this] { SharePlayerView(true, m_nastaveni.PlayerView.Port); },
            Qt::QueuedConnection);
}

void TMainForm::PublishPlayerView()
{
    if (m_playerServer && m_playerHub)
        m_playerServer->Publish(m_playerHub->Feed().Json());
}

void TMainForm::Item_PohledProHraceClick()
{
    QAction& item = *m_ui->Item_PohledProHrace;
    if (!m_playerHub) {
        item.setChecked(false);
        return;
    }
    if (!item.isChecked()) {
        if (m_playerWindow) {
            CapturePlayerViewPlacement();
            m_playerWindow->hide();
        }
        return;
    }
    if (!m_playerWindow) {
        m_playerWindow = std::make_unique<TPlayerViewWindow>(*m_playerHub);
        // F12 closes it from the window itself too.
        m_playerWindow->addAction(&item);
        connect(m_playerWindow.get(), &TPlayerViewWindow::Closed, this, [this] {
            CapturePlayerViewPlacement();
            m_ui->Item_PohledProHrace->setChecked(false);
        });
        ShowPlayerViewLink();
    }
    m_playerWindow->Open(m_nastaveni.PlayerView.Window, m_nastaveni.PlayerView.FullScreen);
}

void TMainForm::CapturePlayerViewPlacement()
{
    if (!m_playerWindow || !m_playerWindow->isVisible())
        return;
    m_nastaveni.PlayerView.Window = m_playerWindow->Placement();
    m_nastaveni.PlayerView.FullScreen = m_playerWindow->FullScreen();
}

bool TMainForm::SharePlayerView(bool share, int port)
{
    TPlayerViewSettings& settings = m_nastaveni.PlayerView;
    settings.Share = share;
    settings.Port = std::clamp(port, kPlayerViewLowestPort, kPlayerViewHighestPort);
    if (!share) {
        m_playerServer.reset();
        ShowPlayerViewLink();
        return true;
    }
    if (!IsPlayerViewToken(settings.Token))
        settings.Token = MakePlayerViewToken(SystemRandomBytes);
    if (m_playerServer && m_playerServer->Port() == settings.Port)
        return true;
    m_playerServer.reset();
    if (!m_playerHub)
        return false;
    QString failure;
    TShareModule* module = ShareModule(failure);
    if (!module) {
        qCWarning(lcPlayers) << "The players' view is not shared:" << failure;
        ShowPlayerViewLink();
        ShowErrorMessage(QStringLiteral("Pohled pro hráče nelze sdílet v místní síti: chybí "
                                        "knihovna programu „%1“. Program pracuje dál.")
                             .arg(QDir::toNativeSeparators(m_services.ShareModule)));
        return false;
    }
    std::unique_ptr<TPlayerViewSharing> server =
        module->MakeServer(PlayerViewPage(), settings.Token, m_playerHub->Feed().Json());
    if (!server->Listen(static_cast<quint16>(settings.Port), failure)) {
        qCWarning(lcPlayers) << "The players' view is not shared:" << failure;
        ShowPlayerViewLink();
        ShowErrorMessage(QStringLiteral("Pohled pro hráče nelze sdílet v místní síti: %1. "
                                        "Zvolte jiný port v Nastavení programu, ve skupině "
                                        "„Pohled pro hráče“. Program pracuje dál.")
                             .arg(failure));
        return false;
    }
    m_playerServer = std::move(server);
    ShowPlayerViewLink();
    return true;
}

TShareModule* TMainForm::ShareModule(QString& reason)
{
    if (!m_share)
        m_share = LoadShareModule(m_services.ShareModule, reason);
    return m_share.get();
}

QString TMainForm::PlayerViewLink() const
{
    // A server is only made by a loaded module.
    if (!m_playerServer || !m_share)
        return {};
    return ToQString(mecovnik::PlayerViewLink(
        ToStdString(m_share->LinkAddress()), m_playerServer->Port(), m_nastaveni.PlayerView.Token));
}

QImage TMainForm::PlayerViewQrCode(const QString& link)
{
    QString reason;
    TShareModule* module = ShareModule(reason);
    return module ? module->QrCode(link) : QImage();
}

QString TMainForm::PlayerViewLinkNote() const
{
    if (!m_playerServer || !m_share || m_share->LinkAddress() != QStringLiteral("127.0.0.1"))
        return {};
    return QStringLiteral("Počítač není připojen k síti: odkaz zatím funguje jen na tomto "
                          "počítači.");
}

void TMainForm::ShowPlayerViewLink()
{
    if (!m_playerWindow)
        return;
    const QString link = PlayerViewLink();
    // The window makes the QR code anew only when the link changes.
    m_playerWindow->SetLink(link, PlayerViewLinkNote(),
                            [this](const QString& text) { return PlayerViewQrCode(text); });
}

} // namespace mecovnik
