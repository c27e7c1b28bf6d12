#include "roster/RosterRules.h"
#include "roster/ColumnLayout.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

#include <random>

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
    list.RemoveIf([](const TObjekt&) { return true; });
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

namespace mecovnik {
namespace {

TEST(RosterOrder, NumberedNamesFollowTheirNumbers)
{
    const TAsciiNameOrder order;
    const auto before = [&](std::string_view a, std::string_view b) {
        return CompareRosterNames(order, a, b) < 0 && CompareRosterNames(order, b, a) > 0;
    };
    // The number counts as a number...
    EXPECT_TRUE(before("Krysa [2]", "Krysa [10]"));
    EXPECT_TRUE(before("Krysa [9]", "Krysa [10]"));
    EXPECT_TRUE(before("Krysa [99]", "Krysa [100]"));
    EXPECT_TRUE(before("krysa [2]", "KRYSA [10]")) << "under the same collation: no case";
    // ...after the plain name and before names the base sorts before.
    EXPECT_TRUE(before("Krysa", "Krysa [1]"));
    EXPECT_TRUE(before("Krysa [10]", "Krysaa"));
    EXPECT_TRUE(before("Kocour [10]", "Krysa [2]"));
    // Names the roster does not number keep the plain order.
    EXPECT_TRUE(before("Krysa 10", "Krysa 2"));
    EXPECT_TRUE(before("Krysa [5]", "Krysa [007]")) << "a number the roster never writes is name";
    // Equal names stay equal; other numbers never are.
    EXPECT_EQ(CompareRosterNames(order, "Krysa [2]", "KRYSA [2]"), 0);
    EXPECT_EQ(CompareRosterNames(order, "Krysa", "krysa"), 0);
    EXPECT_NE(CompareRosterNames(order, "Krysa [2]", "Krysa [02]"), 0);
    EXPECT_NE(CompareRosterNames(order, "Krysa [2]", "Krysa [3]"), 0);
}

TEST(RosterOrder, AnOrderOfItsOwnWhateverTheNames)
{
    // Names built from a few pieces, numbered or not: the order is one an
    // ordered list can keep (irreflexive, antisymmetric, transitive), equal
    // exactly where the names compare equal, and numbered rows of one base
    // follow their numbers.
    const TAsciiNameOrder order;
    const std::vector<std::string> bases{"Krysa", "krysa", "Krys", "Krysa [1]", "Vlk", "", "K ["};
    const std::vector<std::string> suffixes{"", " [1]", " [2]", " [10]", " [007]", " [0]", "]"};
    std::vector<std::string> names;
    for (const auto& b : bases)
        for (const auto& s : suffixes)
            names.push_back(b + s);
    for (const auto& a : names) {
        EXPECT_EQ(CompareRosterNames(order, a, a), 0);
        for (const auto& b : names) {
            const int ab = CompareRosterNames(order, a, b);
            EXPECT_EQ(ab < 0, CompareRosterNames(order, b, a) > 0) << a << " | " << b;
            EXPECT_EQ(ab == 0, order.Compare(a, b) == 0) << a << " | " << b;
            for (const auto& c : names) {
                if (ab < 0 && CompareRosterNames(order, b, c) < 0) {
                    EXPECT_LT(CompareRosterNames(order, a, c), 0) << a << " | " << b << " | " << c;
                }
            }
        }
    }
}

TEST(RosterList, NumberedNamesStandByTheirNumbers)
{
    const TAsciiNameOrder order;
    TRosterList list(order);
    for (const char* name : {"Krysa [10]", "Krysa", "Krysa [2]", "Krysaa", "Krysa [1]",
                             "Krysa [11]", "Kocour [3]"})
        list.Add(std::make_unique<TNestvura>(name));
    std::vector<std::string> rows;
    for (int row = 0; row < list.Count(); ++row)
        rows.push_back(list.At(row)->Name);
    EXPECT_EQ(rows, (std::vector<std::string>{"Kocour [3]", "Krysa", "Krysa [1]", "Krysa [2]",
                                              "Krysa [10]", "Krysa [11]", "Krysaa"}));
    EXPECT_EQ(list.IndexOf("krysa [10]"), 4);
    EXPECT_EQ(list.IndexOf("Krysa [3]"), -1);
    EXPECT_EQ(list.InsertPosition("Krysa [3]"), 4);
    // Numbering of copies goes on as before: the first free number.
    EXPECT_EQ(UniqueName(list, "Krysa"), "Krysa [3]");
    list.Add(std::make_unique<TNestvura>(UniqueName(list, "KRYSA")));
    EXPECT_EQ(list.At(4)->Name, "KRYSA [3]");
}

TEST(UniqueName, NumbersWithTheFirstFreeNumber)
{
    const TAsciiNameOrder order;
    TRosterList rows(order);
    const auto join = [&](const std::string& name) {
        const std::string unique = UniqueName(rows, name);
        rows.Add(std::make_unique<TNestvura>(unique));
        return unique;
    };
    EXPECT_EQ(join("Vlk"), "Vlk");
    EXPECT_EQ(join("Vlk"), "Vlk [1]");
    EXPECT_EQ(join("vlk"), "vlk [2]"); // equal ignoring case
    rows.Delete(rows.IndexOf("Vlk [1]"));
    EXPECT_EQ(join("Vlk"), "Vlk [1]"); // the gap is filled first
    EXPECT_EQ(join("Vlk"), "Vlk [3]");

    EXPECT_EQ(join("50%"), "50%");
    EXPECT_EQ(join("50%"), "50% [1]");
    EXPECT_EQ(join("%d [%s]\\"), "%d [%s]\\");
    EXPECT_EQ(join("%d [%s]\\"), "%d [%s]\\ [1]");
    EXPECT_EQ(join(""), "");
    EXPECT_EQ(join(""), " [1]");

    // A name that only looks numbered is a name of its own.
    EXPECT_EQ(join("Vlk [3]"), "Vlk [3] [1]");
    EXPECT_EQ(join("Skřet [01]"), "Skřet [01]");
    EXPECT_EQ(join("Skřet"), "Skřet");
    EXPECT_EQ(join("Skřet"), "Skřet [1]");
}

TEST(UniqueName, FindsTheFreeNumberAmongThousandsOfCopies)
{
    const TAsciiNameOrder order;
    TRosterList rows(order);
    rows.Add(std::make_unique<TNestvura>("Skret"));
    for (int n = 1; n <= 3000; ++n)
        if (n != 1234)
            rows.Add(std::make_unique<TNestvura>("Skret [" + std::to_string(n) + "]"));
    EXPECT_EQ(UniqueName(rows, "skret"), "skret [1234]");
    rows.Add(std::make_unique<TNestvura>("Skret [1234]"));
    EXPECT_EQ(UniqueName(rows, "SKRET"), "SKRET [3001]");
    EXPECT_EQ(UniqueName(rows, "Skret [99999999999]"), "Skret [99999999999]");
}

// An order whose fold key and comparison disagree both ways: the key joins
// "é" written composed, written decomposed and plain "e" (as case folding with
// normalisation might), while the comparison tells all three apart; and the
// comparison ignores "-" (as a collation ignores some characters), which the
// key keeps.
class TDisagreeingOrder final : public TNameOrder
{
public:
    [[nodiscard]] int Compare(std::string_view a, std::string_view b) const override
    {
        return m_ascii.Compare(Without(a, '-'), Without(b, '-'));
    }

    [[nodiscard]] std::string FoldKey(std::string_view name) const override
    {
        std::string key = m_ascii.FoldKey(name);
        for (const std::string_view accent :
             {std::string_view("\xC3\xA9"), std::string_view("e\xCC\x81")})
            for (std::size_t at = key.find(accent); at != std::string::npos; at = key.find(accent))
                key.replace(at, accent.size(), "e");
        return key;
    }

private:
    static std::string Without(std::string_view s, char c)
    {
        std::string out;
        for (const char x : s)
            if (x != c)
                out += x;
        return out;
    }

    TAsciiNameOrder m_ascii;
};

// The first free number as the comparison sees it, found the slow way.
std::string FirstFreeByScan(const TRosterList& rows, const std::string& name)
{
    if (rows.IndexOf(name) < 0)
        return name;
    for (std::int64_t n = 1;; ++n) {
        std::string candidate = name + " [" + std::to_string(n) + "]";
        if (rows.IndexOf(candidate) < 0)
            return candidate;
    }
}

TEST(UniqueName, HonestWhereFoldKeyAndComparisonDisagree)
{
    const TDisagreeingOrder order;
    TRosterList rows(order);
    const std::string composed = "Caf\xC3\xA9";
    const std::string decomposed = "Cafe\xCC\x81";
    for (const std::string& name : {std::string("Cafe"), std::string("Cafe [1]"),
                                    std::string("Cafe [2]"), composed, decomposed + " [1]"})
        rows.Add(std::make_unique<TNestvura>(name));
    // The numbers of "Cafe" and of the decomposed spelling are not the composed one's.
    EXPECT_EQ(UniqueName(rows, composed), composed + " [1]");
    EXPECT_EQ(UniqueName(rows, "cafe"), "cafe [3]");
    EXPECT_EQ(UniqueName(rows, decomposed), decomposed);
    rows.Add(std::make_unique<TNestvura>(decomposed));
    EXPECT_EQ(UniqueName(rows, decomposed), decomposed + " [2]");
    rows.Delete(rows.IndexOf("Cafe [1]"));
    EXPECT_EQ(UniqueName(rows, "Cafe"), "Cafe [1]");

    // A row the fold key does not group with the name but the comparison
    // equals to it still takes its number.
    rows.Add(std::make_unique<TNestvura>("Vlk"));
    rows.Add(std::make_unique<TNestvura>("V-lk [1]"));
    EXPECT_EQ(UniqueName(rows, "Vlk"), "Vlk [2]");

    // Many rows added and deleted at random: always the first free number.
    std::mt19937 random(7);
    const std::vector<std::string> bases = {"Cafe", "CAFE", composed, decomposed, "C-afe", "Vlk"};
    for (int step = 0; step < 1500; ++step) {
        const std::string& base = bases[random() % bases.size()];
        if (random() % 3 == 0 && rows.Count() > 0) {
            rows.Delete(static_cast<int>(random() % static_cast<unsigned>(rows.Count())));
            continue;
        }
        const std::string expected = FirstFreeByScan(rows, base);
        ASSERT_EQ(UniqueName(rows, base), expected) << "step " << step;
        rows.Add(std::make_unique<TNestvura>(expected));
    }
}

TEST(WoundLine, NamesWhoWoundsWhomAndTheMonstersLives)
{
    EXPECT_EQ(WoundLine("Aragorn", "Skřet [2]", 5, 8),
              "Aragorn zraňuje nestvůru Skřet [2] (5 z 8 životů)");
    EXPECT_EQ(WoundLine("Aragorn", "Skřet", 1, 1), "Aragorn zraňuje nestvůru Skřet (1 z 1 života)");
    EXPECT_EQ(WoundLine("Aragorn", "Skřet", 0, 2), "Aragorn zraňuje nestvůru Skřet (0 z 2 životů)");
    EXPECT_EQ(WoundLine("", "Vlk", 3, 4), "Zraňujete nestvůru Vlk (3 z 4 životů)");
    // Names are text, never formats.
    EXPECT_EQ(WoundLine("%s", "<b>%d</b>", 7, 9), "%s zraňuje nestvůru <b>%d</b> (7 z 9 životů)");
}

TEST(GroupDeletion, ModesSelectTheirRecords)
{
    TNestvura m;
    m.KnockOut = 2;
    const auto in = [&](std::int32_t lives, TDeleteMode mode) {
        m.Lives = lives;
        return BelongsToGroup(m, mode);
    };
    EXPECT_TRUE(in(30, TDeleteMode::All));
    EXPECT_TRUE(in(0, TDeleteMode::Dead));
    EXPECT_TRUE(in(-4, TDeleteMode::Dead));
    EXPECT_FALSE(in(1, TDeleteMode::Dead));
    EXPECT_TRUE(in(2, TDeleteMode::DeadAndKnockedOut));
    EXPECT_TRUE(in(0, TDeleteMode::DeadAndKnockedOut));
    EXPECT_FALSE(in(3, TDeleteMode::DeadAndKnockedOut));

    EXPECT_EQ(GroupWords(0), "všechny");
    EXPECT_EQ(GroupWords(1), "všechny mrtvé");
    EXPECT_EQ(GroupWords(2), "všechny mrtvé a vyřazené");
    EXPECT_TRUE(GroupWords(3).empty());
    EXPECT_TRUE(GroupWords(-1).empty());
}

TEST(HandOver, TakesAllOrAPartOfTheUnassignedExperience)
{
    TPostava p;
    p.Experience = 120;
    p.UnassignedExperience = 37;
    EXPECT_EQ(p.HandOverAmount(-1), 37);
    EXPECT_EQ(p.HandOverAmount(50), 37);
    EXPECT_EQ(p.HandOverAmount(20), 20);
    p.HandOver(p.HandOverAmount(-1));
    EXPECT_EQ(p.UnassignedExperience, 0);
    EXPECT_EQ(p.Experience, 120);
    EXPECT_EQ(p.HandOverAmount(-1), 0); // nothing to announce
    EXPECT_EQ(p.HandOverAmount(5), 0);
    EXPECT_EQ(p.HandOverAmount(-7), 0);

    p.ResetExperience();
    EXPECT_EQ(p.Experience, 0);
    EXPECT_EQ(p.UnassignedExperience, 0);
}

} // namespace
} // namespace mecovnik
