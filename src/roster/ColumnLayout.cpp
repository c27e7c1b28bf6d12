#include "roster/ColumnLayout.h"

#include <numeric>

namespace mecovnik {

std::vector<int> ResetColumnWidths(int headerWidth, int sectionCount)
{
    if (sectionCount <= 0)
        return {};
    const int w = headerWidth / (sectionCount + 1);
    std::vector<int> widths(static_cast<std::size_t>(sectionCount), w);
    widths.front() = 2 * w;
    // With one section this overwrites the 2*w: that section gets W - w.
    widths.back() = headerWidth - sectionCount * w;
    return widths;
}

int LastSectionFillWidth(int headerWidth, const std::vector<int>& widths)
{
    const int others = std::accumulate(widths.begin(), widths.end() - 1, 0);
    return headerWidth - others;
}

} // namespace mecovnik
