#pragma once

#include "platform/TVersionRule.h"

#include <optional>

namespace mecovnik {

// Platform id reported by a system that is not Windows; the version rule accepts it.
inline constexpr std::uint32_t VER_PLATFORM_NON_WINDOWS = 3;

// Asks the running system for its version; no value when the query fails.
[[nodiscard]] std::optional<TOsVersionInfo> QuerySystemVersion();

} // namespace mecovnik
