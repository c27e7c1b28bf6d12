#include "platform/TVersionRule.h"

namespace mecovnik {

bool IsSupportedSystemVersion(const std::optional<TOsVersionInfo>& version)
{
    if (!version)
        return false;
    switch (version->PlatformId) {
    case VER_PLATFORM_WIN32s:
        return false;
    case VER_PLATFORM_WIN32_WINDOWS:
        return true;
    case VER_PLATFORM_WIN32_NT:
        return version->MajorVersion >= 4 ||
               (version->MajorVersion == 3 && version->MinorVersion >= 51);
    default:
        return true;
    }
}

} // namespace mecovnik
