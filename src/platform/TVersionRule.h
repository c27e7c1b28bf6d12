#pragma once

#include <cstdint>
#include <optional>

namespace mecovnik {

// What the system's version query returns (the 148-byte version record's numbers).
struct TOsVersionInfo
{
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t BuildNumber = 0;
    std::uint32_t PlatformId = 0;
};

inline constexpr std::uint32_t VER_PLATFORM_WIN32s = 0;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

// Whether the program may run on this system. No value means the query failed,
// which is rejected. Win32s and NT before 3.51 are rejected; the Windows 95
// family, NT 3.51 and later, and any other platform id are accepted.
[[nodiscard]] bool IsSupportedSystemVersion(const std::optional<TOsVersionInfo>& version);

} // namespace mecovnik
