#include "platform/SystemVersion.h"

#include <QOperatingSystemVersion>

namespace mecovnik {

std::optional<TOsVersionInfo> QuerySystemVersion()
{
    const auto current = QOperatingSystemVersion::current();
    TOsVersionInfo info;
    info.MajorVersion = static_cast<std::uint32_t>(std::max(current.majorVersion(), 0));
    info.MinorVersion = static_cast<std::uint32_t>(std::max(current.minorVersion(), 0));
    info.BuildNumber = static_cast<std::uint32_t>(std::max(current.microVersion(), 0));
    info.PlatformId = current.type() == QOperatingSystemVersion::Windows ? VER_PLATFORM_WIN32_NT
                                                                         : VER_PLATFORM_NON_WINDOWS;
    return info;
}

} // namespace mecovnik
