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

// Places count minimised windows of one size along the bottom of the area,
// left to right, starting a new row above when a row is full.
[[nodiscard]] std::vector<TRect> IconRects(const TRect& area, int iconWidth, int iconHeight,
                                           int count);

} // namespace mecovnik
