#include "app/CommandEnabling.h"

#include <array>

namespace mecovnik {

namespace {
using enum TCommandNeed;
constexpr std::array<TCommandEnabling, 22> kTable{{
    {"Item_SmazatPostavu", ActiveCharacter},
    {"Item_CelaZkusenost_Aktivni", ActiveCharacter},
    {"Item_CelaZkusenost_Vsechny", Characters},
    {"Item_CastZkusenosti_Aktivni", ActiveCharacter},
    {"Item_CastZkusenosti_Vsechny", Characters},
    {"Item_VynulovatZkusenost_Aktivni", ActiveCharacter},
    {"Item_VynulovatZkusenost_Vsechny", Characters},
    {"Item_PridatZkusenost_Aktivni", ActiveCharacter},
    {"Item_PridatZkusenost_Vsechny", Characters},
    {"Item_ZmenitZivoty_Aktivni", ActiveCharacter},
    {"Item_ZmenitZivoty_Vsechny", Characters},
    {"Item_PridatZivoty_Aktivni", ActiveCharacter},
    {"Item_PridatZivoty_Vsechny", Characters},
    {"Item_SmazatNestvuru", ActiveMonster},
    {"Item_SmazatVsechnyNestvury", Monsters},
    {"Item_SmazatVyrazeneNestvury", Monsters},
    {"Item_SmazatMrtveNestvury", Monsters},
    {"Item_ZmenitZivotyNestvury_Akt", ActiveMonster},
    {"Item_ZmenitZivotyNestvury_All", Monsters},
    {"Item_PridatZivotyNestvury_Akt", ActiveMonster},
    {"Item_PridatZivotyNestvury_All", Monsters},
    {"Item_ZranitNestvuru", ActiveCharacterAndMonster},
}};
} // namespace

std::span<const TCommandEnabling> RosterCommandTable()
{
    return kTable;
}

bool IsEnabled(TCommandNeed need, const TRosterState& state)
{
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
