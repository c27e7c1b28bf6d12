#pragma once

#include "persistence/TFormPlacement.h"

#include <string_view>

namespace mecovnik {

class TRegistry;

// A placement as values of the registry's open key, named prefix + ".X", ".Y",
// ".W", ".H" and ".Stav", all 32-bit integers.

// Writes ".X" = Left, ".Y" = Top, ".W" = Width, ".H" = Height, in this order.
void WriteBounds(const TFormPlacement& bounds, TRegistry& registry, std::string_view prefix);

// WriteBounds, then ".Stav" = WindowState.
void WriteFormPlacement(const TFormPlacement& placement, TRegistry& registry,
                        std::string_view prefix);

// Reads ".X", ".Y", ".W", ".H" as integers of any value, stopping at the first
// that fails; only when all four succeed are the bounds replaced, together.
// True when they were.
bool ReadBounds(TFormPlacement& bounds, const TRegistry& registry, std::string_view prefix);

// ReadBounds, then, whatever that gave, ".Stav" in the range 0 to 2, which
// replaces WindowState when it reads.
void ReadFormPlacement(TFormPlacement& placement, const TRegistry& registry,
                       std::string_view prefix);

} // namespace mecovnik
