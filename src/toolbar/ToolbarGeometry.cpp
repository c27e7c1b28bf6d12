#include "toolbar/ToolbarGeometry.h"

#include <algorithm>

namespace mecovnik {

namespace {

std::int32_t Clamp(std::int64_t v, std::int64_t low, std::int64_t high)
{
    return static_cast<std::int32_t>(std::clamp(v, low, high));
}

std::int32_t ClampCoordinate(std::int64_t v)
{
    return Clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

} // namespace

std::vector<TToolbarLayoutItem> PlaceLayout(std::span<const TToolbarLayoutItem> records,
                                            std::int32_t toolbarHeight,
                                            const std::function<bool(std::int32_t)>& hasDefinition)
{
    std::vector<TToolbarLayoutItem> placed;
    placed.reserve(records.size());
    std::int64_t x = kLayoutOrigin;
    std::int64_t y = kLayoutOrigin;
    for (const TToolbarLayoutItem& r : records) {
        if (r.Left != -1)
            x = ClampCoordinate(r.Left);
        if (r.Top != -1)
            y = ClampCoordinate(r.Top);
        switch (r.Id) {
        case tbNewLine:
            x = kLayoutOrigin;
            y = ClampCoordinate(y + kRowStep);
            break;
        case tbSpace:
            x = ClampCoordinate(x + kSpaceWidth);
            break;
        case tbSeparator: {
            TToolbarLayoutItem s{tbSeparator, static_cast<std::int32_t>(x),
                                 static_cast<std::int32_t>(y), kSeparatorWidth, r.Height};
            if (r.Height == -1) {
                s.Top = 0;
                s.Height = std::max(toolbarHeight, 0);
            } else if (r.Height == 0) {
                s.Height = kButtonSize;
            } else {
                s.Height = Clamp(r.Height, 1, kCoordinateLimit);
            }
            placed.push_back(s);
            x = ClampCoordinate(x + kSeparatorWidth);
            break;
        }
        default:
            if (!hasDefinition(r.Id))
                break;
            placed.push_back({r.Id, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                              kButtonSize, kButtonSize});
            x = ClampCoordinate(x + kButtonSize);
            break;
        }
    }
    return placed;
}

TPoint SnapItemCorner(TPoint corner, bool draggedIsSeparator,
                      std::span<const TToolbarLayoutItem> placed, std::optional<std::size_t> skip,
                      std::int32_t toolbarHeight)
{
    std::int64_t x = corner.X;
    std::int64_t y = corner.Y;
    const std::int64_t h = toolbarHeight;
    bool xSnapped = false;
    bool ySnapped = false;
    if (draggedIsSeparator && -h < y && y < h)
        y = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (skip && *skip == i)
            continue;
        const TToolbarLayoutItem& e = placed[i];
        const std::int64_t l = e.Left;
        const std::int64_t r = l + e.Width;
        const std::int64_t t = e.Top;
        const std::int64_t b = t + e.Height;
        const bool entryIsSeparator = e.Id == tbSeparator;
        if (!draggedIsSeparator && !entryIsSeparator) {
            if (!(l - 29 <= x && x <= r + 4 && t - 29 <= y && y <= b + 4))
                continue;
            if (!xSnapped) {
                x = x < l - 12 ? l - 25 : (x <= r - 12 ? l : r);
                xSnapped = true;
            }
            if (!ySnapped) {
                y = y < t - 12 ? t - 25 : (y <= b - 12 ? t : b);
                ySnapped = true;
            }
        } else if (!xSnapped) {
            const std::int64_t before = draggedIsSeparator ? 10 : 33;
            const std::int64_t offset = draggedIsSeparator ? 6 : 29;
            if (x > l && x <= r + 10) {
                x = r + 4;
                xSnapped = true;
            } else if (x <= l && x >= l - before) {
                x = l - offset;
                xSnapped = true;
            }
        }
    }
    if (!draggedIsSeparator && !ySnapped && 0 <= y && y <= h)
        y = (y / kButtonSize) * kButtonSize + kLayoutOrigin;
    return {ClampCoordinate(x), ClampCoordinate(y)};
}

TToolbarLayoutItem DroppedGeometry(std::int32_t id, TPoint corner, std::int32_t toolbarHeight)
{
    if (id == tbSeparator)
        return {id, corner.X, 0, kSeparatorWidth, std::max(toolbarHeight, 0)};
    return {id, corner.X, corner.Y, kButtonSize, kButtonSize};
}

} // namespace mecovnik
