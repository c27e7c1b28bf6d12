#pragma once

#include "toolbar/TToolbarState.h"

#include <memory>
#include <string_view>

namespace mecovnik {

class TRegistry;

inline constexpr std::int32_t kToolbarStateVersion = 1;

// Rewrites subkey below registry's open key with the state: "Verze",
// "Viditelný", "Zobrazovat popisky", "Počet tlačítek" and, for a non-empty
// layout, "Tlačítka". The old subkey goes first; ERegistryException("OpenKey")
// when the new one cannot be made.
void SaveToolbarState(TRegistry& registry, std::string_view subkey, const TToolbarState& state,
                      std::int32_t version = kToolbarStateVersion);

// What the values SaveToolbarState writes count in the written file.
[[nodiscard]] std::size_t ToolbarValuesBytes(const TToolbarState& state);

// The state stored in subkey below registry's open key; nullptr when the
// subkey is missing or its "Verze" is not version. Missing or mistyped flags
// stay on; a layout whose bytes are not exactly "Počet tlačítek" records (a
// negative or huge count included) is dropped, and no allocation is sized by
// the count before the stored bytes are seen to match it.
[[nodiscard]] std::unique_ptr<TToolbarState>
LoadToolbarState(const TRegistry& registry, std::string_view subkey,
                 std::int32_t version = kToolbarStateVersion);

} // namespace mecovnik
