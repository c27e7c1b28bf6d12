#pragma once

#include <vector>

namespace mecovnik {

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TTileMode
{
    Horizontal, // one above the other
    Vertical,   // side by side
};

// Splits the client area among count windows: equal strips, the last strip
// taking the rounding remainder so the windows cover the area exactly.
[[nodiscard]] std::vector<TRect> TileRects(const TRect& area, int count, TTileMode mode);

// Cascades count windows over the area, the first one at the back: each is
// offset by step (the height of a title bar) right and down from the one
// behind it, so every title bar shows, and all are as large as the last
// offset leaves them. A run never shrinks a window below half the area in
// either direction; more windows than fit that way start a new run at the
// area's corner. A step below 1 counts as 1.
[[nodiscard]] std::vector<TRect> CascadeRects(const TRect& area, int count, int step);

// Places count minimised windows of one size along the bottom of the area,
// left to right, starting a new row above when a row is full.
[[nodiscard]] std::vector<TRect> IconRects(const TRect& area, int iconWidth, int iconHeight,
                                           int count);

} // namespace mecovnik
