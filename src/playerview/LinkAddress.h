#pragma once

#include <QString>

namespace mecovnik {

// The address of this computer that the players' phones can reach
// (PickLinkAddress over the computer's interfaces as they are now).
[[nodiscard]] QString LinkAddress();

} // namespace mecovnik
