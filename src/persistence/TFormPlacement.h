#pragma once

#include <cstdint>

namespace mecovnik {

// Placement of a form: outer bounds and window state (0 normal, 1 minimised,
// 2 maximised). Width or Height -1 means no bounds are stored.
struct TFormPlacement
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = -1;
    std::int32_t Height = -1;
    std::uint8_t WindowState = 0;
    friend bool operator==(const TFormPlacement&, const TFormPlacement&) = default;
};

} // namespace mecovnik
