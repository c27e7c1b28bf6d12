#include "persistence/ScreenFit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
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

// A window that opens beside another: the help window beside the window
// that asked for it.
TEST(ScreenFit, AWindowOpensBesideTheOneThatAskedWhollyOnItsScreen)
{
    const TScreenRect screen{0, 0, 1280, 1000};
    constexpr std::int32_t kNarrowest = 400;
    struct TBeside
    {
        const char* Why;
        TScreenRect Anchor;
        std::int32_t Width, Height;
        TScreenRect Placed;
    };
    const TBeside cases[] = {
        {"room on the right: right of it, at its top",
         {100, 50, 400, 300},
         640,
         540,
         {500, 50, 640, 540}},
        {"no room on the right: left of it", {700, 50, 400, 300}, 640, 540, {60, 50, 640, 540}},
        {"low on the screen: moved up just enough",
         {100, 800, 400, 150},
         640,
         540,
         {500, 460, 640, 540}},
        {"room on neither side, more on the left: narrowed to it",
         {600, 100, 620, 300},
         640,
         540,
         {0, 100, 600, 540}},
        {"too little room on either side: at the edge with more room",
         {200, 100, 700, 300},
         640,
         540,
         {640, 100, 640, 540}},
        {"larger than the screen: beside it, narrowed to the room",
         {100, 50, 400, 300},
         5000,
         5000,
         {500, 0, 780, 1000}},
        {"an anchor off the screen: at the edge with more room",
         {-900, -900, 400, 300},
         640,
         540,
         {640, 0, 640, 540}},
        {"the largest numbers", {kMax, kMax, kMax, kMax}, kMax, kMax, {0, 0, 1280, 1000}},
        {"the smallest numbers: empty, on the side with more room",
         {kMin, kMin, kMin, kMin},
         kMin,
         kMin,
         {1280, 0, 0, 0}},
    };
    for (const TBeside& c : cases) {
        const TScreenRect got = PlaceBeside(c.Anchor, c.Width, c.Height, screen, kNarrowest);
        EXPECT_EQ(got, c.Placed) << c.Why << ": got " << got.Left << ',' << got.Top << ' '
                                 << got.Width << 'x' << got.Height;
    }
    EXPECT_EQ(PlaceBeside({10, 10, 50, 50}, 640, 540, {30, 40, 0, 0}, kNarrowest),
              (TScreenRect{30, 40, 0, 0}));

    // Whatever the windows and the screen: wholly on the screen; as large as
    // asked or as the screen, beside the anchor on the right or else on the
    // left whenever it fits there; where it fits on neither side, beside it
    // narrowed to no less than the narrowest width, or at full width; level
    // with the anchor's top where it can be.
    std::mt19937 random(1515);
    std::uniform_int_distribution<std::int32_t> pos(-3000, 3000);
    std::uniform_int_distribution<std::int32_t> size(0, 2500);
    for (int i = 0; i < 20000; ++i) {
        const TScreenRect area{pos(random), pos(random), size(random), size(random)};
        const TScreenRect anchor{pos(random), pos(random), size(random), size(random)};
        const std::int32_t w = size(random);
        const std::int32_t h = size(random);
        const std::int32_t narrowest = size(random) / 4;
        const TScreenRect got = PlaceBeside(anchor, w, h, area, narrowest);
        const std::int32_t full = std::min(w, area.Width);
        ASSERT_EQ(got.Height, std::min(h, area.Height));
        ASSERT_GE(got.Left, area.Left);
        ASSERT_GE(got.Top, area.Top);
        ASSERT_LE(got.Left + got.Width, area.Left + area.Width);
        ASSERT_LE(got.Top + got.Height, area.Top + area.Height);
        const std::int32_t anchorRight = anchor.Left + anchor.Width;
        const bool fitsRight =
            anchorRight >= area.Left && anchorRight + full <= area.Left + area.Width;
        const bool fitsLeft =
            anchor.Left - full >= area.Left && anchor.Left <= area.Left + area.Width;
        if (fitsRight) {
            ASSERT_EQ(got.Left, anchorRight);
            ASSERT_EQ(got.Width, full);
        } else if (fitsLeft) {
            ASSERT_EQ(got.Left + got.Width, anchor.Left);
            ASSERT_EQ(got.Width, full);
        } else if (got.Width != full) {
            ASSERT_GE(got.Width, std::max(narrowest, 1));
            ASSERT_LT(got.Width, full);
            ASSERT_TRUE(got.Left == anchorRight || got.Left + got.Width == anchor.Left);
        }
        if (anchor.Top >= area.Top && anchor.Top + got.Height <= area.Top + area.Height) {
            ASSERT_EQ(got.Top, anchor.Top);
        }
    }
}

} // namespace
} // namespace mecovnik
