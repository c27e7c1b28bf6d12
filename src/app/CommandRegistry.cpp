#include "app/CommandRegistry.h"

#include <QAction>
#include <QString>

#include <algorithm>
#include <string>

namespace mecovnik {

namespace {

[[noreturn]] void Fail(const char* text, std::string_view name)
{
    // Said to the user by the start's failure report.
    throw TCommandError(
        QString::fromUtf8(text)
            .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
            .toStdString());
}

} // namespace

TCommandRegistry::TCommandRegistry(std::span<const TCommand> commands, const QObject& owner)
{
    m_entries.reserve(commands.size());
    for (const TCommand& command : commands) {
        const bool taken = std::ranges::any_of(m_entries, [&](const TEntry& e) {
            return e.Command->Action == command.Action ||
                   (command.ToolbarId != 0 && e.Command->ToolbarId == command.ToolbarId);
        });
        if (command.Action.empty() || taken)
            Fail("Chyba programu: příkaz %1 je v tabulce příkazů dvakrát.", command.Action);
        auto* action = owner.findChild<QAction*>(QString::fromUtf8(
            command.Action.data(), static_cast<qsizetype>(command.Action.size())));
        if (!action)
            Fail("Chyba programu: v hlavním okně chybí položka %1.", command.Action);
        const bool handler = command.Number ? command.RunWithNumber && !command.Run
                                            : command.Run && !command.RunWithNumber;
        if (!handler)
            Fail("Chyba programu: příkaz %1 nemá v tabulce příkazů správnou obsluhu.",
                 command.Action);
        m_entries.push_back({&command, action});
    }
}

QAction& TCommandRegistry::Action(std::string_view name) const
{
    const auto it = std::ranges::find_if(
        m_entries, [name](const TEntry& e) { return e.Command->Action == name; });
    if (it == m_entries.end())
        Fail("Chyba programu: položka %1 není v tabulce příkazů.", name);
    return *it->Action;
}

const TCommandRegistry::TEntry* TCommandRegistry::ForToolbarId(int id) const
{
    if (id == 0)
        return nullptr;
    const auto it = std::ranges::find_if(
        m_entries, [id](const TEntry& e) { return e.Command->ToolbarId == id; });
    return it == m_entries.end() ? nullptr : &*it;
}

const TCommandRegistry::TEntry* TCommandRegistry::ForAction(const QAction* action) const
{
    const auto it =
        std::ranges::find_if(m_entries, [action](const TEntry& e) { return e.Action == action; });
    return it == m_entries.end() ? nullptr : &*it;
}

} // namespace mecovnik
