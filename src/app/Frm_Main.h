#pragma once

#include "app/CommandRegistry.h"
#include "platform/TVersionRule.h"
#include "toolbar/TToolbarCommandType.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QShortcut;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QEvent;
class QImage;
class QWindow;

namespace Ui {
class TMainForm;
}

namespace mecovnik {

class TAboutDialog;
class TClock;
class TFightKeeper;
class TLedgerWindow;
class TJournalFile;
enum class TJournalTrouble;
class TNameOrder;
class TNastaveni;
class THelpSystem;
class TNestvuryWindow;
class TObjektWindow;
class TPostavyWindow;
class TPlayerViewHub;
class TPlayerViewSharing;
class TPlayerViewWindow;
class TPrintModule;
class TShareModule;
class TRandom;
class TResourceSource;
class TRunOnlyOnce;
class TToolbar;

// The dynamic property that carries the help context of a menu item or control.
inline constexpr char kHelpContext[] = "helpContext";

// What the main window takes from the platform; tests pass their own.
struct TMainFormServices
{
    // The system version query; no value when it fails.
    std::function<std::optional<TOsVersionInfo>()> QueryVersion;
    // Shows the help file; not owned; nullptr for no help at all.
    THelpSystem* Help = nullptr;
    // Makes the program's random generator, seeded from the clock when made.
    std::function<std::unique_ptr<TRandom>()> MakeRandom;
    // Path of the program file; the help file is named after it.
    QString ProgramFile;
    // Whether the single-instance guard checks; window tests that make many
    // main windows in one process turn it off.
    bool RunOnlyOnce = true;
    // The fight's journal; not owned; nullptr for none.
    TJournalFile* Journal = nullptr;
    // Where the experience ledger's rows take their time from; not owned;
    // nullptr: the system's clock.
    const TClock* Clock = nullptr;
    // The order of names in the rosters (the user's collation); not owned;
    // required.
    const TNameOrder* NameOrder = nullptr;
    // The program's resources (the toolbar's tables, glyphs and strings); not
    // owned; required.
    const TResourceSource* Resources = nullptr;
    // The print support module's file, loaded when the printer setup is
    // first asked for.
    QString PrintModule;
    // The sharing module's file (the players' view's web server and QR code),
    // loaded when the view is first shared.
    QString ShareModule;
    // The folder where a normal end keeps the fight as a file (the state
    // folder, beside the journal); empty: nothing is kept.
    QString FightFolder;
    // A fight file to open once the window has started (the first argument
    // of the command line), as an absolute path; a later copy hands it to
    // the running one instead.
    QString OpenAtStart;
};

// The multiple-document main window: menus, status bar, help, window
// arrangement and the start and stop of the program.
class TMainForm final : public QMainWindow
{
    Q_OBJECT

public:
    // Creates the window and runs its start-up: version check, help file,
    // hooks, random seed and the configuration; then posts the deferred steps.
    TMainForm(TNastaveni& nastaveni, TMainFormServices services, QWidget* parent = nullptr);
    ~TMainForm() override;
    Q_DISABLE_COPY_MOVE(TMainForm)

    // True when the system was rejected: the program must end with exit code 1.
    [[nodiscard]] bool StartupRejected() const { return m_startupRejected; }
    // True when another copy of the program runs: it has been asked to come
    // to the front, nothing else was started, and the program must end with
    // exit code 0 without showing this window.
    [[nodiscard]] bool SecondCopy() const;

    [[nodiscard]] TRunOnlyOnce& RunOnlyOnce() const { return *m_runOnlyOnce; }
    [[nodiscard]] TAboutDialog& AboutDialog() const { return *m_aboutDialog; }

    // The application message hook: another copy's request to come to the
    // front (RunOnlyOnce's RegisteredMessage) restores the main window when
    // minimised and activates the window the user last worked in: an open
    // modal window first, else the program's last active window while it is
    // visible and enabled, else the main window. The request is marked
    // handled; other messages pass untouched. The guard's own signal
    // AnotherCopyStarted does the same.
    void AppMessage(QEvent& message, bool& handled);

    // Creates the monster roster, then the character roster, as document windows.
    void CreateRosterWindows();
    [[nodiscard]] TPostavyWindow* PostavyWindow() const { return m_postavy; }
    [[nodiscard]] TNestvuryWindow* NestvuryWindow() const { return m_nestvury; }
    [[nodiscard]] QMdiArea* MdiArea() const;

    // Shows a text in the status bar, for the given seconds (0: until replaced).
    // An empty text clears the bar.
    void ShowStatusMessage(const QString& text, int seconds);
    // Removes any status-bar text and stops the message timer.
    void ClearStatusMessage();

    // Loads the configuration and applies it to the window.
    void LoadConfiguration();
    // Captures the window into the configuration and saves it; false (after
    // telling the user) when the store failed.
    bool SaveConfiguration();

    // Shows or hides the toolbar together with the bevel below it.
    void SetToolbarVisible(bool visible);

    // The size of the rosters' text in per cent (100..300): both rosters
    // take it, and the configuration keeps it.
    void SetRosterZoom(int percent);
    [[nodiscard]] int RosterZoom() const;
    // A roster's context menu: the registry's commands for that roster.
    [[nodiscard]] QMenu* ContextMenu(TContextMenu which) const;

    // Enables the commands that have a need from the rosters' rows and
    // selections; the others are never disabled.
    void UpdateCommands();

    // Receives every help request: marks help as used and lets it go on.
    bool AppHelp(int command, int context, bool& callHelp);
    // Passes a help command through AppHelp to the help system.
    void HelpCommand(int command, int context);

    [[nodiscard]] bool HelpUsed() const { return m_helpUsed; }
    [[nodiscard]] QString HelpFile() const { return m_helpFile; }
    [[nodiscard]] const QTimer& HintTimer() const { return m_hintTimer; }
    [[nodiscard]] QMenu* ToolbarPopup() const { return m_toolbarPopup; }
    [[nodiscard]] TToolbar* MainToolbar() const { return m_mainToolbar; }
    [[nodiscard]] TRandom* Random() const { return m_random.get(); }
    // The configuration the window keeps and saves.
    [[nodiscard]] const TNastaveni& Configuration() const { return m_nastaveni; }

    // The credit line shown at start.
    [[nodiscard]] static QString CreditLine();

    // The command registry: one row a command of the window, in the order of
    // the menus (MainFormCommands.cpp). To add a command, add its action to
    // Frm_Main.ui, a row here and its handler.
    [[nodiscard]] static std::span<const TCommand> Commands();

    [[nodiscard]] TFightKeeper* Fight() const { return m_fight.get(); }
    // The experience ledger's window; nullptr until first opened.
    [[nodiscard]] TLedgerWindow* LedgerWindow() const { return m_ledgerWindow; }

    // The players' view (MainFormPlayerView.cpp): what they see, its window
    // (nullptr until first opened) and its sharing on the local network.
    [[nodiscard]] TPlayerViewHub* PlayerViewHub() const { return m_playerHub.get(); }
    [[nodiscard]] TPlayerViewWindow* PlayerViewWindow() const { return m_playerWindow.get(); }
    [[nodiscard]] TPlayerViewSharing* PlayerViewServer() const { return m_playerServer.get(); }
    // Turns sharing on or off at port (the settings dialog's choice) and
    // keeps the choice in the configuration. Turning it on makes the players'
    // key when there is none yet. A port that cannot be had is said once in a
    // message; sharing then stays chosen but serves nothing. So is a sharing
    // module that cannot be loaded. True when the view is served as chosen.
    bool SharePlayerView(bool share, int port);
    // The players' link while the view is served; empty otherwise.
    [[nodiscard]] QString PlayerViewLink() const;
    // The QR code of link, by the sharing module (loaded if it is not yet);
    // a null image when it cannot be made.
    [[nodiscard]] QImage PlayerViewQrCode(const QString& link);
    // Says that this computer has no network for the phones; empty otherwise.
    [[nodiscard]] QString PlayerViewLinkNote() const;
    // The program ends properly: a fight in the rosters is kept as a file in
    // the fight folder and heads the recent list; the fight's journal is
    // removed (a journal that stays, or a fight that could not be kept, is
    // said at once).
    void EndFight();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A fight file dropped on the window opens.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Window commands.
    void Item_PrintSetupClick();
    void Item_QuitClick();
    void Item_Okno_CascadeClick();
    void Item_Okno_HTileClick();
    void Item_Okno_VTileClick();
    void Item_Okno_ArrangeAllClick();
    void Item_PohledProHraceClick();
    void Item_HelpContentsClick();
    void Item_CoJeToClick();
    void Item_AboutClick();
    void Item_NastaveniProstrediClick();
    void Item_AutomatickyUkladatNastaveniClick();
    void Item_UlozitNastaveniClick();
    void Item_ShowPostavyClick();
    void Item_ShowNestvuryClick();
    void Item_DenikZkusenostiClick();
    void ToolbarPopup_ShowHintsClick();
    void ToolbarPopup_HideClick();
    void ToolbarPopup_PropertiesClick();
    void ToolbarPopup_HelpClick();

    // Roster commands; those that ask a number first take it.
    void Item_NovaPostavaClick();
    void Item_SmazatPostavuClick();
    void Item_CelaZkusenost_AktivniClick();
    void Item_CelaZkusenost_VsechnyClick();
    void Item_CastZkusenosti_AktivniClick(int amount);
    void Item_CastZkusenosti_VsechnyClick(int amount);
    void Item_VynulovatZkusenost_AktivniClick();
    void Item_VynulovatZkusenost_VsechnyClick();
    void Item_PridatZkusenost_AktivniClick(int delta);
    void Item_PridatZkusenost_VsechnyClick(int delta);
    void Item_ZmenitZivoty_AktivniClick(int lives);
    void Item_ZmenitZivoty_VsechnyClick(int lives);
    void Item_PridatZivoty_AktivniClick(int delta);
    void Item_PridatZivoty_VsechnyClick(int delta);
    void Item_NovaNestvuraClick();
    void Item_SmazatNestvuruClick();
    void Item_SmazatVsechnyNestvuryClick();
    void Item_SmazatMrtveNestvuryClick();
    void Item_SmazatVyrazeneNestvuryClick();
    void Item_ZmenitZivotyNestvury_AktClick(int lives);
    void Item_ZmenitZivotyNestvury_AllClick(int lives);
    void Item_PridatZivotyNestvury_AktClick(int delta);
    void Item_PridatZivotyNestvury_AllClick(int delta);
    void Item_ZranitNestvuruClick();

    // Undo and redo of roster changes (MainFormHistory.cpp).
    void Item_ZpetClick();
    void Item_ZnovuClick();

    // The fight as a file (MainFormFightFiles.cpp): new, open and add replace
    // or extend the rosters, each one step of the history.
    void Item_NovySoubojClick();
    void Item_OtevritSoubojClick();
    void Item_UlozitSoubojClick();
    void Item_UlozitSoubojJakoClick();
    void Item_PridatZeSouboruClick();
    // The rosters at hand (MainFormRosters.cpp): editing a row, the size of
    // the rosters' text.
    void Item_UpravitPostavuClick();
    void Item_UpravitNestvuruClick();
    void Item_VetsiPismoClick();
    void Item_MensiPismoClick();

    // The fight on paper (MainFormPrint.cpp): printing, the preview and the
    // PDF go through the print module; the ledger's CSV is written here.
    void Item_TiskClick();
    void Item_NahledTiskuClick();
    void Item_ExportovatPdfClick();
    void Item_ExportovatDenikCsvClick();
    // The print module, loaded on first use; nullptr, said with what as the
    // message's start ("Nastavení tiskárny nelze otevřít"), when it cannot be.
    TPrintModule* PrintModule(const QString& what);

    // Not commands: the status bar's double click and the toolbar's popup
    // about to show.
    void StatusBarDblClick();
    void ToolbarPopupPopup();

    // The toolbar's command event: a click triggers the action of the
    // command with that toolbar id; a double click and unknown ids do nothing.
    void MainToolbarCommand(QObject* sender, int commandId, TToolbarCommandType commandType);

    void FormCreate();
    void CreateComponents();
    // Remembers the program's window that has just become active.
    void RememberActiveWindow(QWindow* window);
    void BringToFront();
    // The toolbar under the menu, made before the configuration is loaded;
    // applying and capturing its stored state.
    void SetupToolbar();
    void ApplyToolbarState();
    void CaptureToolbarState();
    bool CheckWindowsVersion();
    void AppHint(const QString& hint);
    void HintTimerTimer();
    void ArrangeWindows();
    void FillWindowMenu();
    // Finds every command's action, connects it to its handler and fills the
    // toolbar's popup; throws TCommandError for a command the window lacks.
    void ConnectCommands();
    // Runs a command as its row says: asks its number first, and records it
    // as one step of the history when it changes the rosters.
    void RunCommand(const TCommand& command, const QAction& action);
    [[nodiscard]] int SelectedRow(const TObjektWindow* roster) const;
    [[nodiscard]] int HelpContextAt(QObject* object) const;
    void AttachFight();
    // Runs a command that changes the rosters as one step of the history,
    // named after its action; its experience changes go into the ledger as
    // event. True when it changed the rosters.
    bool RunAsStep(const QAction& action, const std::function<void()>& run,
                   TLedgerEvent event = TLedgerEvent::Special);
    // An action's shortcut as its menu item shows it.
    [[nodiscard]] static QString KeyText(const QAction& action);
    // How long the status bar says what a command did.
    static constexpr int kDoneSeconds = 10;

    // The four facts about the rosters that enable the commands.
    [[nodiscard]] TRosterState RosterState() const;
    // Runs the command of that action as its menu item would; one that does
    // not apply says why in the status bar instead.
    void AskCommand(std::string_view action);
    // Says why a command that does not apply was asked for.
    void SayWhyNot(const TCommand& command);
    // The context menus from the registry's column, and the keys of commands
    // that do not apply (which reach the program only to say why).
    void BuildContextMenus();
    void ConnectShortcutsOfDisabled();
    // A roster's double click, Delete key and context menu.
    void ConnectRosterHand(TObjektWindow& roster, TContextMenu which);
    void UpdateHistoryCommands();
    // After a step: the fight's file follows the history (MainFormFightFiles.cpp).
    void FollowFightFile(std::uint64_t stateBefore);
    void SetUpFightFiles();
    // Opens a fight file (the recent list, a drop, another copy, the command
    // line) as one step of the history, once no dialog or command is running.
    void OpenFightFileLater(const QString& path);
    void OpenFightFileNow(const QString& path);
    // Reads path into the rosters (inside a step); false after telling why not.
    bool OpenFightFile(const QString& path);
    bool SaveFightFile(const QString& path);
    void FillRecentFights();
    void RememberFightFile(const QString& path, bool recent);
    void StoreFightFiles();
    void UpdateCaption();
    // Keeps the fight at a normal end; false when it was to be kept and could not be.
    bool KeepFightAtEnd();
    void OfferRecovery();
    // Says what the user must know of the fight's journal: after the command
    // that met it, or at once when the program ends.
    void JournalTrouble(TJournalTrouble trouble);
    void ShowJournalTrouble(TJournalTrouble trouble);

    std::unique_ptr<Ui::TMainForm> m_ui;
    TRunOnlyOnce* m_runOnlyOnce = nullptr;
    TAboutDialog* m_aboutDialog = nullptr;
    // The program's window the user was last active in.
    QPointer<QWidget> m_lastActive;
    TNastaveni& m_nastaveni;
    TMainFormServices m_services;
    std::unique_ptr<TRandom> m_random;
    std::unique_ptr<TPrintModule> m_print;
    // The sharing module once loaded; it outlives the server it made.
    std::unique_ptr<TShareModule> m_share;
    QTimer m_hintTimer;
    QMenu* m_toolbarPopup = nullptr;
    TToolbar* m_mainToolbar = nullptr;
    QList<QAction*> m_windowListActions;
    std::unique_ptr<TCommandRegistry> m_commands;
    QMenu* m_contextMenus[2] = {nullptr, nullptr};
    // Each key of a command with a need, live only while the command is
    // disabled: it says why the command does not apply.
    std::vector<std::pair<QShortcut*, const TCommand*>> m_whyKeys;
    // Receives the queued re-evaluations of the commands.
    QObject* m_commandUpdates = nullptr;
    TPostavyWindow* m_postavy = nullptr;
    TNestvuryWindow* m_nestvury = nullptr;
    std::unique_ptr<TFightKeeper> m_fight;
    // The clock of the ledger's rows when the services give none.
    std::unique_ptr<TClock> m_systemClock;
    // "Deník zkušeností": made when first opened, inside the document area.
    TLedgerWindow* m_ledgerWindow = nullptr;
    // What the fight's files need: the file of each state, the recent list's menu.
    struct TFightFiles;
    std::unique_ptr<TFightFiles> m_fightFiles;
    // The players' view: made with the rosters; the window on first use; the
    // server while sharing is on and its port could be had.
    void CreatePlayerView();
    void PublishPlayerView();
    void ShowPlayerViewLink();
    void CapturePlayerViewPlacement();
    std::unique_ptr<TPlayerViewHub> m_playerHub;
    std::unique_ptr<TPlayerViewWindow> m_playerWindow;
    // Loads the sharing module if it is not yet; nullptr, with the reason in
    // reason, when it cannot be.
    TShareModule* ShareModule(QString& reason);
    std::unique_ptr<TPlayerViewSharing> m_playerServer;
    QString m_playerLinkAddress;
    QString m_helpFile;
    bool m_helpUsed = false;
    bool m_startupRejected = false;
    bool m_ending = false;
};

} // namespace mecovnik
