#pragma once

#include "app/CommandEnabling.h"
#include "history/ExperienceLedger.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

class QAction;
class QObject;

namespace mecovnik {

class TMainForm;

// The number a command asks for before it runs: the number dialog's caption,
// the label of its field and the range it takes.
struct TNumberPrompt
{
    std::string_view Caption{};
    std::string_view Label{};
    std::int16_t Minimum = 0;
    std::int16_t Maximum = 0;
};

// The roster whose context menu (a right click on its rows) offers a command.
enum class TContextMenu
{
    None,
    Characters,
    Monsters,
};

// One command of the main window. Its caption, shortcut, hint and help
// context are its action's, in Frm_Main.ui; everything else about it is here.
// Menus, the toolbar's popup, shortcuts and toolbar buttons all trigger the
// action, so a command runs the same way whichever of them the user takes.
struct TCommand
{
    // The object name of the command's QAction.
    std::string_view Action{};
    // When the command is enabled; none: never disabled.
    std::optional<TCommandNeed> Need{};
    // The command changes the rosters: each run is one step of the history
    // (named after the caption) and goes into the fight's journal.
    bool ChangesRosters = false;
    // What the experience ledger calls the changes of experience the command
    // makes (a wound tells its monster itself; joining and leaving
    // characters are told as such whatever the command).
    TLedgerEvent Ledger = TLedgerEvent::Special;
    // The id of the toolbar button that runs it; 0: none.
    int ToolbarId = 0;
    // The number asked for first; Cancel runs nothing.
    std::optional<TNumberPrompt> Number{};
    // The handler: Run for a command that asks no number, RunWithNumber for
    // one that does.
    void (TMainForm::*Run)() = nullptr;
    void (TMainForm::*RunWithNumber)(int) = nullptr;
    // Shortcuts besides the action's own (which a form holds only one of),
    // in portable text, separated by "; ".
    std::string_view MoreKeys{};
    // The context menu that offers it; the menu keeps the menu bar's order,
    // submenus and separators.
    TContextMenu ContextMenu = TContextMenu::None;
    // What the status bar says after a run that changed the rosters, before
    // the key that takes it back; empty: nothing.
    std::string_view Done{};
};

// A row of the registry that the program cannot run: its action is missing,
// or the row contradicts itself. Raised at start, in every build.
class TCommandError final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The commands with their actions, found once when the main window is made.
class TCommandRegistry final
{
public:
    struct TEntry
    {
        const TCommand* Command = nullptr;
        QAction* Action = nullptr;
    };

    // Finds every command's action among the children of owner. Throws
    // TCommandError naming the first command whose action is missing, whose
    // name or toolbar id another command has already, or whose handler does
    // not fit its number (exactly one handler; RunWithNumber with a number).
    TCommandRegistry(std::span<const TCommand> commands, const QObject& owner);

    [[nodiscard]] const std::vector<TEntry>& Entries() const { return m_entries; }
    // The action of the command of that name; throws TCommandError when no
    // command has it.
    [[nodiscard]] QAction& Action(std::string_view name) const;
    // The command whose toolbar button has id, or nullptr.
    [[nodiscard]] const TEntry* ForToolbarId(int id) const;
    // The command of an action, or nullptr.
    [[nodiscard]] const TEntry* ForAction(const QAction* action) const;

private:
    std::vector<TEntry> m_entries;
};

} // namespace mecovnik
