#include "roster/ColumnLayout.h"
#include "roster/RosterZoom.h"
#include "roster/RowColours.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"

#include <gtest/gtest.h>

#include <random>

namespace mecovnik {
namespace {

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

TColor Rgb(int r, int g, int b)
{
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}
int R(TColor c) { return static_cast<int>(c & 0xFF); }
int G(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// ---- contrast ----

TEST(Contrast, LuminanceAndRatioAsTheGuidelinesDefineThem)
{
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(kWhite), 1.0);
    // Each channel alone carries its weight.
    EXPECT_NEAR(RelativeLuminance(Rgb(255, 0, 0)), 0.2126, 1e-9);
    EXPECT_NEAR(RelativeLuminance(Rgb(0, 255, 0)), 0.7152, 1e-9);
    EXPECT_NEAR(RelativeLuminance(Rgb(0, 0, 255)), 0.0722, 1e-9);
    // Below 0.04045 a channel is linear: c / 12.92.
    EXPECT_NEAR(RelativeLuminance(Rgb(10, 10, 10)), 10 / 255.0 / 12.92, 1e-12);
    // Above it ((c + 0.055) / 1.055) ^ 2.4: 128 gives 0.2158605.
    EXPECT_NEAR(RelativeLuminance(Rgb(128, 128, 128)), 0.2158605, 1e-6);

    EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(12, 200, 90), Rgb(12, 200, 90)), 1.0);
    // The original rows: red on white and light grey on white fall short.
    EXPECT_LT(ContrastRatio(clRed, kWhite), kMinimumContrast);
    EXPECT_LT(ContrastRatio(clSilver, kWhite), kMinimumContrast);
}

TEST(Contrast, NearestReachingMovesAsLittleAsItMust)
{
    // Light grey on white: the nearest grey that reaches the floor.
    const TColor grey = NearestReaching(clSilver, kWhite, kMinimumContrast);
    EXPECT_TRUE(R(grey) == G(grey) && G(grey) == B(grey));
    EXPECT_GE(ContrastRatio(grey, kWhite), kMinimumContrast);
    EXPECT_LT(ContrastRatio(Rgb(R(grey) + 1, G(grey) + 1, B(grey) + 1), kWhite),
              kMinimumContrast);
    // Red stays red: only its own channel darkens.
    const TColor red = NearestReaching(clRed, kWhite, kMinimumContrast);
    EXPECT_EQ(G(red), 0);
    EXPECT_EQ(B(red), 0);
    EXPECT_GE(ContrastRatio(red, kWhite), kMinimumContrast);
    EXPECT_LT(ContrastRatio(Rgb(R(red) + 1, 0, 0), kWhite), kMinimumContrast);
    // A colour that reaches it already stays; on black the way goes to white.
    EXPECT_EQ(NearestReaching(kBlack, kWhite, kMinimumContrast), kBlack);
    EXPECT_EQ(NearestReaching(clRed, kBlack, kMinimumContrast), clRed);
    const TColor light = NearestReaching(Rgb(60, 60, 60), kBlack, kMinimumContrast);
    EXPECT_GT(R(light), 60);
    EXPECT_GE(ContrastRatio(light, kBlack), kMinimumContrast);

    // Any pair: the result reaches the floor whenever black or white would,
    // and lies on the way from the colour to black or to white.
    std::mt19937 random(19);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 3000; ++i) {
        const TColor colour = Rgb(channel(random), channel(random), channel(random));
        const TColor other = Rgb(channel(random), channel(random), channel(random));
        const TColor result = NearestReaching(colour, other, kMinimumContrast);
        const bool reachable = ContrastRatio(kBlack, other) >= kMinimumContrast ||
                               ContrastRatio(kWhite, other) >= kMinimumContrast;
        if (!reachable) {
            EXPECT_EQ(result, colour);
            continue;
        }
        EXPECT_GE(ContrastRatio(result, other), kMinimumContrast);
        const bool darker = R(result) <= R(colour) && G(result) <= G(colour) &&
                            B(result) <= B(colour);
        const bool lighter = R(result) >= R(colour) && G(result) >= G(colour) &&
                             B(result) >= B(colour);
        EXPECT_TRUE(darker || lighter);
    }
}

// The platforms a roster may meet: a light style with a light-blue
// selection, the classic navy one, a dark style, one whose text barely shows,
// and one with a grey selection.
const TListColours kPalettes[] = {
    {kWhite, kBlack, Rgb(48, 140, 198), kWhite},
    {kWhite, kBlack, Rgb(0, 0, 128), kWhite},
    {Rgb(30, 30, 30), Rgb(220, 220, 220), Rgb(42, 130, 218), kBlack},
    {Rgb(250, 250, 240), Rgb(200, 200, 200), Rgb(200, 220, 255), Rgb(240, 240, 240)},
    {kWhite, kBlack, Rgb(210, 210, 210), kWhite},
};

TEST(RowColours, EveryStateAndSelectionReadsAboveTheFloor)
{
    for (const TListColours& list : kPalettes) {
        const TRowColourTable table = MakeRowColourTable(list);
        for (std::size_t s = 0; s < kRowStates.size(); ++s)
            for (const bool selected : {false, true}) {
                const TRowColours c = RowColours(kRowStates[s], selected, list);
                SCOPED_TRACE(testing::Message() << "state " << s << " selected " << selected);
                EXPECT_GE(ContrastRatio(c.Text, c.Background), kMinimumContrast);
                EXPECT_EQ(table[s][selected ? 1 : 0], c);
            }
    }
}

TEST(RowColours, TheStateShowsAlsoOnASelectedRow)
{
    for (const TListColours& list : kPalettes) {
        // Unselected: on the window colour, dead in a red, knocked out in a grey.
        const TRowColours dead = RowColours(TRowState::Dead, false, list);
        EXPECT_EQ(dead.Background, list.Base);
        EXPECT_GT(R(dead.Text), 2 * G(dead.Text));
        EXPECT_EQ(G(dead.Text), B(dead.Text));
        const TRowColours out = RowColours(TRowState::KnockedOut, false, list);
        EXPECT_EQ(out.Background, list.Base);
        EXPECT_TRUE(R(out.Text) == G(out.Text) && G(out.Text) == B(out.Text));

        // Selected: the selection's text on a red or grey background.
        const TRowColours deadSelected = RowColours(TRowState::Dead, true, list);
        EXPECT_EQ(deadSelected.Text, list.HighlightedText);
        EXPECT_GT(R(deadSelected.Background), 2 * G(deadSelected.Background));
        const TRowColours outSelected = RowColours(TRowState::KnockedOut, true, list);
        EXPECT_EQ(outSelected.Text, list.HighlightedText);
        const TColor bg = outSelected.Background;
        EXPECT_TRUE(R(bg) == G(bg) && G(bg) == B(bg));
        // A selected dead row differs from a selected standing one.
        const TRowColours standing = RowColours(TRowState::Standing, true, list);
        EXPECT_NE(standing.Background, deadSelected.Background);
    }
}

TEST(RowColours, TheOriginalColoursStayWhereTheyReachTheFloor)
{
    // Black on white and white on navy reach it: kept as they are.
    const TListColours& classic = kPalettes[1];
    EXPECT_EQ(RowColours(TRowState::Standing, false, classic), (TRowColours{kBlack, kWhite}));
    EXPECT_EQ(RowColours(TRowState::Standing, true, classic), (TRowColours{kWhite, Rgb(0, 0, 128)}));
    // Pure red on a black window reaches it too.
    const TListColours black{kBlack, kWhite, Rgb(0, 0, 128), kWhite};
    EXPECT_EQ(RowColours(TRowState::Dead, false, black).Text, clRed);
    // A light-blue selection under white text is darkened, still blue.
    const TColor blue = RowColours(TRowState::Standing, true, kPalettes[0]).Background;
    EXPECT_GT(B(blue), R(blue));
    EXPECT_LT(B(blue), 198);
}

TEST(RowColours, MarksTellTheStateWithoutColour)
{
    TNestvura n;
    n.MaxLives = 8;
    n.KnockOut = 1;
    n.Lives = 0;
    EXPECT_EQ(RowStateOf(n), TRowState::Dead);
    EXPECT_EQ(ShownColumnText(n, 1), "\u2020 0/8(1)");
    n.Lives = 1;
    EXPECT_EQ(RowStateOf(n), TRowState::KnockedOut);
    EXPECT_EQ(ShownColumnText(n, 1), "K.O. 1/8(1)");
    n.Lives = 2;
    EXPECT_EQ(RowStateOf(n), TRowState::Standing);
    EXPECT_EQ(ShownColumnText(n, 1), "2/8(1)");
    // Only the lives carry the mark.
    n.Name = "Skřet";
    n.Lives = 0;
    EXPECT_EQ(ShownColumnText(n, 0), "Skřet");
    EXPECT_EQ(ShownColumnText(n, 2), "100");
    TPostava p;
    p.KnockOut = 0;
    p.Lives = 1; // threshold 0: never knocked out
    EXPECT_EQ(ShownColumnText(p, 1), "1/50(0)");
    EXPECT_NE(StateMark(TRowState::Dead), StateMark(TRowState::KnockedOut));
    EXPECT_TRUE(StateMark(TRowState::Standing).empty());
}

// ---- text size ----

TEST(RosterZoom, StepsFromOneHundredToThreeHundredPerCent)
{
    // Up from the normal size to three times it, and back, one step at a time.
    std::vector<int> up{100};
    while (LargerZoom(up.back()) != up.back())
        up.push_back(LargerZoom(up.back()));
    EXPECT_EQ(up.front(), 100);
    EXPECT_EQ(up.back(), 300);
    std::vector<int> down{300};
    while (SmallerZoom(down.back()) != down.back())
        down.push_back(SmallerZoom(down.back()));
    EXPECT_EQ(std::vector<int>(up.rbegin(), up.rend()), down);
    for (std::size_t i = 1; i < up.size(); ++i) {
        EXPECT_GT(up[i], up[i - 1]);
        EXPECT_LE(up[i] - up[i - 1], 25) << "a step the eye can follow";
    }
    // A size between steps goes to the neighbouring step; the ends hold.
    EXPECT_EQ(LargerZoom(137), 150);
    EXPECT_EQ(SmallerZoom(137), 125);
    EXPECT_EQ(LargerZoom(300), 300);
    EXPECT_EQ(SmallerZoom(100), 100);
    EXPECT_EQ(SmallerZoom(40), 100);
    EXPECT_EQ(LargerZoom(900), 300);

    EXPECT_TRUE(ValidZoom(100));
    EXPECT_TRUE(ValidZoom(300));
    EXPECT_TRUE(ValidZoom(137));
    EXPECT_FALSE(ValidZoom(99));
    EXPECT_FALSE(ValidZoom(301));
}

TEST(RosterZoom, LengthsScaleWithTheText)
{
    EXPECT_EQ(Zoomed(13, 100), 13);
    EXPECT_EQ(Zoomed(13, 200), 26);
    EXPECT_EQ(Zoomed(13, 300), 39);
    EXPECT_EQ(Zoomed(13, 125), 16); // 16.25
    EXPECT_EQ(Zoomed(17, 150), 26); // 25.5 rounds up
    EXPECT_EQ(Zoomed(8, 175), 14);
    EXPECT_EQ(Zoomed(13, 50), 13); // never below the normal size
    for (int percent = 100; percent <= 300; ++percent)
        EXPECT_LE(Zoomed(13, percent), Zoomed(13, percent + 1));
}

// ---- columns ----

TEST(ColumnLayout, TheLastColumnFollowsTheWindow)
{
    // Wider: only the last grows; the others keep their widths, also one the
    // user widened.
    EXPECT_EQ(FollowHeaderWidth(800, {200, 85, 85, 87}), (std::vector<int>{200, 85, 85, 430}));
    // Narrower: the last shrinks, down to nothing.
    EXPECT_EQ(FollowHeaderWidth(400, {200, 85, 85, 87}), (std::vector<int>{200, 85, 85, 30}));
    EXPECT_EQ(FollowHeaderWidth(300, {200, 85, 85, 87}), (std::vector<int>{200, 85, 85, 0}));
    EXPECT_EQ(FollowHeaderWidth(300, {120}), (std::vector<int>{300}));
    EXPECT_TRUE(FollowHeaderWidth(300, {}).empty());
    for (int width = 370; width < 2000; width += 37) {
        const auto widths = FollowHeaderWidth(width, {200, 85, 85, 87});
        EXPECT_EQ(widths[0] + widths[1] + widths[2] + widths[3], width);
    }
}

TEST(ColumnLayout, ColumnsGrowWithTheTextAndStayInView)
{
    // Twice the text in a window with room: twice the columns, the last
    // takes the rest.
    EXPECT_EQ(ZoomColumnWidths(1000, {170, 85, 85, 87}, 200),
              (std::vector<int>{340, 170, 170, 320}));
    // Without the room: all shrink together to the header, none out of view.
    EXPECT_EQ(ZoomColumnWidths(427, {170, 85, 85, 87}, 200), (std::vector<int>{170, 85, 85, 87}));
    // 636, 318, 327 scaled by 600 / 1281.
    EXPECT_EQ(ZoomColumnWidths(600, {212, 106, 109}, 300), (std::vector<int>{298, 149, 153}));
    // The normal size gives the normal widths back, the last filling the header.
    EXPECT_EQ(ZoomColumnWidths(427, {170, 85, 85, 87}, 100), (std::vector<int>{170, 85, 85, 87}));
    EXPECT_EQ(ZoomColumnWidths(500, {101, 50}, 125), (std::vector<int>{126, 374}));
    EXPECT_TRUE(ZoomColumnWidths(500, {}, 125).empty());
    for (int width = 200; width < 2000; width += 77)
        for (const int percent : {100, 125, 150, 200, 300}) {
            const auto w = ZoomColumnWidths(width, {170, 85, 85, 87}, percent);
            EXPECT_EQ(w[0] + w[1] + w[2] + w[3], width) << width << " " << percent;
            EXPECT_GE(w[3], 0);
        }

    EXPECT_EQ(NormalColumnWidths({340, 170, 170, 320}, 200), (std::vector<int>{170, 85, 85, 160}));
    EXPECT_EQ(NormalColumnWidths({126, 374}, 125), (std::vector<int>{101, 299}));
}

} // namespace
} // namespace mecovnik
