#pragma once

#include "history/FightFile.h"
#include "roster/TNameOrder.h"

#include <algorithm>
#include <random>
#include <string>

namespace mecovnik::bench {

inline constexpr int kMonsters = 10000;
inline constexpr int kCharacters = 6;

// A fight of 10,000 monsters of five kinds, numbered as the roster numbers
// them, and 6 characters, each roster sorted by order as a roster holds it.
// The same fight every time (a fixed seed).
inline TFightFile BigFight(const TNameOrder& order)
{
    std::mt19937 random(10000);
    TFightFile f;
    for (int i = 0; i < kCharacters; ++i)
        f.Fight.Rosters[kPostavy].push_back(
            {"Postava " + std::to_string(i), {40, 50, 5, 1000 + i, 100, 0}});
    const char* kinds[] = {"Skřet", "Vlk", "Obří pavouk", "Troll", "Kostlivec"};
    for (int i = 0; i < kMonsters; ++i) {
        const int maxLives = 1 + static_cast<int>(random() % 4096);
        std::string name = kinds[i % 5];
        if (i >= 5)
            name += " [" + std::to_string(i / 5) + "]";
        f.Fight.Rosters[kNestvury].push_back(
            {std::move(name),
             {maxLives / 2, maxLives, maxLives / 8, 1 + static_cast<int>(random() % 30000),
              1 + static_cast<int>(random() % 512), static_cast<int>(random() % 5)}});
    }
    for (auto& rows : f.Fight.Rosters)
        std::sort(rows.begin(), rows.end(), [&order](const TRecordData& a, const TRecordData& b) {
            return order.Compare(a.Name, b.Name) < 0;
        });
    f.Fight.Selection = {{2, 5000}};
    return f;
}

} // namespace mecovnik::bench
