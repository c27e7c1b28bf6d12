#include "app/CommandEnabling.h"
#include "app/HelpFileName.h"
#include "app/WindowTiling.h"
#include "platform/TVersionRule.h"

#include <gtest/gtest.h>

#include <string>

namespace mecovnik {
namespace {

TEST(VersionRule, AcceptsWindows95NtFrom351AndOtherSystems)
{
    struct Case
    {
        std::optional<TOsVersionInfo> Version;
        bool Accepted;
        const char* Why;
    };
    const Case cases[] = {
        {std::nullopt, false, "a failed query"},
        {TOsVersionInfo{3, 11, 0, VER_PLATFORM_WIN32s}, false, "Win32s"},
        {TOsVersionInfo{4, 0, 950, VER_PLATFORM_WIN32_WINDOWS}, true, "Windows 95"},
        {TOsVersionInfo{0, 0, 0, VER_PLATFORM_WIN32_WINDOWS}, true, "any 95 family"},
        {TOsVersionInfo{3, 50, 807, VER_PLATFORM_WIN32_NT}, false, "NT 3.50"},
        {TOsVersionInfo{3, 51, 1057, VER_PLATFORM_WIN32_NT}, true, "NT 3.51"},
        {TOsVersionInfo{3, 99, 0, VER_PLATFORM_WIN32_NT}, true, "NT 3.99"},
        {TOsVersionInfo{2, 99, 0, VER_PLATFORM_WIN32_NT}, false, "NT 2.99"},
        {TOsVersionInfo{4, 0, 1381, VER_PLATFORM_WIN32_NT}, true, "NT 4.0"},
        {TOsVersionInfo{10, 0, 19045, VER_PLATFORM_WIN32_NT}, true, "Windows 10"},
        {TOsVersionInfo{6, 1, 0, 3}, true, "a system that is not Windows"},
        {TOsVersionInfo{0, 0, 0, 0xFFFFFFFF}, true, "an unknown platform id"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSupportedSystemVersion(c.Version), c.Accepted) << c.Why;
}

TEST(CommandEnabling, ACommandThatDoesNotApplySaysWhy)
{
    using enum TCommandNeed;
    // {active character, characters, active monster, monsters}
    const TRosterState empty{false, false, false, false};
    const TRosterState rowsOnly{false, true, false, true};
    const TRosterState characterOnly{true, true, false, true};
    const TRosterState both{true, true, true, true};
    EXPECT_EQ(WhyDisabled(ActiveCharacterAndMonster, empty), "Vyberte postavu i nestvůru.");
    EXPECT_EQ(WhyDisabled(ActiveCharacterAndMonster, characterOnly), "Vyberte postavu i nestvůru.");
    EXPECT_EQ(WhyDisabled(ActiveCharacterAndMonster, both), "");
    EXPECT_EQ(WhyDisabled(ActiveCharacter, rowsOnly), "Vyberte postavu.");
    EXPECT_EQ(WhyDisabled(ActiveCharacter, empty), "Nejdříve přidejte postavu.");
    EXPECT_EQ(WhyDisabled(Characters, empty), "Nejdříve přidejte postavu.");
    EXPECT_EQ(WhyDisabled(ActiveMonster, rowsOnly), "Vyberte nestvůru.");
    EXPECT_EQ(WhyDisabled(ActiveMonster, empty), "Nejdříve přidejte nestvůru.");
    EXPECT_EQ(WhyDisabled(Monsters, empty), "Nejdříve přidejte nestvůru.");
    for (const TCommandNeed need :
         {ActiveCharacter, Characters, ActiveMonster, Monsters, ActiveCharacterAndMonster})
        for (const TRosterState& state : {empty, rowsOnly, characterOnly, both})
            EXPECT_EQ(WhyDisabled(need, state).empty(), IsEnabled(need, state));
}

TEST(HelpFileName, ReplacesOrAppendsTheExtension)
{
    EXPECT_EQ(HelpFileFor("D:\\hra\\program.exe"), "D:\\hra\\program.HLP");
    EXPECT_EQ(HelpFileFor("/usr/bin/mecovnik"), "/usr/bin/mecovnik.HLP");
    EXPECT_EQ(HelpFileFor("/opt/hra.1/mecovnik"), "/opt/hra.1/mecovnik.HLP");
    EXPECT_EQ(HelpFileFor("/opt/a.b.c"), "/opt/a.b.HLP");
    EXPECT_EQ(HelpFileFor("mecovnik"), "mecovnik.HLP");
    EXPECT_EQ(HelpFileFor(""), ".HLP");
}

TEST(WindowTiling, StripsCoverTheAreaExactly)
{
    const TRect area{0, 0, 801, 601};
    const auto side = TileRects(area, 2, TTileMode::Vertical);
    ASSERT_EQ(side.size(), 2u);
    EXPECT_EQ(side[0], (TRect{0, 0, 400, 601}));
    EXPECT_EQ(side[1], (TRect{400, 0, 401, 601}));

    const auto stacked = TileRects(area, 3, TTileMode::Horizontal);
    ASSERT_EQ(stacked.size(), 3u);
    EXPECT_EQ(stacked[0], (TRect{0, 0, 801, 200}));
    EXPECT_EQ(stacked[1], (TRect{0, 200, 801, 200}));
    EXPECT_EQ(stacked[2], (TRect{0, 400, 801, 201}));

    EXPECT_TRUE(TileRects(area, 0, TTileMode::Vertical).empty());
    EXPECT_EQ(TileRects({10, 20, 100, 50}, 1, TTileMode::Vertical)[0], (TRect{10, 20, 100, 50}));
}

// Cascaded windows stay large (half the area or more each way), lie within
// the area, and no window covers the title bar of one behind it in its run.
TEST(WindowTiling, CascadeKeepsWindowsLargeAndTitleBarsVisible)
{
    const auto contains = [](const TRect& r, int x, int y) {
        return x >= r.Left && x < r.Left + r.Width && y >= r.Top && y < r.Top + r.Height;
    };
    for (const TRect area : {TRect{0, 0, 900, 600}, TRect{10, 20, 300, 700}, TRect{0, 0, 60, 60}}) {
        for (const int step : {0, 22, 30, 200}) {
            for (int count = 1; count <= 12; ++count) {
                const auto rects = CascadeRects(area, count, step);
                ASSERT_EQ(rects.size(), static_cast<std::size_t>(count));
                const int runLength = std::max(step, 1);
                for (int i = 0; i < count; ++i) {
                    const TRect& r = rects[static_cast<std::size_t>(i)];
                    EXPECT_GE(2 * r.Width, area.Width);
                    EXPECT_GE(2 * r.Height, area.Height);
                    EXPECT_GE(r.Left, area.Left);
                    EXPECT_GE(r.Top, area.Top);
                    EXPECT_LE(r.Left + r.Width, area.Left + area.Width);
                    EXPECT_LE(r.Top + r.Height, area.Top + area.Height);
                    // The title bar's middle row, just inside the window.
                    const int titleY = r.Top + runLength / 2;
                    for (int j = i + 1; j < count; ++j) {
                        const TRect& front = rects[static_cast<std::size_t>(j)];
                        if (front.Left <= r.Left)
                            break; // a new run starts at the corner
                        EXPECT_FALSE(contains(front, r.Left + 1, titleY))
                            << "window " << j << " hides the title of " << i;
                    }
                }
            }
        }
    }
    // Two rosters in a document area: both nearly as large as the area.
    const auto two = CascadeRects({0, 0, 800, 500}, 2, 24);
    EXPECT_EQ(two[0], (TRect{0, 0, 776, 476}));
    EXPECT_EQ(two[1], (TRect{24, 24, 776, 476}));
    EXPECT_TRUE(CascadeRects({0, 0, 800, 500}, 0, 24).empty());
}

TEST(WindowTiling, IconsFillTheBottomRowThenRowsAbove)
{
    const auto icons = IconRects({0, 0, 350, 400}, 160, 30, 3);
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[0], (TRect{0, 370, 160, 30}));
    EXPECT_EQ(icons[1], (TRect{160, 370, 160, 30}));
    EXPECT_EQ(icons[2], (TRect{0, 340, 160, 30}));
    // An area narrower than one icon still takes one a row.
    EXPECT_EQ(IconRects({0, 0, 50, 100}, 160, 30, 2)[1], (TRect{0, 40, 160, 30}));
    EXPECT_TRUE(IconRects({0, 0, 50, 100}, 0, 30, 2).empty());
}

} // namespace
} // namespace mecovnik
