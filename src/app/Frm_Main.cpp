#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/Frm_Prostredi.h"
#include "app/HelpFileName.h"
#include "app/MainFormFightFiles.h"
#include "app/TFightKeeper.h"
#include "app/UserMessages.h"
#include "components/MessageBoxes.h"
#include "components/ProgramWindows.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "history/TClock.h"
#include "platform/FormPlacement.h"
#include "platform/THelpSystem.h"
#include "platform/TPrintModule.h"
#include "playerview/TPlayerViewHub.h"
#include "playerview/TPlayerViewWindow.h"
#include "playerview/TShareModule.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TRandom.h"
#include "settings/TNastaveni.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>

#include <stdexcept>

namespace mecovnik {

TMainForm::TMainForm(TNastaveni& nastaveni, TMainFormServices services, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::TMainForm>()), m_nastaveni(nastaveni),
      m_services(std::move(services))
{
    if (!m_services.NameOrder || !m_services.Resources)
        throw std::invalid_argument("TMainForm: the name order and the resources are required");
    // The font comes before the window's controls, so that they are laid out
    // in it from the start and no other font is ever loaded for them.
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    m_ui->setupUi(this);
    CreateComponents();
    // The guard acts as soon as its properties are set: a second copy goes no further.
    if (SecondCopy())
        return;
    setWindowFlag(Qt::WindowContextHelpButtonHint);
    m_ui->MdiArea->setActivationOrder(QMdiArea::CreationOrder);
    // A roster partly outside the document area stays within reach.
    m_ui->MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_ui->MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SetMessageBoxOwner(this);

    // A menu's hint and help context belong to the item that opens it.
    for (QMenu* menu : findChildren<QMenu*>()) {
        menu->menuAction()->setStatusTip(menu->statusTip());
        menu->menuAction()->setProperty(kHelpContext, menu->property(kHelpContext));
        menu->setToolTipsVisible(false);
    }

    m_toolbarPopup = new QMenu(this);
    m_toolbarPopup->setObjectName(QStringLiteral("ToolbarPopup"));
    m_toolbarPopup->setProperty(kHelpContext, 9);
    m_commandUpdates = new QObject(this);
    m_commandUpdates->setObjectName(QStringLiteral("CommandUpdates"));

    statusBar()->setFixedHeight(19);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->installEventFilter(this);
    m_hintTimer.setObjectName(QStringLiteral("HintTimer"));
    connect(&m_hintTimer, &QTimer::timeout, this, &TMainForm::HintTimerTimer);

    ConnectCommands();
    SetUpFightFiles();
    SetupToolbar();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableSize() * 3 / 4);

    FormCreate();
}

TMainForm::~TMainForm()
{
    // FormDestroy: close the help window that the program opened.
    if (m_helpUsed && m_services.Help)
        m_services.Help->Execute(m_helpFile, HELP_QUIT, 0);
}

void TMainForm::FormCreate()
{
    if (!CheckWindowsVersion())
        return;
    m_helpFile = ToQString(HelpFileFor(ToStdString(m_services.ProgramFile)));
    qApp->installEventFilter(this);
    if (m_services.MakeRandom)
        m_random = m_services.MakeRandom();
    QEvent load(UM_LOADCONFIGURATION);
    QCoreApplication::sendEvent(this, &load);
    for (QEvent::Type type : {UM_UPDATECOMMANDS, UM_SHOWCREDITS, UM_ARRANGEWINDOWS})
        QCoreApplication::postEvent(this, new QEvent(type));
}

bool TMainForm::CheckWindowsVersion()
{
    const auto version =
        m_services.QueryVersion ? m_services.QueryVersion() : std::optional<TOsVersionInfo>{};
    if (IsSupportedSystemVersion(version))
        return true;
    ShowErrorMessage(QStringLiteral("Mečovník vyžaduje alespoň Windows 95 nebo Windows NT 3.51."));
    m_startupRejected = true;
    return false;
}

void TMainForm::CreateRosterWindows()
{
    // Made inside the document area, so that adding them moves them nowhere
    // (a move would lay out their title bars once more).
    const TNameOrder& order = *m_services.NameOrder;
    m_nestvury = new TNestvuryWindow(order, m_ui->MdiArea->viewport());
    m_ui->MdiArea->addSubWindow(m_nestvury);
    m_nestvury->show();
    if (m_random)
        m_nestvury->Attach(m_nastaveni.MonsterPresets, *m_random);
    m_postavy = new TPostavyWindow(order, m_ui->MdiArea->viewport());
    m_ui->MdiArea->addSubWindow(m_postavy);
    m_postavy->show();
    m_ui->MdiArea->setActiveSubWindow(m_postavy);
    SetRosterZoom(m_nastaveni.FontPercent);
    ConnectRosterHand(*m_postavy, TContextMenu::Characters);
    ConnectRosterHand(*m_nestvury, TContextMenu::Monsters);
    // Queued, as a posted message: the commands follow the rosters once the
    // change that moved them is over.
    for (TObjektWindow* roster :
         {static_cast<TObjektWindow*>(m_nestvury), static_cast<TObjektWindow*>(m_postavy)}) {
        connect(
            roster, &TObjektWindow::RowsChanged, m_commandUpdates, [this] { UpdateCommands(); },
            Qt::QueuedConnection);
        connect(
            roster, &TObjektWindow::SelectionChanged, m_commandUpdates,
            [this] { UpdateCommands(); }, Qt::QueuedConnection);
    }
    AttachFight();
    CreatePlayerView();
}

QMdiArea* TMainForm::MdiArea() const
{
    return m_ui->MdiArea;
}

QString TMainForm::CreditLine()
{
    return QStringLiteral("Mečovník pro Hradomor, © 1997 Ferdax. Všechna práva vyhrazena.");
}

bool TMainForm::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == UM_LOADCONFIGURATION)
        LoadConfiguration();
    else if (type == UM_UPDATECOMMANDS)
        UpdateCommands();
    else if (type == UM_SHOWCREDITS)
        ShowStatusMessage(CreditLine(), 10);
    else if (type == UM_ARRANGEWINDOWS)
        ArrangeWindows();
    else if (type == QEvent::StatusTip)
        AppHint(static_cast<QStatusTipEvent*>(event)->tip());
    else
        return QMainWindow::event(event);
    return true;
}

void TMainForm::ArrangeWindows()
{
    Item_Okno_VTileClick();
    if (m_postavy)
        m_postavy->ResetColumnWidths();
    if (m_nestvury)
        m_nestvury->ResetColumnWidths();
}

// ---- status bar ----

void TMainForm::ShowStatusMessage(const QString& text, int seconds)
{
    if (text.isEmpty()) {
        ClearStatusMessage();
        return;
    }
    m_hintTimer.stop();
    statusBar()->showMessage(text);
    if (seconds != 0) {
        m_hintTimer.setInterval(seconds * 1000);
        m_hintTimer.start();
    }
}

void TMainForm::ClearStatusMessage()
{
    m_hintTimer.stop();
    statusBar()->clearMessage();
}

void TMainForm::HintTimerTimer()
{
    ClearStatusMessage();
}

void TMainForm::AppHint(const QString& hint)
{
    // Only the long part of a two-part hint belongs in the status bar.
    const qsizetype bar = hint.indexOf(u'|');
    ShowStatusMessage(bar < 0 ? hint : hint.mid(bar + 1), 0);
}

void TMainForm::StatusBarDblClick()
{
    if (m_hintTimer.isActive())
        ClearStatusMessage();
}

// ---- configuration ----

void TMainForm::LoadConfiguration()
{
    ShowStatusMessage(QStringLiteral("Probíhá načítání konfigurace"), 0);
    const bool loaded = m_nastaveni.Load();
    FillRecentFights();
    if (!loaded) {
        ClearStatusMessage();
        return;
    }
    ApplyToolbarState();
    m_ui->Item_AutomatickyUkladatNastaveni->setChecked(m_nastaveni.AutoSave);
    ApplyFormPlacement(m_nastaveni.MainWindow, *this);
    ClearStatusMessage();
}

bool TMainForm::SaveConfiguration()
{
    ShowStatusMessage(QStringLiteral("Probíhá ukládání konfigurace"), 0);
    CaptureToolbarState();
    CaptureFormPlacement(m_nastaveni.MainWindow, *this);
    CapturePlayerViewPlacement();
    const bool saved = m_nastaveni.Save();
    if (!saved)
        ShowErrorMessage(QStringLiteral("Chyba při ukládání konfigurace do registry."));
    ClearStatusMessage();
    return saved;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A failed save has been reported; the window closes all the same.
    if (m_nastaveni.AutoSave)
        SaveConfiguration();
    event->accept();
}

void TMainForm::Item_AutomatickyUkladatNastaveniClick()
{
    m_nastaveni.AutoSave = !m_nastaveni.AutoSave;
    m_ui->Item_AutomatickyUkladatNastaveni->setChecked(m_nastaveni.AutoSave);
}

void TMainForm::Item_UlozitNastaveniClick()
{
    if (SaveConfiguration())
        ShowStatusMessage(QStringLiteral("Nastavení bylo uloženo do registry."), 10);
}

void TMainForm::Item_PrintSetupClick()
{
    TPrintModule* print = PrintModule(QStringLiteral("Nastavení tiskárny nelze otevřít"));
    if (!print)
        return;
    const std::unique_ptr<QDialog> dialog = print->PageSetupDialog(this);
    dialog->setWindowModality(Qt::WindowModal);
    OpenAboveCurrentWindow(*dialog);
    dialog->exec();
}

void TMainForm::Item_QuitClick()
{
    close();
}

void TMainForm::Item_NastaveniProstrediClick()
{
    ScreenCursor hourglass;
    TProstrediDialog dialog(*this);
    hourglass.Restore();
    dialog.exec();
}

} // namespace mecovnik
