#pragma once

#include "toolbar/ToolbarTables.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace mecovnik {

// Sizes of the toolbar's items and its placing steps, in pixels.
inline constexpr std::int32_t kButtonSize = 25;
inline constexpr std::int32_t kSeparatorWidth = 2;
inline constexpr std::int32_t kLayoutOrigin = 4;
inline constexpr std::int32_t kRowStep = 29;
inline constexpr std::int32_t kSpaceWidth = 4;
// Positions are kept within this distance of the origin and separator heights
// within 1 and this, whatever a stored layout says.
inline constexpr std::int32_t kCoordinateLimit = 32767;

struct TPoint
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// The placed items of a layout: buttons and separators with their positions
// and sizes, in record order. Placing starts at (4, 4); a left or top other
// than -1 moves the running position there; a new line goes to x 4 and 29
// down; a space moves 4 right; a separator is 2 wide and its record's height
// high (-1: the toolbar's height at y 0; 0: 25); a button with a definition
// (hasDefinition) is 25 x 25; any other id places nothing. Positions are
// clamped to +-kCoordinateLimit and separator heights to 1..kCoordinateLimit,
// so stored values far out of range place items out of sight, never overflow.
[[nodiscard]] std::vector<TToolbarLayoutItem>
PlaceLayout(std::span<const TToolbarLayoutItem> records, std::int32_t toolbarHeight,
            const std::function<bool(std::int32_t)>& hasDefinition);

// Where an item dragged with its top-left corner at corner lands after
// snapping to the placed items (skipping the one at index skip, the dragged
// one) and to the rows of a toolbar toolbarHeight high.
[[nodiscard]] TPoint SnapItemCorner(TPoint corner, bool draggedIsSeparator,
                                    std::span<const TToolbarLayoutItem> placed,
                                    std::optional<std::size_t> skip, std::int32_t toolbarHeight);

// The geometry an item of id dropped with its top-left corner at corner takes:
// 25 x 25 there, or for a separator x, y 0, 2 wide and the toolbar's height.
[[nodiscard]] TToolbarLayoutItem DroppedGeometry(std::int32_t id, TPoint corner,
                                                 std::int32_t toolbarHeight);

} // namespace mecovnik
