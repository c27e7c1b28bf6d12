#pragma once

#include <QEvent>

namespace mecovnik {

// Private messages of the main window, numbered from the first user message (1024).
inline constexpr auto UM_LOADCONFIGURATION = static_cast<QEvent::Type>(1124);
inline constexpr auto UM_UPDATECOMMANDS = static_cast<QEvent::Type>(1128);
inline constexpr auto UM_SHOWCREDITS = static_cast<QEvent::Type>(1130);
inline constexpr auto UM_ARRANGEWINDOWS = static_cast<QEvent::Type>(1131);

} // namespace mecovnik
