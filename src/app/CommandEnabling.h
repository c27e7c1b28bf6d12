#pragma once

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

// What a roster command needs before it can run. Which command needs what is
// a column of the main window's command registry; a command without a need is
// never disabled.
enum class TCommandNeed
{
    ActiveCharacter,
    Characters,
    ActiveMonster,
    Monsters,
    ActiveCharacterAndMonster,
};

// Whether a command with that need is enabled in that state: the active
// needs ask for a selected row, the others for any row; the wound asks for a
// selected character and a selected monster.
[[nodiscard]] bool IsEnabled(TCommandNeed need, const TRosterState& state);

// Why a command with that need does not run in that state, as the status bar
// says it when the command is asked for anyway ("Vyberte postavu i
// nestvůru."); empty when it is enabled. A roster without rows asks for one
// to be added first, one with rows for a row to be selected.
[[nodiscard]] std::string_view WhyDisabled(TCommandNeed need, const TRosterState& state);

} // namespace mecovnik
