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

// Where a window of the given outer size opens beside another window (anchor,
// outer bounds) on a screen whose available area is given: wholly within the
// area, no larger than it; right of the anchor where it fits there, else left
// of it where it fits there, else beside it on the side with more room,
// narrowed to that room when the room is at least minWidth wide, else at the
// area's edge on that side at its full width. Its top is the anchor's, moved
// just enough to keep it within the area. Never overflows, whatever the
// numbers; an empty area gives an empty window at its corner.
[[nodiscard]] TScreenRect PlaceBeside(const TScreenRect& anchor, std::int32_t width,
                                      std::int32_t height, const TScreenRect& area,
                                      std::int32_t minWidth);

} // namespace mecovnik
