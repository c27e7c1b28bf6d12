#include "roster/RosterZoom.h"

#include <algorithm>

namespace mecovnik {

namespace {

int Clamped(int percent)
{
    return std::clamp(percent, kZoomNormal, kZoomLargest);
}

} // namespace

int LargerZoom(int percent)
{
    for (const int step : kZoomSteps)
        if (step > percent)
            return step;
    return Clamped(percent);
}

int SmallerZoom(int percent)
{
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < percent)
            return *it;
    return Clamped(percent);
}

bool ValidZoom(int percent)
{
    return percent >= kZoomNormal && percent <= kZoomLargest;
}

int Zoomed(int normal, int percent)
{
    const long long scaled = (static_cast<long long>(normal) * Clamped(percent) + 50) / 100;
    return std::max(normal, static_cast<int>(scaled));
}

} // namespace mecovnik
