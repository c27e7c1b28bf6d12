#include "app/WindowTiling.h"

#include <algorithm>

namespace mecovnik {

std::vector<TRect> TileRects(const TRect& area, int count, TTileMode mode)
{
    std::vector<TRect> rects;
    if (count <= 0)
        return rects;
    const bool vertical = mode == TTileMode::Vertical;
    const int total = vertical ? area.Width : area.Height;
    const int strip = total / count;
    for (int i = 0; i < count; ++i) {
        const int offset = i * strip;
        const int size = i == count - 1 ? total - offset : strip;
        if (vertical)
            rects.push_back({area.Left + offset, area.Top, size, area.Height});
        else
            rects.push_back({area.Left, area.Top + offset, area.Width, size});
    }
    return rects;
}

} // namespace mecovnik

namespace mecovnik {

std::vector<TRect> CascadeRects(const TRect& area, int count, int step)
{
    std::vector<TRect> rects;
    if (count <= 0)
        return rects;
    step = std::max(step, 1);
    const int width = std::max(area.Width, 0);
    const int height = std::max(area.Height, 0);
    // The largest offset in a run keeps both sizes at half the area or more.
    const int offsets = std::min(width, height) / 2 / step;
    const int perRun = std::min(count, offsets + 1);
    const int last = (perRun - 1) * step;
    for (int i = 0; i < count; ++i) {
        const int offset = (i % perRun) * step;
        rects.push_back({area.Left + offset, area.Top + offset, width - last, height - last});
    }
    return rects;
}

std::vector<TRect> IconRects(const TRect& area, int iconWidth, int iconHeight, int count)
{
    std::vector<TRect> rects;
    if (count <= 0 || iconWidth <= 0 || iconHeight <= 0)
        return rects;
    const int perRow = area.Width >= iconWidth ? area.Width / iconWidth : 1;
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        rects.push_back({area.Left + column * iconWidth,
                         area.Top + area.Height - (row + 1) * iconHeight, iconWidth, iconHeight});
    }
    return rects;
}

} // namespace mecovnik
