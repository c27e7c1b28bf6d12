#include "roster/ColumnLayout.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

namespace mecovnik {
namespace {

TEST(ColumnLayout, NameColumnDoubleAndLastTakesTheRemainder)
{
    EXPECT_EQ(ResetColumnWidths(427, 4), (std::vector<int>{170, 85, 85, 87}));
    EXPECT_EQ(ResetColumnWidths(427, 3), (std::vector<int>{212, 106, 109}));
    EXPECT_EQ(ResetColumnWidths(427, 1), (std::vector<int>{214})); // W - W/2
    EXPECT_EQ(ResetColumnWidths(427, 2), (std::vector<int>{284, 143}));
    EXPECT_TRUE(ResetColumnWidths(427, 0).empty());
    EXPECT_EQ(ResetColumnWidths(0, 3), (std::vector<int>{0, 0, 0}));
    for (int width : {1, 13, 100, 427, 1919}) {
        const auto widths = ResetColumnWidths(width, 4);
        int sum = 0;
        for (int w : widths)
            sum += w;
        EXPECT_EQ(sum, width) << width;
    }
}

TEST(ColumnLayout, LastSectionFillsTheHeaderAfterADrag)
{
    EXPECT_EQ(LastSectionFillWidth(427, {200, 85, 85, 87}), 57);
    EXPECT_EQ(LastSectionFillWidth(427, {427}), 427);
    EXPECT_EQ(LastSectionFillWidth(100, {80, 60, 5}), -40); // the caller clamps
}

TEST(RosterList, KeepsRecordsSortedAndFindsNamesIgnoringCase)
{
    const TAsciiNameOrder order;
    TRosterList list(order);
    EXPECT_EQ(list.Add(std::make_unique<TPostava>("Bilbo")), 0);
    EXPECT_EQ(list.Add(std::make_unique<TPostava>("aragorn")), 0);
    EXPECT_EQ(list.Add(std::make_unique<TPostava>("Cirdan")), 2);
    EXPECT_EQ(list.Add(std::make_unique<TNestvura>("BILBO")), 2); // after its equal
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.At(0)->Name, "aragorn");
    EXPECT_EQ(list.At(3)->Name, "Cirdan");
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.At(4), nullptr);

    EXPECT_EQ(list.IndexOf("ARAGORN"), 0);
    EXPECT_EQ(list.IndexOf("cirdan"), 3);
    EXPECT_EQ(list.IndexOf("Frodo"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
    EXPECT_EQ(list.InsertPosition("Bz"), 3);

    list.Delete(-1);
    list.Delete(4);
    EXPECT_EQ(list.Count(), 4);
    list.Delete(0);
    EXPECT_EQ(list.At(0)->Name, "Bilbo");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOf("Bilbo"), -1);
}

TEST(RosterList, ManyRecordsStaySorted)
{
    const TAsciiNameOrder order;
    TRosterList list(order);
    for (int i = 0; i < 1000; ++i)
        list.Add(std::make_unique<TNestvura>("Skret " + std::to_string((i * 7919) % 1000)));
    for (int row = 1; row < list.Count(); ++row)
        EXPECT_LE(order.Compare(list.At(row - 1)->Name, list.At(row)->Name), 0);
    EXPECT_EQ(list.At(list.IndexOf("skret 500"))->Name, "Skret 500");
}

} // namespace
} // namespace mecovnik
