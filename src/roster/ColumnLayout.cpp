#include "roster/ColumnLayout.h"

#include <algorithm>
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

std::vector<int> FollowHeaderWidth(int headerWidth, std::vector<int> widths)
{
    if (widths.empty())
        return widths;
    widths.back() = std::max(0, LastSectionFillWidth(headerWidth, widths));
    return widths;
}

std::vector<int> ZoomColumnWidths(int headerWidth, std::vector<int> widths, int oldPercent,
                                  int newPercent)
{
    if (widths.empty() || oldPercent <= 0)
        return widths;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        const long long scaled =
            (static_cast<long long>(widths[i]) * newPercent + oldPercent / 2) / oldPercent;
        widths[i] = static_cast<int>(std::clamp<long long>(scaled, 0, 1'000'000));
    }
    return FollowHeaderWidth(headerWidth, std::move(widths));
}

} // namespace mecovnik
