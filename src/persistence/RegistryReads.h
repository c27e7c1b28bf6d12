#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mecovnik {

class TRegistry;

// Checked reads of one value of the registry's open key. Each accepts the value
// only when it exists with the expected type (and range or size); otherwise it
// reports failure and leaves the destination untouched. None of them throws for
// a missing or mistyped value.

// True, and value = v, when the value is a 32-bit integer v with min <= v <= max.
// Note the order: max, then min.
bool RegReadInteger(const TRegistry& registry, std::string_view name, std::int32_t& value,
                    std::int32_t max, std::int32_t min);

// True, and flag = (v != 0), when the value is a 32-bit integer v.
bool RegReadBool(const TRegistry& registry, std::string_view name, bool& flag);

// Reads a binary value of exactly buffer.size() bytes into buffer and returns
// that size; -1, reading nothing, when the value is missing, not binary or of
// any other size.
int RegReadBinary(const TRegistry& registry, std::string_view name, std::span<std::uint8_t> buffer);

// What RegClearKey removes.
inline constexpr int kClearSubkeys = 1;
inline constexpr int kClearValues = 2;

// Removes from the open key every subkey with everything below it (bit
// kClearSubkeys of what), then every value (bit kClearValues). The names are
// collected before anything is removed.
void RegClearKey(TRegistry& registry, int what);

} // namespace mecovnik
