#include "app/CommandEnabling.h"

namespace mecovnik {

bool IsEnabled(TCommandNeed need, const TRosterState& state)
{
    using enum TCommandNeed;
    switch (need) {
    case ActiveCharacter:
        return state.ActiveCharacter;
    case Characters:
        return state.Characters;
    case ActiveMonster:
        return state.ActiveMonster;
    case Monsters:
        return state.Monsters;
    case ActiveCharacterAndMonster:
        return state.ActiveCharacter && state.ActiveMonster;
    }
    return false;
}

} // namespace mecovnik

namespace mecovnik {

std::string_view WhyDisabled(TCommandNeed need, const TRosterState& state)
{
    if (IsEnabled(need, state))
        return {};
    using enum TCommandNeed;
    switch (need) {
    case ActiveCharacter:
        return state.Characters ? "Vyberte postavu." : "Nejdříve přidejte postavu.";
    case Characters:
        return "Nejdříve přidejte postavu.";
    case ActiveMonster:
        return state.Monsters ? "Vyberte nestvůru." : "Nejdříve přidejte nestvůru.";
    case Monsters:
        return "Nejdříve přidejte nestvůru.";
    case ActiveCharacterAndMonster:
        return "Vyberte postavu i nestvůru.";
    }
    return {};
}

} // namespace mecovnik
