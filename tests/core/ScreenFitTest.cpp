#include "persistence/ScreenFit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace mecovnik {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Two screens side by side, the primary one on the right, each with a panel
// at the bottom: the available virtual desktop is 0,0 3200x1160.
const std::vector<TScreenRect> kScreens{{0, 0, 1280, 1000}, {1280, 0, 1920, 1160}};
constexpr std::size_t kPrimary = 1;

struct TCase
{
    const char* Why;
    TScreenRect Stored;
    TScreenRect Fitted;
};

TEST(ScreenFit, StoredBoundsAreKeptWithinWhatTheScreensShow)
{
    const TCase cases[] = {
        {"on a screen: unchanged", {100, 80, 700, 500}, {100, 80, 700, 500}},
        {"across both screens: unchanged", {1000, 100, 800, 600}, {1000, 100, 800, 600}},
        {"partly off the screens: unchanged", {-300, -20, 700, 500}, {-300, -20, 700, 500}},
        {"a hostile size: the available desktop at most", {0, 0, 32767, 32767}, {0, 0, 3200, 1160}},
        {"wholly off to the right: onto the primary screen, at its right edge",
         {5000, 100, 700, 500},
         {2500, 100, 700, 500}},
        {"wholly below: onto the primary screen, at its bottom",
         {1500, 4000, 700, 500},
         {1500, 660, 700, 500}},
        {"in the gap below the smaller screen's panel: onto the primary screen",
         {100, 1100, 700, 50},
         {1280, 1100, 700, 50}},
        {"a hostile size elsewhere: cut down and moved onto the desktop",
         {900, 300, 32767, 32767},
         {0, 0, 3200, 1160}},
        {"too wide only: moved sideways only", {2000, 100, 5000, 500}, {0, 100, 3200, 500}},
        {"the largest numbers: no overflow", {kMax, kMax, kMax, kMax}, {0, 0, 3200, 1160}},
        {"the smallest numbers", {kMin, kMin, kMin, kMin}, {0, 0, 0, 0}},
        {"far left with a sane size", {kMin, 10, 700, 500}, {1280, 10, 700, 500}},
        {"an empty window on a screen stays", {10, 10, 0, 0}, {10, 10, 0, 0}},
    };
    for (const TCase& c : cases) {
        const TScreenRect got = FitBoundsToScreens(c.Stored, kScreens, kPrimary);
        EXPECT_EQ(got, c.Fitted) << c.Why << ": got " << got.Left << ',' << got.Top << ' '
                                 << got.Width << 'x' << got.Height;
    }
    // Without screens nothing is known, so nothing changes.
    EXPECT_EQ(FitBoundsToScreens({5, 6, 99999, 7}, {}, 0), (TScreenRect{5, 6, 99999, 7}));
}

} // namespace
} // namespace mecovnik
