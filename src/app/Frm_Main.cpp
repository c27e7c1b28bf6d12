#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/HelpFileName.h"
#include "app/UserMessages.h"
#include "app/WindowTiling.h"
#include "components/MessageBoxes.h"
#include "components/TAdvancedListBox.h"
#include "persistence/FormPlacement.h"
#include "persistence/TNastaveni.h"
#include "platform/THelpSystem.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/Frm_Zkusenost.h"
#include "roster/Frm_ZranitNestvuru.h"
#include "roster/TRandom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QWhatsThis>

namespace mecovnik {

namespace {

const char* const kHelpContext = "helpContext";

QString FromStd(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TMainForm::TMainForm(TNastaveni& nastaveni, TMainFormServices services, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::TMainForm>()), m_nastaveni(nastaveni),
      m_services(std::move(services))
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    m_ui->MdiArea->setActivationOrder(QMdiArea::CreationOrder);

    // A menu's hint and help context belong to the item that opens it.
    for (QMenu* menu : findChildren<QMenu*>()) {
        menu->menuAction()->setStatusTip(menu->statusTip());
        menu->menuAction()->setProperty(kHelpContext, menu->property(kHelpContext));
        menu->setToolTipsVisible(false);
    }

    m_toolbarPopup = new QMenu(this);
    m_toolbarPopup->setObjectName(QStringLiteral("ToolbarPopup"));
    m_toolbarPopup->setProperty(kHelpContext, 9);
    m_toolbarPopup->addAction(m_ui->ToolbarPopup_ShowHints);
    m_toolbarPopup->addAction(m_ui->ToolbarPopup_Hide);
    m_toolbarPopup->addAction(m_ui->ToolbarPopup_Properties);
    m_toolbarPopup->addSeparator();
    m_toolbarPopup->addAction(m_ui->ToolbarPopup_Help);
    m_toolbarPopup->setDefaultAction(m_ui->ToolbarPopup_Properties);

    statusBar()->setFixedHeight(19);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->installEventFilter(this);
    m_hintTimer.setObjectName(QStringLiteral("HintTimer"));
    connect(&m_hintTimer, &QTimer::timeout, this, &TMainForm::HintTimerTimer);

    for (const TCommandEnabling& entry : RosterCommandTable()) {
        auto* action = findChild<QAction*>(QString::fromLatin1(entry.Item));
        Q_ASSERT(action);
        if (action)
            m_rosterCommands.emplace_back(action, entry.Need);
    }
    ConnectCommands();

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

void TMainForm::ConnectCommands()
{
    const auto bind = [this](QAction* action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    Ui::TMainForm& ui = *m_ui;
    bind(ui.Item_PrintSetup, &TMainForm::Item_PrintSetupClick);
    bind(ui.Item_Quit, &TMainForm::Item_QuitClick);
    bind(ui.Item_Okno_Cascade, &TMainForm::Item_Okno_CascadeClick);
    bind(ui.Item_Okno_HTile, &TMainForm::Item_Okno_HTileClick);
    bind(ui.Item_Okno_VTile, &TMainForm::Item_Okno_VTileClick);
    bind(ui.Item_Okno_ArrangeAll, &TMainForm::Item_Okno_ArrangeAllClick);
    bind(ui.Item_HelpContents, &TMainForm::Item_HelpContentsClick);
    bind(ui.Item_CoJeTo, &TMainForm::Item_CoJeToClick);
    bind(ui.Item_About, &TMainForm::Item_AboutClick);
    bind(ui.Item_NastaveniProstredi, &TMainForm::Item_NastaveniProstrediClick);
    bind(ui.Item_AutomatickyUkladatNastaveni, &TMainForm::Item_AutomatickyUkladatNastaveniClick);
    bind(ui.Item_UlozitNastaveni, &TMainForm::Item_UlozitNastaveniClick);
    bind(ui.Item_ShowPostavy, &TMainForm::Item_ShowPostavyClick);
    bind(ui.Item_ShowNestvury, &TMainForm::Item_ShowNestvuryClick);
    bind(ui.ToolbarPopup_ShowHints, &TMainForm::ToolbarPopup_ShowHintsClick);
    bind(ui.ToolbarPopup_Hide, &TMainForm::ToolbarPopup_HideClick);
    bind(ui.ToolbarPopup_Properties, &TMainForm::ToolbarPopup_PropertiesClick);
    bind(ui.ToolbarPopup_Help, &TMainForm::ToolbarPopup_HelpClick);
    connect(m_toolbarPopup, &QMenu::aboutToShow, this, &TMainForm::ToolbarPopupPopup);
    connect(ui.Menu_Okno, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);

    bind(ui.Item_NovaPostava, &TMainForm::Item_NovaPostavaClick);
    bind(ui.Item_SmazatPostavu, &TMainForm::Item_SmazatPostavuClick);
    bind(ui.Item_CelaZkusenost_Aktivni, &TMainForm::Item_CelaZkusenost_AktivniClick);
    bind(ui.Item_CelaZkusenost_Vsechny, &TMainForm::Item_CelaZkusenost_VsechnyClick);
    bind(ui.Item_CastZkusenosti_Aktivni, &TMainForm::Item_CastZkusenosti_AktivniClick);
    bind(ui.Item_CastZkusenosti_Vsechny, &TMainForm::Item_CastZkusenosti_VsechnyClick);
    bind(ui.Item_VynulovatZkusenost_Aktivni, &TMainForm::Item_VynulovatZkusenost_AktivniClick);
    bind(ui.Item_VynulovatZkusenost_Vsechny, &TMainForm::Item_VynulovatZkusenost_VsechnyClick);
    bind(ui.Item_PridatZkusenost_Aktivni, &TMainForm::Item_PridatZkusenost_AktivniClick);
    bind(ui.Item_PridatZkusenost_Vsechny, &TMainForm::Item_PridatZkusenost_VsechnyClick);
    bind(ui.Item_ZmenitZivoty_Aktivni, &TMainForm::Item_ZmenitZivoty_AktivniClick);
    bind(ui.Item_ZmenitZivoty_Vsechny, &TMainForm::Item_ZmenitZivoty_VsechnyClick);
    bind(ui.Item_PridatZivoty_Aktivni, &TMainForm::Item_PridatZivoty_AktivniClick);
    bind(ui.Item_PridatZivoty_Vsechny, &TMainForm::Item_PridatZivoty_VsechnyClick);
    bind(ui.Item_NovaNestvura, &TMainForm::Item_NovaNestvuraClick);
    bind(ui.Item_SmazatNestvuru, &TMainForm::Item_SmazatNestvuruClick);
    bind(ui.Item_SmazatVsechnyNestvury, &TMainForm::Item_SmazatVsechnyNestvuryClick);
    bind(ui.Item_SmazatMrtveNestvury, &TMainForm::Item_SmazatMrtveNestvuryClick);
    bind(ui.Item_SmazatVyrazeneNestvury, &TMainForm::Item_SmazatVyrazeneNestvuryClick);
    bind(ui.Item_ZmenitZivotyNestvury_Akt, &TMainForm::Item_ZmenitZivotyNestvury_AktClick);
    bind(ui.Item_ZmenitZivotyNestvury_All, &TMainForm::Item_ZmenitZivotyNestvury_AllClick);
    bind(ui.Item_PridatZivotyNestvury_Akt, &TMainForm::Item_PridatZivotyNestvury_AktClick);
    bind(ui.Item_PridatZivotyNestvury_All, &TMainForm::Item_PridatZivotyNestvury_AllClick);
    bind(ui.Item_ZranitNestvuru, &TMainForm::Item_ZranitNestvuruClick);
}

void TMainForm::FormCreate()
{
    if (!CheckWindowsVersion())
        return;
    m_helpFile = FromStd(HelpFileFor(m_services.ProgramFile.toStdString()));
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
    m_nestvury = new TNestvuryWindow;
    m_ui->MdiArea->addSubWindow(m_nestvury);
    m_nestvury->show();
    if (m_random)
        m_nestvury->Attach(m_nastaveni.MonsterPresets, *m_random);
    m_postavy = new TPostavyWindow;
    m_ui->MdiArea->addSubWindow(m_postavy);
    m_postavy->show();
    m_ui->MdiArea->setActiveSubWindow(m_postavy);
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
    if (!m_nastaveni.Load()) {
        ClearStatusMessage();
        return;
    }
    m_ui->Item_AutomatickyUkladatNastaveni->setChecked(m_nastaveni.AutoSave);
    ApplyFormPlacement(m_nastaveni.MainWindow, *this);
    ClearStatusMessage();
}

bool TMainForm::SaveConfiguration()
{
    ShowStatusMessage(QStringLiteral("Probíhá ukládání konfigurace"), 0);
    CaptureFormPlacement(m_nastaveni.MainWindow, *this);
    const bool saved = m_nastaveni.Save();
    if (!saved)
        ShowErrorMessage(QStringLiteral("Chyba při ukládání konfigurace do registry."));
    ClearStatusMessage();
    return saved;
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(m_shownOnce, true))
        return;
    // The stored bounds are outer ones, and the frame around the window is
    // known only once the window exists: apply them again now.
    ApplyFormPlacement(m_nastaveni.MainWindow, *this);
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

// ---- commands ----

void TMainForm::UpdateCommands()
{
    const auto selected = [](const TObjektWindow* w) {
        return w && w->ListBox()->ItemIndex() >= 0;
    };
    const auto any = [](const TObjektWindow* w) { return w && w->ListBox()->Count() > 0; };
    const TRosterState state{selected(m_postavy), any(m_postavy), selected(m_nestvury),
                             any(m_nestvury)};
    for (const auto& [action, need] : m_rosterCommands)
        action->setEnabled(IsEnabled(need, state));
}

void TMainForm::SetToolbarVisible(bool visible)
{
    m_ui->MainToolbarBevel->setVisible(visible);
}

void TMainForm::Item_PrintSetupClick()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
}

void TMainForm::Item_QuitClick()
{
    close();
}

void TMainForm::Item_Okno_CascadeClick()
{
    m_ui->MdiArea->cascadeSubWindows();
}

void TMainForm::Item_Okno_HTileClick()
{
    TileWindows(TTileMode::Horizontal);
}

void TMainForm::Item_Okno_VTileClick()
{
    TileWindows(TTileMode::Vertical);
}

void TMainForm::TileWindows(TTileMode mode)
{
    // The active window comes first, as the system tiles.
    QList<QMdiSubWindow*> windows;
    bool anyMinimised = false;
    const auto stack = m_ui->MdiArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if ((*it)->isMinimized())
            anyMinimised = true;
        else if ((*it)->isVisible())
            windows.append(*it);
    }
    const QSize size = m_ui->MdiArea->viewport()->size();
    int height = size.height();
    // Leave the bottom row to the icons of minimised windows.
    if (anyMinimised)
        height = std::max(height - QMdiSubWindow().minimumSizeHint().height(), 0);
    const auto rects =
        TileRects({0, 0, size.width(), height}, static_cast<int>(windows.size()), mode);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TRect& r = rects[static_cast<std::size_t>(i)];
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(r.Left, r.Top, r.Width, r.Height);
    }
}

void TMainForm::Item_Okno_ArrangeAllClick()
{
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* w : m_ui->MdiArea->subWindowList(QMdiArea::CreationOrder))
        if (w->isMinimized())
            icons.append(w);
    if (icons.isEmpty())
        return;
    const QSize iconSize = icons.front()->size();
    const QSize area = m_ui->MdiArea->viewport()->size();
    const auto rects = IconRects({0, 0, area.width(), area.height()}, iconSize.width(),
                                 iconSize.height(), static_cast<int>(icons.size()));
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(rects[static_cast<std::size_t>(i)].Left,
                       rects[static_cast<std::size_t>(i)].Top);
}

void TMainForm::FillWindowMenu()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const auto windows = m_ui->MdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions.append(m_ui->Menu_Okno->addSeparator());
    int number = 1;
    for (QMdiSubWindow* w : windows) {
        QString caption = w->windowTitle();
        caption.replace(u'&', QStringLiteral("&&"));
        auto* action =
            m_ui->Menu_Okno->addAction(QStringLiteral("&%1 %2").arg(number++).arg(caption));
        action->setCheckable(true);
        action->setChecked(w == m_ui->MdiArea->activeSubWindow());
        connect(action, &QAction::triggered, w, [w] { ShowChildWindow(w); });
        m_windowListActions.append(action);
    }
}

void TMainForm::Item_ShowPostavyClick()
{
    ShowChildWindow(m_postavy);
}

void TMainForm::Item_ShowNestvuryClick()
{
    ShowChildWindow(m_nestvury);
}

void TMainForm::Item_AboutClick()
{
    QMessageBox::about(
        this, ApplicationTitle(),
        QStringLiteral("<p><b>Mečovník pro Hradomor</b><br>Verze 1.0</p><p>%1</p><p>Toto je "
                       "zatím nultý člen dlouhé posloupnosti programů, která snad bude někam "
                       "konvergovat. Stačilo by, kdyby byla Cauchyovská!!!</p>")
            .arg(CreditLine().toHtmlEscaped()));
}

void TMainForm::Item_NastaveniProstrediClick()
{
    // The settings dialog has only toolbar settings; it arrives with the toolbar.
}

// ---- toolbar popup ----

void TMainForm::ToolbarPopupPopup()
{
    m_ui->ToolbarPopup_ShowHints->setChecked(m_toolbarShowHint);
}

void TMainForm::ToolbarPopup_ShowHintsClick()
{
    m_toolbarShowHint = !m_toolbarShowHint;
}

void TMainForm::ToolbarPopup_HideClick()
{
    SetToolbarVisible(false);
}

void TMainForm::ToolbarPopup_PropertiesClick()
{
    // Customising the toolbar arrives with the toolbar itself.
}

void TMainForm::ToolbarPopup_HelpClick()
{
    HelpCommand(HELP_CONTEXTPOPUP, 11);
}

// ---- roster commands ----

int TMainForm::SelectedRow(const TObjektWindow* roster) const
{
    return roster ? roster->ListBox()->ItemIndex() : -1;
}

template <class Action>
void TMainForm::WithNumber(const char* caption, const char* label, std::int16_t minimum,
                           std::int16_t maximum, Action action)
{
    int value = 0;
    if (EnterNumber(this, QString::fromUtf8(caption), QString::fromUtf8(label), minimum, maximum,
                    value))
        action(value);
}

void TMainForm::Item_NovaPostavaClick()
{
    if (m_postavy)
        m_postavy->NewCharacter();
}

void TMainForm::Item_SmazatPostavuClick()
{
    if (m_postavy)
        m_postavy->DeleteCharacter();
}

void TMainForm::Item_CelaZkusenost_AktivniClick()
{
    if (m_postavy)
        m_postavy->HandOverExperience(SelectedRow(m_postavy), -1);
}

void TMainForm::Item_CelaZkusenost_VsechnyClick()
{
    if (m_postavy)
        m_postavy->HandOverExperienceAll(-1);
}

void TMainForm::Item_CastZkusenosti_AktivniClick()
{
    WithNumber("Přidělit zkušenost", "&Zkušenost:", 1, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->HandOverExperience(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_CastZkusenosti_VsechnyClick()
{
    WithNumber("Přidělit zkušenost", "&Zkušenost:", 1, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->HandOverExperienceAll(n);
    });
}

void TMainForm::Item_VynulovatZkusenost_AktivniClick()
{
    if (m_postavy)
        m_postavy->ResetExperience(SelectedRow(m_postavy));
}

void TMainForm::Item_VynulovatZkusenost_VsechnyClick()
{
    if (m_postavy)
        m_postavy->ResetExperienceAll();
}

void TMainForm::Item_PridatZkusenost_AktivniClick()
{
    WithNumber("Přidat zkušenost", "&Zkušenost:", -10000, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->AddExperience(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_PridatZkusenost_VsechnyClick()
{
    WithNumber("Přidat zkušenost", "&Zkušenost:", -10000, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->AddExperienceAll(n);
    });
}

void TMainForm::Item_ZmenitZivoty_AktivniClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_postavy)
            m_postavy->SetLives(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_ZmenitZivoty_VsechnyClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_postavy)
            m_postavy->SetLivesAll(n);
    });
}

void TMainForm::Item_PridatZivoty_AktivniClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_postavy)
            m_postavy->AddLives(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_PridatZivoty_VsechnyClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_postavy)
            m_postavy->AddLivesAll(n);
    });
}

void TMainForm::Item_NovaNestvuraClick()
{
    if (m_nestvury)
        m_nestvury->NewMonster();
}

void TMainForm::Item_SmazatNestvuruClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonster();
}

void TMainForm::Item_SmazatVsechnyNestvuryClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonsters(0);
}

void TMainForm::Item_SmazatMrtveNestvuryClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonsters(1);
}

void TMainForm::Item_SmazatVyrazeneNestvuryClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonsters(2);
}

void TMainForm::Item_ZmenitZivotyNestvury_AktClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_nestvury)
            m_nestvury->SetLives(SelectedRow(m_nestvury), n);
    });
}

void TMainForm::Item_ZmenitZivotyNestvury_AllClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_nestvury)
            m_nestvury->SetLivesAll(n);
    });
}

void TMainForm::Item_PridatZivotyNestvury_AktClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_nestvury)
            m_nestvury->AddLives(SelectedRow(m_nestvury), n);
    });
}

void TMainForm::Item_PridatZivotyNestvury_AllClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_nestvury)
            m_nestvury->AddLivesAll(n);
    });
}

void TMainForm::Item_ZranitNestvuruClick()
{
    if (m_nestvury && m_postavy)
        WoundMonster(this, *m_nestvury, *m_postavy);
}

void TMainForm::MainToolbarCommand(QObject* sender, int commandId, TCommandType commandType)
{
    Q_UNUSED(sender)
    if (commandType != ctClick)
        return;
    switch (commandId) {
    case 1:
        Item_PrintSetupClick();
        break;
    case 2:
        Item_QuitClick();
        break;
    case 3:
        Item_Okno_CascadeClick();
        break;
    case 4:
        Item_Okno_HTileClick();
        break;
    case 5:
        Item_Okno_VTileClick();
        break;
    case 6:
        Item_Okno_ArrangeAllClick();
        break;
    case 7:
        Item_HelpContentsClick();
        break;
    case 8:
        Item_CoJeToClick();
        break;
    case 9:
        Item_AboutClick();
        break;
    default:
        break;
    }
}

// ---- help ----

bool TMainForm::AppHelp(int command, int context, bool& callHelp)
{
    Q_UNUSED(command)
    Q_UNUSED(context)
    m_helpUsed = true;
    callHelp = true;
    return true;
}

void TMainForm::HelpCommand(int command, int context)
{
    bool callHelp = false;
    AppHelp(command, context, callHelp);
    if (callHelp && m_services.Help)
        m_services.Help->Execute(m_helpFile, command, context);
}

void TMainForm::Item_HelpContentsClick()
{
    HelpCommand(HELP_FINDER, 0);
}

void TMainForm::Item_CoJeToClick()
{
    // Posted, so the menu has closed before the mode starts.
    QMetaObject::invokeMethod(
        this, [] { QWhatsThis::enterWhatsThisMode(); }, Qt::QueuedConnection);
}

int TMainForm::HelpContextAt(QObject* object) const
{
    for (QObject* o = object; o; o = o->parent()) {
        const int context = o->property(kHelpContext).toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == statusBar() && event->type() == QEvent::MouseButtonDblClick) {
        StatusBarDblClick();
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || !watched->isWidgetType())
            break;
        // F1: the highlighted menu item, else the focused control.
        int context = 0;
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (QAction* action = menu->activeAction())
                context = HelpContextAt(action);
            if (context == 0)
                context = HelpContextAt(menu->menuAction());
        } else {
            context = HelpContextAt(QApplication::focusWidget());
        }
        if (context > 0)
            HelpCommand(HELP_CONTEXT, context);
        else
            HelpCommand(HELP_FINDER, 0);
        return true;
    }
    case QEvent::QueryWhatsThis:
        if (watched->isWidgetType() && HelpContextAt(watched) > 0) {
            event->accept();
            return true;
        }
        break;
    case QEvent::WhatsThis:
        if (watched->isWidgetType()) {
            if (const int context = HelpContextAt(watched); context > 0) {
                HelpCommand(HELP_CONTEXTPOPUP, context);
                event->accept();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace mecovnik
