#pragma once

#include "persistence/TMonsterPresets.h"

#include <cstdint>

namespace mecovnik {

// Placement of a form: outer bounds and window state (0 normal, 1 minimised,
// 2 maximised). Width or Height -1 means no bounds are stored.
struct TFormPlacement
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = -1;
    std::int32_t Height = -1;
    std::uint8_t WindowState = 0;
};

// Everything the program keeps from one run to the next.
class TNastaveni
{
public:
    TNastaveni() = default;
    TNastaveni(const TNastaveni&) = delete;
    TNastaveni& operator=(const TNastaveni&) = delete;

    // Reads the stored configuration; true when the store reported success.
    // The configuration lives in memory only for now: nothing is read.
    bool Load() { return true; }
    // Writes the configuration; true when the store reported success.
    // The configuration lives in memory only for now: nothing is written.
    bool Save() { return true; }

    bool AutoSave = true;
    TFormPlacement MainWindow;
    TMonsterPresets MonsterPresets;
};

} // namespace mecovnik
