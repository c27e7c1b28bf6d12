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

namespace {

int Scaled(int width, int numerator, int denominator)
{
    if (denominator <= 0)
        return width;
    const long long scaled =
        (static_cast<long long>(width) * numerator + denominator / 2) / denominator;
    return static_cast<int>(std::clamp<long long>(scaled, 0, 1'000'000));
}

} // namespace

std::vector<int> ZoomColumnWidths(int headerWidth, const std::vector<int>& normalWidths,
                                  int percent)
{
    std::vector<int> widths;
    long long total = 0;
    for (const int w : normalWidths) {
        widths.push_back(Scaled(std::max(w, 0), percent, 100));
        total += widths.back();
    }
    if (widths.empty())
        return widths;
    if (total > headerWidth && total > 0) {
        for (int& w : widths)
            w = static_cast<int>(
                (static_cast<long long>(w) * std::max(headerWidth, 0) + total / 2) / total);
    }
    return FollowHeaderWidth(headerWidth, std::move(widths));
}

std::vector<int> NormalColumnWidths(const std::vector<int>& widths, int percent)
{
    std::vector<int> normal;
    normal.reserve(widths.size());
    for (const int w : widths)
        normal.push_back(Scaled(w, 100, percent));
    return normal;
}

} // namespace mecovnik
