#include "TestFiles.h"

#include "history/FightFile.h"
#include "history/FightFileRules.h"
#include "history/TFightLedger.h"
#include "roster/RosterRules.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <random>
#include <set>

namespace mecovnik {
namespace {

using TError = TFightFileError;

const TAsciiNameOrder kOrder;
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

TRecordData Record(std::string name, TRecordNumbers numbers)
{
    return {std::move(name), numbers};
}

// A ledger in which the characters joined with what they have.
TExperienceLedger Joined(const std::vector<TRecordData>& characters)
{
    TExperienceLedger ledger;
    ledger.Append(JoinedRows(characters, 1'714'590'000));
    return ledger;
}

// Aragorn of TPieces (100 earned, 30 not handed over) as the ledger's rows.
const std::string kAragornJoined =
    R"([{"time": 1714590000, "character": "Aragorn", "event": "added", "earnedChange": 100,)"
    R"( "unassignedChange": 30, "earned": 100, "unassigned": 30}])";

// The fight of docs/fight-file.md.
TFightFile ExampleFight()
{
    TFightFile f;
    f.Fight.Rosters[kPostavy] = {Record("Aragorn", {42, 50, 5, 149, 20, 0}),
                                 Record("Bilbo & \"Frodo\"", {60, 50, 1, 0, 0, 0})};
    f.Fight.Rosters[kNestvury] = {Record("Skřet", {17, 17, 2, 150, 3, 2}),
                                  Record("Skřet [1]", {0, 12, 1, 150, 3, 1})};
    f.Fight.Selection = {{0, -1}};
    return f;
}

TEST(FightFile, AFightIsWrittenAsTheDocumentedTextAndReadBack)
{
    const std::string text =
        test::ReadBytes(std::filesystem::path(MECOVNIK_TEST_DATA_DIR) / "fight/example.souboj");
    EXPECT_EQ(FormatFightFile(ExampleFight()), text);
    const TFightFileReading r = ReadFightFile(text, kOrder);
    EXPECT_EQ(r.Error, TError::None);
    EXPECT_EQ(r.File, ExampleFight());
    EXPECT_EQ(r.Clamped, 0u);

    // The ledger is written last, each row's keys in alphabetical order.
    TFightFile withLedger = ExampleFight();
    withLedger.Ledger = Joined(withLedger.Fight.Rosters[kPostavy]);
    const std::string saved = FormatFightFile(withLedger).value();
    EXPECT_TRUE(saved.ends_with("\n    }\n  ]\n}\n"));
    EXPECT_NE(saved.find("  },\n  \"denik\": [\n    {\n"
                         "      \"character\": \"Aragorn\",\n"
                         "      \"earned\": 149,\n"
                         "      \"earnedChange\": 149,\n"
                         "      \"event\": \"added\",\n"
                         "      \"time\": 1714590000,\n"
                         "      \"unassigned\": 20,\n"
                         "      \"unassignedChange\": 20\n    },\n"),
              std::string::npos)
        << saved;
    EXPECT_EQ(ReadFightFile(saved, kOrder).File, withLedger);
    // A ledger that does not tell the characters' experience is refused whole.
    withLedger.Fight.Rosters[kPostavy][0].Numbers[3] = 150;
    const TFightFileReading disagreeing =
        ReadFightFile(FormatFightFile(withLedger).value(), kOrder);
    EXPECT_EQ(disagreeing.Error, TError::BadLedger);
    EXPECT_EQ(disagreeing.Where, "/denik");
    EXPECT_FALSE(disagreeing.Reason.empty());
    EXPECT_EQ(disagreeing.File, TFightFile{});

    // Whatever it is given, the text it writes reads back: a selection
    // outside its roster is written as none, a byte that is no UTF-8 as U+FFFD.
    TFightFile odd = ExampleFight();
    odd.Fight.Selection = {{2, -5}};
    odd.Fight.Rosters[kNestvury][0].Name = "Sk\xFF"
                                           "et";
    const TFightFileReading back = ReadFightFile(FormatFightFile(odd).value(), kOrder);
    ASSERT_EQ(back.Error, TError::None);
    EXPECT_EQ(back.File.Fight.Selection, TFightSelection{});
    EXPECT_EQ(back.File.Fight.Rosters[kNestvury][0].Name, "Sk\uFFFDet");
}

// Names from pieces: every Czech letter, the characters that formats and
// menus treat specially, control characters, the empty name.
std::string RandomName(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {"áčďéěíňóřšťúůýž",
                                                    "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ",
                                                    "&",
                                                    "%1",
                                                    "\"",
                                                    "'",
                                                    "\\",
                                                    std::string(1, '\0'),
                                                    "\x01",
                                                    "\t",
                                                    "\n",
                                                    "\r",
                                                    "\x1f",
                                                    "\x7f",
                                                    " ",
                                                    "Skřet",
                                                    "Vlk",
                                                    " [1]",
                                                    "€",
                                                    "😀",
                                                    "\\u0041",
                                                    "/"};
    std::string name;
    const int count = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < count; ++i)
        name += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    return name;
}

// A number at one of its limits or anywhere between them.
std::int32_t Pick(std::mt19937& random, std::int32_t lo, std::int32_t hi)
{
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0:
        return lo;
    case 1:
        return hi;
    default:
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
    }
}

// Every value within the ranges the file keeps: characters 0..512 lives
// (above the maximum allowed), maximum and threshold 1..512, experience
// 0..2^31-1 with the unassigned part at most all of it; monsters 1..4096
// maximum lives, lives up to it, threshold below it, experience 1..30000,
// level 1..512, rule 0..4.
TFightFile RandomFight(std::mt19937& random, std::size_t size)
{
    TFightFile f;
    for (int side = 0; side < kRosterSides; ++side) {
        std::set<std::string> keys;
        auto& rows = f.Fight.Rosters[static_cast<std::size_t>(side)];
        const std::size_t count = std::uniform_int_distribution<std::size_t>(0, size)(random);
        while (rows.size() < count) {
            std::string name = RandomName(random);
            if (!keys.insert(kOrder.FoldKey(name)).second)
                continue;
            TRecordNumbers n{};
            if (side == kPostavy) {
                n[0] = Pick(random, 0, 512);
                n[1] = Pick(random, 1, 512);
                n[2] = Pick(random, 1, 512);
                n[3] = Pick(random, 0, kInt32Max);
                n[4] = Pick(random, 0, n[3]);
            } else {
                n[1] = Pick(random, 1, 4096);
                n[0] = Pick(random, 0, n[1]);
                n[2] = Pick(random, 0, n[1] - 1);
                n[3] = Pick(random, 1, 30000);
                n[4] = Pick(random, 1, 512);
                n[5] = Pick(random, 0, 4);
            }
            rows.push_back({std::move(name), n});
        }
        const int selected =
            std::uniform_int_distribution<int>(-1, static_cast<int>(rows.size()) - 1)(random);
        f.Fight.Selection.Rows[static_cast<std::size_t>(side)] = selected;
    }
    if (std::uniform_int_distribution<int>(0, 1)(random) == 1)
        f.Ledger = Joined(f.Fight.Rosters[kPostavy]);
    return f;
}

TEST(FightFile, AnyFightComesBackExactlyAndItsTextIsStable)
{
    std::mt19937 random(20240517);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        TFightFile f = RandomFight(random, round % 10 == 0 ? 200 : 12);
        if (round == 7) // the longest name a person would type, and longer
            f.Fight.Rosters[kPostavy].push_back(
                Record(std::string(10000, 'W') + "ž", {512, 512, 512, kInt32Max, kInt32Max, 0}));
        const std::string text = FormatFightFile(f).value();
        const TFightFileReading r = ReadFightFile(text, kOrder);
        ASSERT_EQ(r.Error, TError::None) << r.Where << " " << r.Offset;
        EXPECT_EQ(r.Clamped, 0u);
        EXPECT_EQ(r.File, f);
        EXPECT_EQ(FormatFightFile(r.File), text);
    }
}

// A file with one character and one monster, each key given its value text;
// a key given "-" is left out.
struct TPieces
{
    std::map<std::string, std::string> Postava = {
        {"jmeno", "\"Aragorn\""}, {"zivoty", "40"},     {"max_zivoty", "50"},
        {"vyrazeni", "5"},        {"zkusenost", "100"}, {"nepridelena_zkusenost", "30"}};
    std::map<std::string, std::string> Nestvura = {
        {"jmeno", "\"Skřet\""},    {"zivoty", "12"}, {"max_zivoty", "17"},
        {"vyrazeni", "2"},         {"uroven", "3"},  {"zkusenost_za_zabiti", "150"},
        {"pravidlo_vyrazeni", "2"}};
    std::map<std::string, std::string> Top = {{"format", "\"mecovnik-souboj\""},
                                              {"verze", "2"},
                                              {"vybrano", R"({"postava": 0, "nestvura": null})"}};

    static std::string Object(const std::map<std::string, std::string>& keys)
    {
        std::string text = "{";
        for (const auto& [key, value] : keys) {
            if (value == "-")
                continue;
            if (text.size() > 1)
                text += ", ";
            text += '"' + key + "\": " + value;
        }
        return text + "}";
    }

    [[nodiscard]] std::string Text() const
    {
        auto top = Top;
        top.try_emplace("postavy", "[" + Object(Postava) + "]");
        top.try_emplace("nestvury", "[" + Object(Nestvura) + "]");
        return Object(top);
    }
};

TEST(FightFile, NumbersOutsideTheirRangesAreClampedAsTheDialogsClampThem)
{
    struct TCase
    {
        const char* Why;
        TRosterSide Side;
        std::map<std::string, std::string> Given;
        TRecordNumbers Expected;
        std::size_t Clamped;
    };
    const std::vector<TCase> cases = {
        {"all within their ranges", kPostavy, {}, {40, 50, 5, 100, 30, 0}, 0},
        {"a character may stand above its maximum",
         kPostavy,
         {{"zivoty", "60"}},
         {60, 50, 5, 100, 30, 0},
         0},
        {"character lives stop at 512", kPostavy, {{"zivoty", "513"}}, {512, 50, 5, 100, 30, 0}, 1},
        {"no lives below 0", kPostavy, {{"zivoty", "-1"}}, {0, 50, 5, 100, 30, 0}, 1},
        {"the maximum takes 1..512", kPostavy, {{"max_zivoty", "0"}}, {40, 1, 5, 100, 30, 0}, 1},
        {"the maximum takes 1..512, above",
         kPostavy,
         {{"max_zivoty", "9999"}},
         {40, 512, 5, 100, 30, 0},
         1},
        {"a character's threshold starts at 1",
         kPostavy,
         {{"vyrazeni", "0"}},
         {40, 50, 1, 100, 30, 0},
         1},
        {"a character's threshold stops at 512",
         kPostavy,
         {{"vyrazeni", "600"}},
         {40, 50, 512, 100, 30, 0},
         1},
        {"no negative experience, nor unassigned above it",
         kPostavy,
         {{"zkusenost", "-5"}},
         {40, 50, 5, 0, 0, 0},
         2},
        {"experience beyond 32 bits",
         kPostavy,
         {{"zkusenost", "99999999999"}},
         {40, 50, 5, kInt32Max, 30, 0},
         1},
        {"experience beyond 64 bits",
         kPostavy,
         {{"zkusenost", "18446744073709551615"}},
         {40, 50, 5, kInt32Max, 30, 0},
         1},
        {"the unassigned part is at most all experience",
         kPostavy,
         {{"nepridelena_zkusenost", "101"}},
         {40, 50, 5, 100, 100, 0},
         1},
        {"no negative unassigned experience",
         kPostavy,
         {{"nepridelena_zkusenost", "-9223372036854775808"}},
         {40, 50, 5, 100, 0, 0},
         1},
        {"all within their ranges", kNestvury, {}, {12, 17, 2, 150, 3, 2}, 0},
        {"a monster has at least one life at most",
         kNestvury,
         {{"max_zivoty", "0"}},
         {1, 1, 0, 150, 3, 2},
         3},
        {"a roll gives at most 8 x 512 lives",
         kNestvury,
         {{"max_zivoty", "5000"}, {"zivoty", "5000"}},
         {4096, 4096, 2, 150, 3, 2},
         2},
        {"a monster's lives stay within its maximum",
         kNestvury,
         {{"zivoty", "18"}},
         {17, 17, 2, 150, 3, 2},
         1},
        {"a monster's lives stay within its maximum, below",
         kNestvury,
         {{"zivoty", "-3"}},
         {0, 17, 2, 150, 3, 2},
         1},
        {"the threshold stays below the maximum",
         kNestvury,
         {{"vyrazeni", "17"}},
         {12, 17, 16, 150, 3, 2},
         1},
        {"a monster's threshold may be 0, not less",
         kNestvury,
         {{"vyrazeni", "-1"}},
         {12, 17, 0, 150, 3, 2},
         1},
        {"kill experience takes 1..30000",
         kNestvury,
         {{"zkusenost_za_zabiti", "0"}},
         {12, 17, 2, 1, 3, 2},
         1},
        {"kill experience takes 1..30000, above",
         kNestvury,
         {{"zkusenost_za_zabiti", "30001"}},
         {12, 17, 2, 30000, 3, 2},
         1},
        {"the level takes 1..512", kNestvury, {{"uroven", "0"}}, {12, 17, 2, 150, 1, 2}, 1},
        {"the level takes 1..512, above",
         kNestvury,
         {{"uroven", "513"}},
         {12, 17, 2, 150, 512, 2},
         1},
        {"an unknown rule becomes rule 0",
         kNestvury,
         {{"pravidlo_vyrazeni", "5"}},
         {12, 17, 2, 150, 3, 0},
         1},
        {"no rule selected becomes rule 0",
         kNestvury,
         {{"pravidlo_vyrazeni", "-1"}},
         {12, 17, 2, 150, 3, 0},
         1},
        {"the last rule is one of the five",
         kNestvury,
         {{"pravidlo_vyrazeni", "4"}},
         {12, 17, 2, 150, 3, 4},
         0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Why);
        TPieces p;
        for (const auto& [key, value] : c.Given)
            (c.Side == kPostavy ? p.Postava : p.Nestvura)[key] = value;
        const TFightFileReading r = ReadFightFile(p.Text(), kOrder);
        ASSERT_EQ(r.Error, TError::None) << r.Where;
        EXPECT_EQ(r.File.Fight.Rosters[c.Side].at(0).Numbers, c.Expected);
        EXPECT_EQ(r.Clamped, c.Clamped);
    }
}

TEST(FightFile, WhatThisVersionDoesNotKnowIsIgnoredAndTheLedgerKept)
{
    TPieces p;
    p.Top["poznamka"] = R"({"text": "druhé kolo"})";
    p.Top["denik"] = kAragornJoined;
    p.Postava["barva_vlasu"] = "\"černá\"";
    p.Postava["zivoty"] = "41, \"zivoty\": 44"; // a key given twice: the last counts
    const TFightFileReading r = ReadFightFile("\xEF\xBB\xBF" + p.Text(), kOrder);
    ASSERT_EQ(r.Error, TError::None) << r.Where;
    EXPECT_EQ(r.File.Fight.Rosters[kPostavy].at(0), Record("Aragorn", {44, 50, 5, 100, 30, 0}));
    EXPECT_EQ(r.File.Ledger, Joined({Record("Aragorn", {44, 50, 5, 100, 30, 0})}));
    EXPECT_EQ(r.File.Fight.Selection, (TFightSelection{{0, -1}}));
    // Version 1 held no ledger of ours: whatever its "denik" held is passed by.
    TPieces old;
    old.Top["verze"] = "1";
    old.Top["denik"] = R"([{"z": 1, "a": "Aragorn"}])";
    const TFightFileReading first = ReadFightFile(old.Text(), kOrder);
    ASSERT_EQ(first.Error, TError::None) << first.Where;
    EXPECT_EQ(first.File.Ledger, std::nullopt);

    p.Top["vybrano"] = R"({"postava": -1, "nestvura": 0})";
    EXPECT_EQ(ReadFightFile(p.Text(), kOrder).File.Fight.Selection, (TFightSelection{{-1, 0}}));
}

TEST(FightFile, ADamagedFileGivesItsReasonAndNothingElse)
{
    struct TCase
    {
        const char* Why;
        std::string Bytes;
        TError Error;
        std::string Where;
        std::size_t Offset;
    };
    const auto with = [](std::map<std::string, std::string> top,
                         std::map<std::string, std::string> postava = {},
                         std::map<std::string, std::string> nestvura = {}) {
        TPieces p;
        for (auto& [k, v] : top)
            p.Top[k] = v;
        for (auto& [k, v] : postava)
            p.Postava[k] = v;
        for (auto& [k, v] : nestvura)
            p.Nestvura[k] = v;
        return p.Text();
    };
    const std::string good = with({});
    std::string manyValues = "[0";
    for (std::size_t i = 0; i < kMaxFightFileValues; ++i)
        manyValues += ",0";
    manyValues += ']';
    const std::vector<TCase> cases = {
        {"an empty file", "", TError::NotJson, "", 0},
        {"cut short", good.substr(0, good.size() - 1), TError::NotJson, "", good.size() - 1},
        {"something after the fight", good + " {}", TError::NotJson, "", good.size() + 1},
        {"a byte that is no UTF-8 in a name", with({}, {{"jmeno", "\"Ara\xFFgorn\""}}),
         TError::NotUtf8, "", good.find("Aragorn") + 3},
        {"an overlong UTF-8 form", with({}, {{"jmeno", "\"\xC0\xAF\""}}), TError::NotUtf8, "",
         good.find("\"Aragorn") + 1},
        {"an escaped lone surrogate", with({}, {{"jmeno", R"("\uD800")"}}), TError::NotJson, "",
         good.find("\"Aragorn") + 7},
        {"a number beyond any floating-point number", with({}, {{"max_zivoty", "9e99999"}}),
         TError::NotJson, "", std::string::npos},
        {"a plain text file", "Aragorn 42/50(5)\n", TError::NotJson, "", 0},
        {"JSON of another kind", "[1, 2]", TError::NotFightFile, "", 0},
        {"no format name", with({{"format", "-"}}), TError::NotFightFile, "", 0},
        {"another format's name", with({{"format", "\"mecovnik-journal\""}}), TError::NotFightFile,
         "", 0},
        {"a format name that is no string", with({{"format", "1"}}), TError::NotFightFile, "", 0},
        {"no version", with({{"verze", "-"}}), TError::MissingValue, "/verze", 0},
        {"a version as text", with({{"verze", "\"1\""}}), TError::WrongType, "/verze", 0},
        {"a version with a fraction", with({{"verze", "1.0"}}), TError::WrongType, "/verze", 0},
        {"version 0 never was", with({{"verze", "0"}}), TError::NotFightFile, "/verze", 0},
        {"a newer version", with({{"verze", "3"}}), TError::NewerVersion, "/verze", 0},
        {"a newer version of another shape", with({{"verze", "3"}, {"postavy", "\"?\""}}),
         TError::NewerVersion, "/verze", 0},
        {"no characters", with({{"postavy", "-"}}), TError::MissingValue, "/postavy", 0},
        {"characters that are no list", with({{"postavy", "{}"}}), TError::WrongType, "/postavy",
         0},
        {"a character that is no object", with({{"postavy", "[1]"}}), TError::WrongType,
         "/postavy/0", 0},
        {"a character without a name", with({}, {{"jmeno", "-"}}), TError::MissingValue,
         "/postavy/0/jmeno", 0},
        {"a name that is a number", with({}, {{"jmeno", "5"}}), TError::WrongType,
         "/postavy/0/jmeno", 0},
        {"a name that is null", with({}, {{"jmeno", "null"}}), TError::WrongType,
         "/postavy/0/jmeno", 0},
        {"lives as text", with({}, {{"zivoty", "\"40\""}}), TError::WrongType, "/postavy/0/zivoty",
         0},
        {"lives with a fraction", with({}, {{"zivoty", "40.5"}}), TError::WrongType,
         "/postavy/0/zivoty", 0},
        {"lives as a truth value", with({}, {{"zivoty", "true"}}), TError::WrongType,
         "/postavy/0/zivoty", 0},
        {"a number too long for 64 bits", with({}, {{"zivoty", "99999999999999999999"}}),
         TError::WrongType, "/postavy/0/zivoty", 0},
        {"no unassigned experience", with({}, {{"nepridelena_zkusenost", "-"}}),
         TError::MissingValue, "/postavy/0/nepridelena_zkusenost", 0},
        {"a monster without a level", with({}, {}, {{"uroven", "-"}}), TError::MissingValue,
         "/nestvury/0/uroven", 0},
        {"no monsters", with({{"nestvury", "-"}}), TError::MissingValue, "/nestvury", 0},
        {"two monsters equal ignoring case",
         with({{"nestvury", R"([{"jmeno": "Vlk", "zivoty": 1, "max_zivoty": 1, "vyrazeni": 0,
            "zkusenost_za_zabiti": 1, "uroven": 1, "pravidlo_vyrazeni": 0},
            {"jmeno": "vlk", "zivoty": 1, "max_zivoty": 1, "vyrazeni": 0,
            "zkusenost_za_zabiti": 1, "uroven": 1, "pravidlo_vyrazeni": 0}])"}}),
         TError::DuplicateName, "/nestvury/1/jmeno", 0},
        {"two characters of the empty name, apart and out of order",
         with({{"postavy", R"([{"jmeno": "", "zivoty": 1, "max_zivoty": 1, "vyrazeni": 1,
            "zkusenost": 0, "nepridelena_zkusenost": 0},
            {"jmeno": "B", "zivoty": 1, "max_zivoty": 1, "vyrazeni": 1,
            "zkusenost": 0, "nepridelena_zkusenost": 0},
            {"jmeno": "", "zivoty": 1, "max_zivoty": 1, "vyrazeni": 1,
            "zkusenost": 0, "nepridelena_zkusenost": 0}])"}}),
         TError::DuplicateName, "/postavy/2/jmeno", 0},
        {"no selection", with({{"vybrano", "-"}}), TError::MissingValue, "/vybrano", 0},
        {"a selection that is no object", with({{"vybrano", "[]"}}), TError::WrongType, "/vybrano",
         0},
        {"no selected character", with({{"vybrano", R"({"nestvura": null})"}}),
         TError::MissingValue, "/vybrano/postava", 0},
        {"a selected row as text", with({{"vybrano", R"({"postava": "0", "nestvura": null})"}}),
         TError::WrongType, "/vybrano/postava", 0},
        {"a selected row past the roster's end",
         with({{"vybrano", R"({"postava": 1, "nestvura": null})"}}), TError::SelectionOutside,
         "/vybrano/postava", 0},
        {"a selected row before the first",
         with({{"vybrano", R"({"postava": -2, "nestvura": null})"}}), TError::SelectionOutside,
         "/vybrano/postava", 0},
        {"a selected monster in an empty roster",
         with({{"nestvury", "[]"}, {"vybrano", R"({"postava": null, "nestvura": 0})"}}),
         TError::SelectionOutside, "/vybrano/nestvura", 0},
        {"a ledger that is no list", with({{"denik", "\"x\""}}), TError::WrongType, "/denik", 0},
        {"a ledger row of an unknown event",
         with({{"denik",
                std::string(kAragornJoined).replace(kAragornJoined.find("added"), 5, "found")}}),
         TError::BadLedger, "/denik", 0},
        {"a ledger that does not add up",
         with(
             {{"denik", std::string(kAragornJoined).replace(kAragornJoined.find("100"), 3, "99")}}),
         TError::BadLedger, "/denik", 0},
        {"a ledger of another character",
         with({{"denik", kAragornJoined}}, {{"jmeno", "\"Bilbo\""}}), TError::BadLedger, "/denik",
         0},
        {"nested deeper than anyone writes",
         with({{"denik", std::string(40, '[') + std::string(40, ']')}}), TError::TooLarge, "", 0},
        {"more values than any fight holds", with({{"denik", manyValues}}), TError::TooLarge, "",
         0},
        {"bigger than any fight", good + std::string(kMaxFightFileBytes, ' '), TError::TooLarge, "",
         0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Why);
        const TFightFileReading r = ReadFightFile(c.Bytes, kOrder);
        EXPECT_EQ(r.Error, c.Error);
        EXPECT_EQ(r.Where, c.Where);
        EXPECT_EQ(r.Offset, c.Offset);
        EXPECT_EQ(r.Clamped, 0u);
        EXPECT_EQ(r.File, TFightFile{});
    }
}

TEST(FightFile, AFightBeyondTheLimitsIsNeitherReadNorWritten)
{
    const std::string character = R"({"jmeno": "", "zivoty": 1, "max_zivoty": 1, "vyrazeni": 1,
        "zkusenost": 0, "nepridelena_zkusenost": 0})";
    std::string list = "[";
    for (std::size_t i = 0; i <= kMaxFightFileCombatants; ++i)
        list += (i ? "," : "") + character;
    TPieces p;
    p.Top["postavy"] = list + "]";
    const TFightFileReading r = ReadFightFile(p.Text(), kOrder);
    EXPECT_EQ(r.Error, TError::TooLarge);
    EXPECT_EQ(r.Where, "/postavy");
    EXPECT_EQ(r.File, TFightFile{});

    // What could not be opened again is not written.
    TFightFile f;
    f.Fight.Rosters[kNestvury].resize(kMaxFightFileCombatants + 1);
    EXPECT_EQ(FormatFightFile(f), std::nullopt);
    f.Fight.Rosters[kNestvury].clear();
    f.Fight.Rosters[kPostavy] = {Record(std::string(kMaxFightFileBytes, 'x'), {})};
    EXPECT_EQ(FormatFightFile(f), std::nullopt);
    f.Fight.Rosters[kPostavy].clear();
    // A ledger of more values than a file may hold would not open again.
    TLedgerRow row;
    row.Character = "Aragorn";
    row.Event = TLedgerEvent::Special;
    f.Ledger.emplace();
    f.Ledger->Append(std::vector<TLedgerRow>(kMaxFightFileValues / 8, row));
    EXPECT_EQ(FormatFightFile(f), std::nullopt);
    f.Ledger->Clear();
    f.Ledger->Append(std::vector<TLedgerRow>(10, row));
    EXPECT_NE(FormatFightFile(f), std::nullopt);
}

std::unique_ptr<TObjekt> Character(const std::string& name, std::int32_t lives = 50)
{
    auto c = std::make_unique<TPostava>(name);
    c->Lives = lives;
    return c;
}

std::unique_ptr<TObjekt> Monster(const std::string& name, std::int32_t lives = 5)
{
    auto m = std::make_unique<TNestvura>(name);
    m->Lives = lives;
    return m;
}

std::vector<std::string> Names(const TRosterList& list)
{
    std::vector<std::string> names;
    for (int row = 0; row < list.Count(); ++row)
        names.push_back(list.At(row)->Name);
    return names;
}

TEST(FightFileRules, OpeningReplacesBothRostersAndKeepsTheSelectedRecords)
{
    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    postavy.Add(Character("Gandalf"));
    nestvury.Add(Monster("Drak"));

    TFightData fight;
    fight.Rosters[kPostavy] = {Record("Zora", {1, 2, 1, 3, 4, 0}),
                               Record("Bilbo", {5, 6, 1, 7, 8, 0}),
                               Record("zora", {9, 9, 1, 0, 0, 0})};
    fight.Rosters[kNestvury] = {Record("Vlk [1]", {3, 17, 2, 150, 3, 2}),
                                Record("Vlk", {4, 12, 1, 60, 2, 1})};
    fight.Selection = {{0, 1}};
    const TFightSelection selection = ReplaceFight(postavy, nestvury, fight);
    // In the roster's order; a name equal to an earlier one is left out.
    EXPECT_EQ(Names(postavy), (std::vector<std::string>{"Bilbo", "Zora"}));
    EXPECT_EQ(Names(nestvury), (std::vector<std::string>{"Vlk", "Vlk [1]"}));
    EXPECT_EQ(NumbersOf(*postavy.At(1)), (TRecordNumbers{1, 2, 1, 3, 4, 0}));
    EXPECT_EQ(NumbersOf(*nestvury.At(0)), (TRecordNumbers{4, 12, 1, 60, 2, 1}));
    EXPECT_EQ(selection, (TFightSelection{{1, 0}}));
    // The numbering knows the rows that came: the next Vlk is Vlk [2].
    nestvury.Add(Monster(UniqueName(nestvury, "Vlk")));
    EXPECT_EQ(Names(nestvury).back(), "Vlk [2]");

    EXPECT_EQ(ReplaceFight(postavy, nestvury, TFightData{}), TFightSelection{});
    EXPECT_EQ(postavy.Count() + nestvury.Count(), 0);
}

TEST(FightFileRules, AddingSkipsTakenCharactersAndNumbersTakenMonsters)
{
    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    postavy.Add(Character("Aragorn", 40));
    postavy.Add(Character("Zbyněk"));
    nestvury.Add(Monster("Vlk"));
    nestvury.Add(Monster("Vlk [1]"));
    nestvury.Add(Monster("50%"));

    TFightData file;
    file.Rosters[kPostavy] = {Record("aragorn", {1, 50, 1, 0, 0, 0}),
                              Record("Bilbo", {30, 40, 2, 10, 5, 0}),
                              Record("ZBYNěK", {1, 50, 1, 0, 0, 0})};
    file.Rosters[kNestvury] = {
        Record("vlk", {1, 8, 0, 10, 1, 0}), Record("Vlk", {2, 8, 0, 10, 1, 0}),
        Record("Vlk [1]", {3, 8, 0, 10, 1, 0}), Record("Troll", {4, 8, 0, 10, 1, 0}),
        Record("50%", {5, 8, 0, 10, 1, 0})};
    file.Selection = {{1, 1}};
    const TAddedFromFile added = AddFightFromFile(postavy, nestvury, file);

    EXPECT_EQ(added.SkippedCharacters, (std::vector<std::string>{"aragorn", "ZBYNěK"}));
    EXPECT_EQ(added.Added[kPostavy], (std::vector<std::string>{"Bilbo"}));
    EXPECT_EQ(Names(postavy), (std::vector<std::string>{"Aragorn", "Bilbo", "Zbyněk"}));
    EXPECT_EQ(postavy.At(0)->Lives, 40); // the roster's Aragorn stays as he was
    EXPECT_EQ(NumbersOf(*postavy.At(1)), (TRecordNumbers{30, 40, 2, 10, 5, 0}));

    // The first free number after the name, counting the rows added before.
    EXPECT_EQ(added.Added[kNestvury],
              (std::vector<std::string>{"vlk [2]", "Vlk [3]", "Vlk [1] [1]", "Troll", "50% [1]"}));
    EXPECT_TRUE(added.SkippedMonsters.empty());
    EXPECT_EQ(nestvury.Count(), 8);
    // The monsters keep their lives as the file had them; nothing is rolled.
    for (const auto& [name, lives] : std::map<std::string, std::int32_t>{
             {"vlk [2]", 1}, {"Vlk [3]", 2}, {"Vlk [1] [1]", 3}, {"Troll", 4}, {"50% [1]", 5}})
        EXPECT_EQ(nestvury.At(nestvury.IndexOf(name))->Lives, lives) << name;
}

TEST(FightFileRules, TheRecentListHoldsTheLastEightDistinctPathsNewestFirst)
{
    std::mt19937 random(8);
    std::vector<std::string> recent;
    std::vector<std::string> opened;
    for (int step = 0; step < 2000; ++step) {
        const std::string path = "/home/pj/souboje/" +
                                 std::to_string(std::uniform_int_distribution<int>(0, 11)(random)) +
                                 ".souboj";
        recent = WithRecentFight(recent, path);
        opened.push_back(path);
        // Newest first: going back through what was opened, each path the
        // first time it is met, until eight.
        std::vector<std::string> expected;
        for (auto it = opened.rbegin(); it != opened.rend() && expected.size() < 8; ++it)
            if (std::find(expected.begin(), expected.end(), *it) == expected.end())
                expected.push_back(*it);
        ASSERT_EQ(recent, expected) << step;
    }
    // Paths are compared as given.
    recent = WithRecentFight({"/a/x.souboj"}, "/a/./x.souboj");
    EXPECT_EQ(recent, (std::vector<std::string>{"/a/./x.souboj", "/a/x.souboj"}));
    recent = WithRecentFight(recent, "/A/x.souboj");
    EXPECT_EQ(recent.size(), 3u);
    // A list read back with duplicates and gaps is put right.
    EXPECT_EQ(WithRecentFight({"b", "", "c", "b", "d"}, "a"),
              (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(WithRecentFight({"b", "b"}, ""), (std::vector<std::string>{"b"}));
    EXPECT_EQ(WithoutRecentFight({"a", "b", "c"}, "b"), (std::vector<std::string>{"a", "c"}));
}

TEST(FightFileRules, RecentItemsShowTheirNamesWithAnAccessKeyEach)
{
    EXPECT_EQ(RecentFightTexts({"/home/pj/a.souboj", "/tmp/b.souboj", "/home/pj/x/b.souboj", "c"}),
              (std::vector<std::string>{"a.souboj", "/tmp/b.souboj", "/home/pj/x/b.souboj", "c"}));
    struct TCase
    {
        std::size_t Index;
        std::string Text;
        std::string Caption;
    };
    const std::vector<TCase> cases = {
        {0, "hrad.souboj", "&1 hrad.souboj"},
        {7, "Skřeti & vlci.souboj", "&8 Skřeti && vlci.souboj"},
        {2, "&&", "&3 &&&&"},
        {3, "50 %1.souboj", "&4 50 %1.souboj"},
        {4,
         "a\tb\nc\x7f"
         "d\xC2\x85"
         "e",
         "&5 a b c d e"},
        {5, "čř\xC2\xA0ž", "&6 čř\xC2\xA0ž"}, // a no-break space is no control character
        {9, "x", "10 x"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(RecentFightCaption(c.Index, c.Text), c.Caption) << c.Text;
}

} // namespace
} // namespace mecovnik
