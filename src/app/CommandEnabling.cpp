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
