#pragma once

namespace mecovnik::test {

// The four facts about the rosters that the rules name.
struct TRosterFacts
{
    bool ActiveCharacter = false; // a character row is selected
    bool Characters = false;      // the character roster has a row
    bool ActiveMonster = false;   // a monster row is selected
    bool Monsters = false;        // the monster roster has a row
};

// A roster command and when the rules say it is enabled.
struct TCommandRule
{
    const char* Item;
    bool (*EnabledWhen)(const TRosterFacts&);
};

inline bool WithActiveCharacter(const TRosterFacts& f)
{
    return f.ActiveCharacter;
}

inline bool WithCharacters(const TRosterFacts& f)
{
    return f.Characters;
}

inline bool WithActiveMonster(const TRosterFacts& f)
{
    return f.ActiveMonster;
}

inline bool WithMonsters(const TRosterFacts& f)
{
    return f.Monsters;
}

inline bool WithBothActive(const TRosterFacts& f)
{
    return f.ActiveCharacter && f.ActiveMonster;
}

// Every roster command the rosters enable, written down from the rules (the
// tests compare the program's own table and its windows with this).
inline constexpr TCommandRule kRosterCommandRules[] = {
    {"Item_UpravitPostavu", WithActiveCharacter},
    {"Item_SmazatPostavu", WithActiveCharacter},
    {"Item_CelaZkusenost_Aktivni", WithActiveCharacter},
    {"Item_CelaZkusenost_Vsechny", WithCharacters},
    {"Item_CastZkusenosti_Aktivni", WithActiveCharacter},
    {"Item_CastZkusenosti_Vsechny", WithCharacters},
    {"Item_VynulovatZkusenost_Aktivni", WithActiveCharacter},
    {"Item_VynulovatZkusenost_Vsechny", WithCharacters},
    {"Item_PridatZkusenost_Aktivni", WithActiveCharacter},
    {"Item_PridatZkusenost_Vsechny", WithCharacters},
    {"Item_ZmenitZivoty_Aktivni", WithActiveCharacter},
    {"Item_ZmenitZivoty_Vsechny", WithCharacters},
    {"Item_PridatZivoty_Aktivni", WithActiveCharacter},
    {"Item_PridatZivoty_Vsechny", WithCharacters},
    {"Item_UpravitNestvuru", WithActiveMonster},
    {"Item_SmazatNestvuru", WithActiveMonster},
    {"Item_SmazatVsechnyNestvury", WithMonsters},
    {"Item_SmazatVyrazeneNestvury", WithMonsters},
    {"Item_SmazatMrtveNestvury", WithMonsters},
    {"Item_ZmenitZivotyNestvury_Akt", WithActiveMonster},
    {"Item_ZmenitZivotyNestvury_All", WithMonsters},
    {"Item_PridatZivotyNestvury_Akt", WithActiveMonster},
    {"Item_PridatZivotyNestvury_All", WithMonsters},
    {"Item_ZranitNestvuru", WithBothActive},
};

} // namespace mecovnik::test
