#pragma once

#include <span>
#include <string_view>

namespace mecovnik {

// The four facts about the rosters that decide which roster commands are enabled.
struct TRosterState
{
    bool ActiveCharacter = false;
    bool Characters = false;
    bool ActiveMonster = false;
    bool Monsters = false;
};

// What a roster command needs before it can run.
enum class TCommandNeed
{
    ActiveCharacter,
    Characters,
    ActiveMonster,
    Monsters,
    ActiveCharacterAndMonster,
};

struct TCommandEnabling
{
    std::string_view Item; // the menu item's object name
    TCommandNeed Need;
};

// Every menu item that the roster states enable or disable; items not listed
// are never disabled.
[[nodiscard]] std::span<const TCommandEnabling> RosterCommandTable();

[[nodiscard]] bool IsEnabled(TCommandNeed need, const TRosterState& state);

} // namespace mecovnik
