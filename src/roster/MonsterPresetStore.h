#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

namespace mecovnik {

class TMonsterPresets;
class TRegistry;

// The monster presets below the settings key "Nestvůry": one subkey a preset,
// named by the preset's name, with the integers "Životaschopnost" (Level),
// "Vyřazení" (KnockOutRule) and "Zkušenost" (KillExperience).
//
// A name that one subkey cannot carry as it is (see IsPlainPresetName) is
// stored in a subkey named "=" and a number, with the exact name in the string
// value "Jméno". Every other name is its subkey's name unchanged.

// True when a preset of this name is stored under a subkey of the same name:
// a valid key name that does not start with "=".
[[nodiscard]] bool IsPlainPresetName(std::string_view name);

// Destroys every preset record and empties the list.
void FreeListObjects(TMonsterPresets& list);

// Empties the open key ("Nestvůry") and writes the whole list into it, in list
// order. A name whose subkey an earlier preset of the same save already took
// (the store ignores case) is stored like a name no subkey can carry. Throws
// ERegistryException("OpenKey") when a preset's subkey cannot be made; what
// was written before stays.
void SaveMonsterPresets(TRegistry& registry, const TMonsterPresets& list);

// The most one preset of that name can count in the written file when saved
// below a key whose path (from its hive root) is parentPathBytes long.
[[nodiscard]] std::size_t PresetBytesBound(std::string_view name, std::size_t parentPathBytes);

// How many bytes the loaded presets may count when saved again, and the path
// length of the key they are saved below (see PresetBytesBound).
struct TPresetRoom
{
    std::size_t Bytes = std::numeric_limits<std::size_t>::max();
    std::size_t ParentPathBytes = 0;
};

// Replaces the list with the presets below the open key ("Nestvůry"), in the
// store's order. A preset gets the record's defaults for any value that is
// missing or not a 32-bit integer, and lives 50 of 50. A subkey that cannot be
// opened is skipped. Presets that would not fit room when saved again, and
// exact names ("Jméno") that would not be written back as read (a zero within,
// broken UTF-16), are left out, and the store is told, so the file is kept as
// a copy.
void LoadMonsterPresets(TRegistry& registry, TMonsterPresets& list, const TPresetRoom& room = {});

} // namespace mecovnik
