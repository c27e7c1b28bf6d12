#pragma once

#include <cstdint>
#include <vector>

namespace mecovnik {

// A rectangle in desktop pixels: left, top, width and height.
struct TScreenRect
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

// Stored outer bounds made fit for the screens, whose available areas (without
// panels and docks) are given, the primary one at index primary:
// - no wider or taller than the available virtual desktop (the rectangle
//   around all available areas), and no less than 0; a window cut down so is
//   moved onto that rectangle;
// - a window that would lie wholly off every available area is brought onto
//   the primary one, as close to where it was as it fits;
// - anything else stays as it is, a window partly off the screens included.
// Without screens the bounds stay as they are. Never overflows, whatever the
// stored numbers.
[[nodiscard]] TScreenRect FitBoundsToScreens(const TScreenRect& bounds,
                                             const std::vector<TScreenRect>& screens,
                                             std::size_t primary);

} // namespace mecovnik
