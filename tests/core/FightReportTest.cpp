#include "history/FightReport.h"

#include <gtest/gtest.h>

#include <random>

namespace mecovnik {
namespace {

std::string Time(std::int64_t t)
{
    return "t" + std::to_string(t);
}

TLedgerRow Row(std::string character, TLedgerEvent event, std::int64_t earnedChange,
               std::int64_t unassignedChange, std::int32_t earned, std::int32_t unassigned)
{
    TLedgerRow row;
    row.Time = 100;
    row.Character = std::move(character);
    row.Event = event;
    row.EarnedChange = earnedChange;
    row.UnassignedChange = unassignedChange;
    row.Earned = earned;
    row.Unassigned = unassigned;
    return row;
}

TEST(FightReport, TitleIsTheFileNameOrSouboj)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "Souboj"},
        {"/home/pj/boje/Jeskyně <b>&.souboj", "Jeskyně <b>&.souboj"},
        {"boj.souboj", "boj.souboj"},
        {"/slozka/", "Souboj"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(ReportTitle(path), title) << path;
}

// Each roster's table shows the numbers the rosters name, in the columns
// their headings name; names stay exactly as typed.
TEST(FightReport, RostersShowTheirNumbersUnderTheirHeadings)
{
    TFightData fight;
    // Character: lives 7, maximum 12, knock-out 2, experience 345, unassigned 44.
    fight.Rosters[kPostavy] = {{"Ťuhýk <b>&amp;", {7, 12, 2, 345, 44, 0}}};
    // Monster: lives 5, maximum 17, knock-out 3, worth 150, level 4, rule 2.
    fight.Rosters[kNestvury] = {{"Skřet [2]", {5, 17, 3, 150, 4, 2}}};
    const TFightReport report = MakeFightReport("boj.souboj", "1. 5. 2024", fight, {}, Time);

    EXPECT_EQ(report.Title, "boj.souboj");
    EXPECT_EQ(report.Date, "1. 5. 2024");
    ASSERT_EQ(report.Tables.size(), 4u);
    const auto cell = [](const TReportTable& t, std::string_view column) {
        for (std::size_t i = 0; i < t.Columns.size(); ++i)
            if (t.Columns[i].Title == column)
                return t.Rows.at(0).at(i);
        ADD_FAILURE() << "no column " << column << " in " << t.Heading;
        return std::string();
    };
    const TReportTable& characters = report.Tables[0];
    EXPECT_EQ(characters.Heading, "Postavy");
    EXPECT_EQ(cell(characters, "Jméno"), "Ťuhýk <b>&amp;");
    EXPECT_EQ(cell(characters, "Životy"), "7");
    EXPECT_EQ(cell(characters, "Maximum"), "12");
    EXPECT_EQ(cell(characters, "Vyřazení"), "2");
    EXPECT_EQ(cell(characters, "Zkušenost"), "345");
    EXPECT_EQ(cell(characters, "Nepřidělená zkušenost"), "44");

    const TReportTable& monsters = report.Tables[1];
    EXPECT_EQ(monsters.Heading, "Nestvůry");
    EXPECT_EQ(cell(monsters, "Jméno"), "Skřet [2]");
    EXPECT_EQ(cell(monsters, "Životy"), "5");
    EXPECT_EQ(cell(monsters, "Maximum"), "17");
    EXPECT_EQ(cell(monsters, "Zkušenost za zabití"), "150");
}

// The ledger's rows oldest first with their time, event text and signed
// changes; the summary per character, a deleted one marked.
TEST(FightReport, LedgerAndSummary)
{
    TExperienceLedger ledger;
    TLedgerRow wound = Row("Aragorn", TLedgerEvent::Wound, 44, 44, 44, 44);
    wound.Monster = "Skřet [2]";
    wound.LivesTaken = 5;
    wound.LivesBefore = 17;
    ledger.Append({Row("Aragorn", TLedgerEvent::Added, 0, 0, 0, 0),
                   Row("Bilbo", TLedgerEvent::Added, 10, 10, 10, 10), wound,
                   Row("Aragorn", TLedgerEvent::HandOverPart, 0, -30, 44, 14),
                   Row("Bilbo", TLedgerEvent::Deleted, -10, -10, 0, 0)});
    const TFightReport report = MakeFightReport("Souboj", "dnes", {}, ledger, Time);
    const TReportTable& rows = report.Tables[2];
    EXPECT_EQ(rows.Heading, "Deník zkušeností");
    ASSERT_EQ(rows.Rows.size(), 5u);
    using Cells = std::vector<std::string>;
    EXPECT_EQ(rows.Rows[2], (Cells{"t100", "Aragorn", "Zranění: Skřet [2], 5 životů z 17", "+44",
                                   "+44", "44", "44"}));
    EXPECT_EQ(rows.Rows[3],
              (Cells{"t100", "Aragorn", "Předána část zkušenosti", "0", "-30", "44", "14"}));
    EXPECT_EQ(rows.Rows[4][3], "-10");

    const TReportTable& summary = report.Tables[3];
    EXPECT_EQ(summary.Heading, "Souhrn zkušeností");
    // Aragorn earned 44, of which 30 handed over and 14 not yet.
    EXPECT_EQ(summary.Rows, (std::vector<Cells>{{"Aragorn", "44", "30", "14"},
                                                {"Bilbo (smazána)", "0", "0", "0"}}));
}

// Whatever the fight: one row per record and ledger row, each with one cell
// per column; empty tables say so.
TEST(FightReport, EveryRowFillsItsColumns)
{
    std::mt19937 random(18);
    for (int round = 0; round < 50; ++round) {
        TFightData fight;
        TExperienceLedger ledger;
        const int characters = static_cast<int>(random() % 4);
        const int monsters = static_cast<int>(random() % 4);
        const int rows = static_cast<int>(random() % 6);
        for (int i = 0; i < characters; ++i)
            fight.Rosters[kPostavy].push_back({"P" + std::to_string(i), {1, 2, 1, 3, 4, 0}});
        for (int i = 0; i < monsters; ++i)
            fight.Rosters[kNestvury].push_back({"N" + std::to_string(i), {1, 2, 1, 3, 1, 0}});
        for (int i = 0; i < rows; ++i)
            ledger.Append(
                {Row("P" + std::to_string(random() % 3), TLedgerEvent::Special, 1, 1, 1, 1)});
        const TFightReport report = MakeFightReport("x", "y", fight, ledger, Time);
        const std::size_t counts[] = {static_cast<std::size_t>(characters),
                                      static_cast<std::size_t>(monsters),
                                      static_cast<std::size_t>(rows), ledger.Summary().size()};
        for (std::size_t t = 0; t < 4; ++t) {
            const TReportTable& table = report.Tables[t];
            EXPECT_EQ(table.Rows.size(), counts[t]) << table.Heading;
            EXPECT_FALSE(table.EmptyText.empty());
            EXPECT_FALSE(table.Columns.front().Numeric);
            for (const auto& cells : table.Rows)
                EXPECT_EQ(cells.size(), table.Columns.size()) << table.Heading;
        }
    }
}

} // namespace
} // namespace mecovnik
