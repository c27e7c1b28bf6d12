#include "persistence/ScreenFit.h"

#include <algorithm>

namespace mecovnik {

namespace {

// 64-bit edges, so that no stored number can overflow.
struct TEdges
{
    std::int64_t Left, Top, Right, Bottom; // right and bottom exclusive
};

TEdges Edges(const TScreenRect& r)
{
    return {r.Left, r.Top, std::int64_t{r.Left} + std::max(r.Width, 0),
            std::int64_t{r.Top} + std::max(r.Height, 0)};
}

bool Overlap(const TEdges& a, const TEdges& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// A start that keeps a span of size within [low, high), as near start as can be.
std::int64_t Within(std::int64_t start, std::int64_t size, std::int64_t low, std::int64_t high)
{
    return std::max(low, std::min(start, high - size));
}

} // namespace

TScreenRect FitBoundsToScreens(const TScreenRect& bounds, const std::vector<TScreenRect>& screens,
                               std::size_t primary)
{
    if (screens.empty())
        return bounds;
    TEdges desktop = Edges(screens.front());
    for (const TScreenRect& screen : screens) {
        const TEdges e = Edges(screen);
        desktop = {std::min(desktop.Left, e.Left), std::min(desktop.Top, e.Top),
                   std::max(desktop.Right, e.Right), std::max(desktop.Bottom, e.Bottom)};
    }
    TScreenRect fitted = bounds;
    fitted.Width = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(bounds.Width, 0, desktop.Right - desktop.Left));
    fitted.Height = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(bounds.Height, 0, desktop.Bottom - desktop.Top));
    // A window cut down to the desktop is also moved onto it, so that all of
    // it can be reached.
    if (fitted.Width != bounds.Width)
        fitted.Left = static_cast<std::int32_t>(
            Within(fitted.Left, fitted.Width, desktop.Left, desktop.Right));
    if (fitted.Height != bounds.Height)
        fitted.Top = static_cast<std::int32_t>(
            Within(fitted.Top, fitted.Height, desktop.Top, desktop.Bottom));

    // An empty window still has a place: it counts as one pixel.
    TEdges window = Edges(fitted);
    window.Right = std::max(window.Right, window.Left + 1);
    window.Bottom = std::max(window.Bottom, window.Top + 1);
    for (const TScreenRect& screen : screens)
        if (Overlap(window, Edges(screen)))
            return fitted;

    const TEdges home = Edges(screens[primary < screens.size() ? primary : 0]);
    fitted.Left =
        static_cast<std::int32_t>(Within(fitted.Left, fitted.Width, home.Left, home.Right));
    fitted.Top =
        static_cast<std::int32_t>(Within(fitted.Top, fitted.Height, home.Top, home.Bottom));
    return fitted;
}

TScreenRect PlaceBeside(const TScreenRect& anchor, std::int32_t width, std::int32_t height,
                        const TScreenRect& area, std::int32_t minWidth)
{
    const TEdges a = Edges(area);
    const TEdges beside = Edges(anchor);
    std::int64_t w = std::clamp<std::int64_t>(width, 0, a.Right - a.Left);
    const std::int64_t h = std::clamp<std::int64_t>(height, 0, a.Bottom - a.Top);
    // The room on each side of the anchor within the area.
    const std::int64_t roomRight = beside.Right >= a.Left ? a.Right - beside.Right : -1;
    const std::int64_t roomLeft = beside.Left <= a.Right ? beside.Left - a.Left : -1;
    const bool rightSide = roomRight >= roomLeft;
    const std::int64_t room = std::max(roomRight, roomLeft);
    std::int64_t left = 0;
    if (roomRight >= w) {
        left = beside.Right;
    } else if (roomLeft >= w) {
        left = beside.Left - w;
    } else if (room >= std::max<std::int64_t>(minWidth, 1)) {
        w = room;
        left = rightSide ? beside.Right : beside.Left - w;
    } else {
        const bool moreOnTheRight = a.Right - beside.Right >= beside.Left - a.Left;
        left = moreOnTheRight ? a.Right - w : a.Left;
    }
    return {static_cast<std::int32_t>(Within(left, w, a.Left, a.Right)),
            static_cast<std::int32_t>(Within(beside.Top, h, a.Top, a.Bottom)),
            static_cast<std::int32_t>(w), static_cast<std::int32_t>(h)};
}

} // namespace mecovnik
