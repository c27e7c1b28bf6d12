#include "history/ExperienceLedger.h"
#include "history/LedgerExport.h"
#include "history/TRosterHistory.h"
#include "roster/RosterRules.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRandom.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>

namespace mecovnik {
namespace {

// Both rosters under a history, with the ledger kept the way the windows will
// keep it: each command's rows appended as it commits, taken off and put back
// with its undo and redo.
class TLedgerFight
{
public:
    TLedgerFight() : Postavy(m_order), Nestvury(m_order), History(Postavy, Nestvury) {}

    TPostava& AddCharacter(const std::string& name, std::int32_t experience,
                           std::int32_t unassigned)
    {
        auto c = std::make_unique<TPostava>(name);
        c->Experience = experience;
        c->UnassignedExperience = unassigned;
        TPostava& added = *c;
        Run({}, [&] { Postavy.Add(std::move(c)); });
        return added;
    }

    TNestvura& AddMonster(const std::string& name, std::int32_t lives, std::int32_t worth)
    {
        auto m = std::make_unique<TNestvura>(UniqueName(Nestvury, name));
        m->MaxLives = m->Lives = lives;
        m->KillExperience = worth;
        TNestvura& added = *m;
        Run({}, [&] { Nestvury.Add(std::move(m)); });
        return added;
    }

    TPostava& Character(int row) { return static_cast<TPostava&>(*Postavy.At(row)); }
    TNestvura& Monster(int row) { return static_cast<TNestvura&>(*Nestvury.At(row)); }

    // Runs a command as one step and appends its rows; returns them.
    std::vector<TLedgerRow> Run(const TLedgerCommand& command, const std::function<void()>& f)
    {
        const std::vector<TRecordData> before = DataOf(Postavy);
        EXPECT_TRUE(History.Begin({}));
        f();
        if (!History.Commit("krok", {}))
            return {};
        std::vector<TLedgerRow> rows =
            MakeLedgerRows(command, CharacterChanges(before, History.LastChange(), Postavy), ++Now);
        // A redo step is gone once a new step is made.
        Counts.resize(Done);
        Counts.push_back(Ledger.Append(rows));
        Redone.clear();
        ++Done;
        Stepped = true;
        return rows;
    }

    // The wound command: the selected monster loses lives, the selected
    // character earns what they are worth.
    std::vector<TLedgerRow> Wound(int monster, int character, std::int32_t damage)
    {
        TNestvura* m = monster < 0 ? nullptr : &Monster(monster);
        const TLedgerCommand command =
            m ? WoundCommand(m->Name, m->Lives, m->Lives - std::min(damage, m->Lives))
              : TLedgerCommand{TLedgerEvent::Wound, {}, 0, 0};
        return Run(command, [&] {
            const std::int32_t experience = m ? m->Wound(damage) : 0;
            if (character >= 0 && experience != 0)
                Character(character).AddExperience(experience);
        });
    }

    bool Undo()
    {
        if (!History.Undo())
            return false;
        Redone.push_back(Ledger.TakeLast(Counts[--Done]));
        return true;
    }

    bool Redo()
    {
        if (!History.Redo())
            return false;
        Ledger.PutBack(std::move(Redone.back()));
        Redone.pop_back();
        ++Done;
        return true;
    }

    const TAsciiNameOrder m_order;
    TRosterList Postavy;
    TRosterList Nestvury;
    TRosterHistory History;
    TExperienceLedger Ledger;
    std::vector<std::size_t> Counts; // rows of each step, done or undone
    std::vector<std::vector<TLedgerRow>> Redone;
    std::size_t Done = 0;
    bool Stepped = false; // a command made a new step
    std::int64_t Now = 1'714'590'000;
};

// What a row says, without its time.
struct TExpectedRow
{
    std::string Character;
    std::string Text;
    std::int64_t EarnedChange;
    std::int64_t UnassignedChange;
    std::int32_t Earned;
    std::int32_t Unassigned;
};

void ExpectRows(const std::vector<TLedgerRow>& rows, const std::vector<TExpectedRow>& expected)
{
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].Character, expected[i].Character);
        EXPECT_EQ(EventText(rows[i]), expected[i].Text);
        EXPECT_EQ(rows[i].EarnedChange, expected[i].EarnedChange);
        EXPECT_EQ(rows[i].UnassignedChange, expected[i].UnassignedChange);
        EXPECT_EQ(rows[i].Earned, expected[i].Earned);
        EXPECT_EQ(rows[i].Unassigned, expected[i].Unassigned);
    }
}

TEST(ExperienceLedger, AWoundOfFiveOfSeventeenLivesWorth150Gives44)
{
    TLedgerFight f;
    f.AddCharacter("Aragorn", 0, 0);
    f.AddCharacter("Bilbo", 10, 10);
    f.AddMonster("Skret", 17, 150);
    f.AddMonster("Skret", 17, 150);
    f.AddMonster("Skret", 17, 150);
    // 5 x 150 / 17 = 44.1, rounded down; only the wounding character earns.
    ExpectRows(f.Wound(2, 0, 5),
               {{"Aragorn", "Zranění: Skret [2], 5 životů z 17", 44, 44, 44, 44}});
    EXPECT_EQ(f.Ledger.At(f.Ledger.Count() - 1).Time, f.Now);
    // 1000 takes only the 12 lives left: 12 x 150 / 17 = 105.8.
    ExpectRows(f.Wound(2, 1, 1000),
               {{"Bilbo", "Zranění: Skret [2], 12 životů z 12", 105, 105, 115, 115}});
    // A dead monster, a wound worth nothing, a wound with no character: no row.
    EXPECT_TRUE(f.Wound(2, 0, 3).empty());
    EXPECT_TRUE(f.Wound(0, -1, 3).empty());
    f.AddMonster("Krysa", 17, 3);
    EXPECT_TRUE(f.Wound(0, 0, 1).empty()); // 1 x 3 / 17 = 0
}

TEST(ExperienceLedger, LivesAreCountedInCzech)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "životů"}, {1, "život"},  {2, "životy"},  {3, "životy"},
        {4, "životy"}, {5, "životů"}, {12, "životů"}, {1000, "životů"},
    };
    for (const auto& [n, word] : cases)
        EXPECT_EQ(LivesWord(n), word) << n;
    TLedgerRow row;
    row.Event = TLedgerEvent::Wound;
    row.Monster = "Vlk";
    row.LivesTaken = 1;
    row.LivesBefore = 8;
    EXPECT_EQ(EventText(row), "Zranění: Vlk, 1 život z 8");
}

TEST(ExperienceLedger, EachCommandMakesARowPerCharacterWhoseExperienceChanged)
{
    struct TCase
    {
        const char* Why;
        TLedgerEvent Event;
        std::function<void(TLedgerFight&)> Command;
        std::vector<TExpectedRow> Rows;
    };
    // Before each: Aragorn 120 earned / 50 unassigned, Bilbo 30 / 5, Cirdan 0 / 0.
    const auto forAll = [](TLedgerFight& f, const std::function<void(TPostava&)>& g) {
        for (int row = 0; row < f.Postavy.Count(); ++row)
            g(f.Character(row));
    };
    const std::vector<TCase> cases = {
        {"handing all over to everybody announces to those with something",
         TLedgerEvent::HandOverAll,
         [&](TLedgerFight& f) { forAll(f, [](TPostava& c) { c.HandOver(c.HandOverAmount(-1)); }); },
         {{"Aragorn", "Předána celá zkušenost", 0, -50, 120, 0},
          {"Bilbo", "Předána celá zkušenost", 0, -5, 30, 0}}},
        {"a part of 20 to everybody takes at most what is unassigned",
         TLedgerEvent::HandOverPart,
         [&](TLedgerFight& f) { forAll(f, [](TPostava& c) { c.HandOver(c.HandOverAmount(20)); }); },
         {{"Aragorn", "Předána část zkušenosti", 0, -20, 120, 30},
          {"Bilbo", "Předána část zkušenosti", 0, -5, 30, 0}}},
        {"special experience to one character",
         TLedgerEvent::Special,
         [](TLedgerFight& f) { f.Character(1).AddExperience(25); },
         {{"Bilbo", "Zvláštní zkušenost", 25, 25, 55, 30}}},
        {"taking 10000 from everybody takes only what is unassigned",
         TLedgerEvent::Special,
         [&](TLedgerFight& f) { forAll(f, [](TPostava& c) { c.AddExperience(-10000); }); },
         {{"Aragorn", "Zvláštní zkušenost", -50, -50, 70, 0},
          {"Bilbo", "Zvláštní zkušenost", -5, -5, 25, 0}}},
        {"resetting everybody zeroes both, the earned too",
         TLedgerEvent::Reset,
         [&](TLedgerFight& f) { forAll(f, [](TPostava& c) { c.ResetExperience(); }); },
         {{"Aragorn", "Vynulována zkušenost", -120, -50, 0, 0},
          {"Bilbo", "Vynulována zkušenost", -30, -5, 0, 0}}},
        {"a deleted character leaves with all its experience",
         TLedgerEvent::Special,
         [](TLedgerFight& f) { f.Postavy.Delete(0); },
         {{"Aragorn", "Postava smazána", -120, -50, 0, 0}}},
        {"a new character joins, even with nothing",
         TLedgerEvent::Special,
         [](TLedgerFight& f) { f.Postavy.Add(std::make_unique<TPostava>("Bard")); },
         {{"Bard", "Postava přidána", 0, 0, 0, 0}}},
        {"lives change no experience",
         TLedgerEvent::Special,
         [&](TLedgerFight& f) { forAll(f, [](TPostava& c) { c.AddLives(-5); }); },
         {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Why);
        TLedgerFight f;
        f.AddCharacter("Aragorn", 120, 50);
        f.AddCharacter("Bilbo", 30, 5);
        f.AddCharacter("Cirdan", 0, 0);
        ExpectRows(f.Run({c.Event, {}, 0, 0}, [&] { c.Command(f); }), c.Rows);
        EXPECT_TRUE(LedgerAgrees(f.Ledger, DataOf(f.Postavy)));
    }
}

TEST(ExperienceLedger, AWholeChangeIsToldApartByName)
{
    const TAsciiNameOrder order;
    TRosterList after(order);
    const auto add = [&after](const char* name, std::int32_t earned, std::int32_t unassigned) {
        auto c = std::make_unique<TPostava>(name);
        c->Experience = earned;
        c->UnassignedExperience = unassigned;
        after.Add(std::move(c));
    };
    add("Bilbo", 40, 40);   // changed
    add("Cirdan", 0, 0);    // joined
    add("Aragorn", 10, 10); // as it was
    const auto numbers = [](std::int32_t e, std::int32_t u) {
        return TRecordNumbers{50, 50, 1, e, u, 0};
    };
    const std::vector<TRecordData> before = {
        {"Aragorn", numbers(10, 10)}, {"Bilbo", numbers(30, 30)}, {"Dain", numbers(7, 0)}};
    TFightChange change;
    change.Whole = true;
    const auto changes = CharacterChanges(before, change, after);
    ExpectRows(MakeLedgerRows({TLedgerEvent::Special, {}, 0, 0}, changes, 0),
               {{"Dain", "Postava smazána", -7, 0, 0, 0},
                {"Bilbo", "Zvláštní zkušenost", 10, 10, 40, 40},
                {"Cirdan", "Postava přidána", 0, 0, 0, 0}});
}

// Random commands of an evening with real records and rules, undone and
// redone now and then: after every move the ledger's summary is the
// characters' own experience, each undo and redo brings back exactly the
// ledger the fight had at that step, and the ledger survives its JSON.
TEST(ExperienceLedger, SummaryFollowsTheCharactersThroughUndoAndRedo)
{
    std::mt19937 engine(20240501);
    const auto pick = [&engine](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(engine);
    };
    class TEngineRandom final : public TRandom
    {
    public:
        explicit TEngineRandom(std::mt19937& e) : m_e(e) {}
        std::uint32_t Next() override { return m_e() & 0x7FFFFFFFu; }

    private:
        std::mt19937& m_e;
    } dice(engine);

    static const char* const names[] = {"Aragorn", "Bilbo", "Cirdan", "Dain", "Eowyn", "Frodo"};
    static const char* const kinds[] = {"Vlk", "Skret", "Drak"};
    TLedgerFight f;
    std::vector<TExperienceLedger> atStep{f.Ledger}; // the ledger after each done step
    int undos = 0;
    int rows = 0;
    for (int round = 0; round < 3000; ++round) {
        const int character = pick(-1, f.Postavy.Count() - 1);
        const int monster = pick(-1, f.Nestvury.Count() - 1);
        const bool all = pick(0, 1) == 1;
        const auto each = [&](const std::function<void(TPostava&)>& g) {
            if (all)
                for (int row = 0; row < f.Postavy.Count(); ++row)
                    g(f.Character(row));
            else if (character >= 0)
                g(f.Character(character));
        };
        const std::size_t before = f.Ledger.Count();
        f.Stepped = false;
        bool moved = true;
        switch (pick(0, 14)) {
        case 0:
            if (const char* name = names[pick(0, 5)]; f.Postavy.IndexOf(name) < 0)
                f.Run({}, [&] { f.Postavy.Add(std::make_unique<TPostava>(name)); });
            break;
        case 1:
            f.Run({}, [&] { f.Postavy.Delete(character); });
            break;
        case 2: {
            auto m = std::make_unique<TNestvura>(UniqueName(f.Nestvury, kinds[pick(0, 2)]));
            m->Level = pick(1, 8);
            m->KnockOutRule = pick(0, 4);
            m->KillExperience = pick(1, 30000);
            m->RollLives(dice);
            f.Run({}, [&] { f.Nestvury.Add(std::move(m)); });
            break;
        }
        case 3:
            f.Run({}, [&] {
                f.Nestvury.RemoveIf([&](const TObjekt& r) {
                    return BelongsToGroup(r, static_cast<TDeleteMode>(pick(0, 2)));
                });
            });
            break;
        case 4:
        case 5:
            f.Wound(monster, character, pick(1, 40));
            break;
        case 6:
            f.Run({all ? TLedgerEvent::HandOverAll : TLedgerEvent::HandOverPart, {}, 0, 0}, [&] {
                const int amount = all ? -1 : pick(1, 10000);
                each([amount](TPostava& c) { c.HandOver(c.HandOverAmount(amount)); });
            });
            break;
        case 7:
            f.Run({TLedgerEvent::Special, {}, 0, 0}, [&] {
                const int delta = pick(-10000, 10000);
                each([delta](TPostava& c) { c.AddExperience(delta); });
            });
            break;
        case 8:
            f.Run({TLedgerEvent::Reset, {}, 0, 0},
                  [&] { each([](TPostava& c) { c.ResetExperience(); }); });
            break;
        case 9:
            f.Run({}, [&] { each([&](TPostava& c) { c.AddLives(pick(-10, 100)); }); });
            break;
        case 10:
            // One step that removes, adds and changes characters at once (as
            // taking in another fight will): rows move under the changes.
            f.Run({TLedgerEvent::Special, {}, 0, 0}, [&] {
                f.Postavy.RemoveIf([&](const TObjekt&) { return pick(0, 2) == 0; });
                for (int n = pick(0, 2); n > 0; --n) {
                    auto c = std::make_unique<TPostava>(names[pick(0, 5)]);
                    c->Experience = pick(0, 500);
                    c->UnassignedExperience = pick(0, c->Experience);
                    if (f.Postavy.IndexOf(c->Name) < 0)
                        f.Postavy.Add(std::move(c));
                }
                for (int row = 0; row < f.Postavy.Count(); ++row)
                    if (pick(0, 1) == 0)
                        f.Character(row).AddExperience(pick(1, 100));
            });
            break;
        case 11:
        case 12:
            moved = f.Undo();
            undos += moved ? 1 : 0;
            break;
        default:
            moved = f.Redo();
            break;
        }
        rows += static_cast<int>(f.Ledger.Count() > before ? f.Ledger.Count() - before : 0);
        if (f.Stepped) {
            atStep.resize(f.Done);
            atStep.push_back(f.Ledger);
        }
        ASSERT_EQ(f.Ledger, atStep[f.Done]) << "round " << round << (moved ? "" : " (no move)");
        ASSERT_TRUE(LedgerAgrees(f.Ledger, DataOf(f.Postavy))) << "round " << round;
        if (round % 100 == 0) {
            const TLedgerReading back =
                LedgerFromJson(nlohmann::json::parse(LedgerToJson(f.Ledger).dump(
                    -1, ' ', false, nlohmann::json::error_handler_t::replace)));
            ASSERT_TRUE(back.Ledger) << back.Error;
            ASSERT_EQ(*back.Ledger, f.Ledger);
        }
    }
    // The evening really went both ways, and wounds made rows.
    EXPECT_GT(undos, 100);
    EXPECT_GT(rows, 500);
}

TEST(ExperienceLedger, TakingMoreRowsThanThereAreTakesAll)
{
    TExperienceLedger ledger;
    TLedgerRow row;
    row.Character = "Bilbo";
    row.Event = TLedgerEvent::Added;
    EXPECT_EQ(ledger.Append({row, row}), 2u);
    const std::vector<TLedgerRow> taken = ledger.TakeLast(5);
    EXPECT_EQ(taken.size(), 2u);
    EXPECT_TRUE(ledger.Empty());
    ledger.PutBack(taken);
    EXPECT_EQ(ledger.Count(), 2u);
}

TEST(LedgerExport, TimesReadAsCalendarDates)
{
    const struct
    {
        std::int64_t Time;
        std::int64_t Offset;
        const char* Text;
    } cases[] = {
        {0, 0, "1970-01-01 00:00:00"},
        {-1, 0, "1969-12-31 23:59:59"},
        {1'714'521'600, 0, "2024-05-01 00:00:00"},
        {1'714'590'000, 7200, "2024-05-01 21:00:00"},
        {1'704'067'200, -3600, "2023-12-31 23:00:00"},
        {1'709'164'800, 0, "2024-02-29 00:00:00"}, // a leap day
        {253'402'300'799, 0, "9999-12-31 23:59:59"},
        {253'402'300'800, 0, "253402300800"}, // past the year 9999: the number
        {INT64_MIN, 0, "-9223372036854775808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CivilTimeText(c.Time, c.Offset), c.Text) << c.Time;
    // For a person reading Czech: day and month without leading zeros, the
    // hour too; minutes and seconds in two digits.
    EXPECT_EQ(CivilTimeText(1'714'590'000, 7200, TTimeStyle::Czech), "1. 5. 2024 21:00:00");
    EXPECT_EQ(CivilTimeText(1'704'067'200, -3600, TTimeStyle::Czech), "31. 12. 2023 23:00:00");
    EXPECT_EQ(CivilTimeText(1'714'525'505, 0, TTimeStyle::Czech), "1. 5. 2024 1:05:05");
    EXPECT_EQ(CivilTimeText(253'402'300'800, 0, TTimeStyle::Czech), "253402300800");

    // The local zone's offset at the moment itself: summer and winter time.
    const char* const saved = std::getenv("TZ");
    const std::string restore = saved ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(LocalTimeText(1'714'590'000), "2024-05-01 21:00:00");
    EXPECT_EQ(LocalTimeText(1'704'067'200), "2024-01-01 01:00:00");
    if (saved)
        setenv("TZ", restore.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

// An RFC 4180 reader: records of fields, quoted fields with doubled quotes
// and line breaks, CRLF between records.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = records.back().back();
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            EXPECT_TRUE(field.empty()) << "a quote inside an unquoted field at " << i;
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r') {
            EXPECT_EQ(text.substr(i, 2), "\r\n") << "a bare CR at " << i;
            ++i;
            records.emplace_back(1);
        } else {
            EXPECT_NE(c, '\n') << "a bare LF at " << i;
            field += c;
        }
    }
    EXPECT_FALSE(quoted);
    EXPECT_EQ(records.back(), std::vector<std::string>(1)); // the last record ends with CRLF
    records.pop_back();
    return records;
}

TEST(LedgerExport, CsvReadsBackWithCzechLettersQuotesAndLineBreaks)
{
    TExperienceLedger ledger;
    const auto row = [](std::string name, TLedgerEvent event, std::int64_t change,
                        std::int32_t total) {
        TLedgerRow r;
        r.Time = 1'714'521'600 + change;
        r.Character = std::move(name);
        r.Event = event;
        r.EarnedChange = r.UnassignedChange = change;
        r.Earned = r.Unassigned = total;
        return r;
    };
    TLedgerRow wound = row("Šárka, \"Kočka\"", TLedgerEvent::Wound, 44, 44);
    wound.Monster = "Skřet \"Žlutý\"\r\nz hor";
    wound.LivesTaken = 5;
    wound.LivesBefore = 17;
    ledger.Append({row("Šárka, \"Kočka\"", TLedgerEvent::Added, 0, 0), wound,
                   row("=HYPERLINK(\"x\")", TLedgerEvent::Added, 0, 0),
                   row("-Ďábel", TLedgerEvent::Special, -7, 3)});

    const std::string csv =
        LedgerCsv(ledger, [](std::int64_t t) { return "t" + std::to_string(t); });
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF"); // UTF-8 byte order mark
    const auto records = ReadCsv(csv.substr(3));
    const std::vector<std::vector<std::string>> expected = {
        {"Čas", "Postava", "Událost", "Změna zkušenosti", "Změna nepřidělené zkušenosti",
         "Zkušenost", "Nepřidělená zkušenost"},
        {"t1714521600", "Šárka, \"Kočka\"", "Postava přidána", "0", "0", "0", "0"},
        {"t1714521644", "Šárka, \"Kočka\"", "Zranění: Skřet \"Žlutý\"\r\nz hor, 5 životů z 17",
         "44", "44", "44", "44"},
        // A name a spreadsheet would run as a formula stays text.
        {"t1714521600", "'=HYPERLINK(\"x\")", "Postava přidána", "0", "0", "0", "0"},
        {"t1714521593", "'-Ďábel", "Zvláštní zkušenost", "-7", "-7", "3", "3"},
    };
    EXPECT_EQ(records, expected);
}

// A good ledger's JSON, changed in one place.
TEST(LedgerExport, ABadLedgerIsRefusedWhole)
{
    TLedgerFight f;
    f.AddCharacter("Aragorn", 0, 0);
    f.AddMonster("Skret", 17, 150);
    f.Wound(0, 0, 5);
    f.Run({TLedgerEvent::HandOverAll, {}, 0, 0},
          [&] { f.Character(0).HandOver(f.Character(0).HandOverAmount(-1)); });
    f.Run({}, [&] { f.Postavy.Delete(0); });
    const nlohmann::json good = LedgerToJson(f.Ledger);
    ASSERT_EQ(good["rows"].size(), 4u);
    const TLedgerReading fine = LedgerFromJson(good);
    ASSERT_TRUE(fine.Ledger) << fine.Error;
    EXPECT_EQ(*fine.Ledger, f.Ledger);

    using TEdit = std::function<void(nlohmann::json&)>;
    const std::vector<std::pair<const char*, TEdit>> cases = {
        {"not an object", [](nlohmann::json& j) { j = nlohmann::json::array(); }},
        {"another version", [](nlohmann::json& j) { j["version"] = 2; }},
        {"no rows", [](nlohmann::json& j) { j.erase("rows"); }},
        {"an unknown top field", [](nlohmann::json& j) { j["extra"] = 1; }},
        {"a row not an object", [](nlohmann::json& j) { j["rows"][1] = 5; }},
        {"a missing field", [](nlohmann::json& j) { j["rows"][1].erase("earned"); }},
        {"an unknown field", [](nlohmann::json& j) { j["rows"][1]["note"] = "x"; }},
        {"a monster on a hand-over", [](nlohmann::json& j) { j["rows"][2]["monster"] = "Vlk"; }},
        {"a wound without its monster", [](nlohmann::json& j) { j["rows"][1].erase("monster"); }},
        {"text for a number", [](nlohmann::json& j) { j["rows"][1]["earned"] = "44"; }},
        {"a fraction", [](nlohmann::json& j) { j["rows"][1]["time"] = 1.5; }},
        {"a total beyond 32 bits", [](nlohmann::json& j) { j["rows"][1]["earned"] = 1LL << 31; }},
        {"a time beyond 64 bits", [](nlohmann::json& j) { j["rows"][1]["time"] = UINT64_MAX; }},
        {"an unknown event", [](nlohmann::json& j) { j["rows"][1]["event"] = "heal"; }},
        {"a number for a name", [](nlohmann::json& j) { j["rows"][1]["character"] = 7; }},
        {"a wound taking more than there was",
         [](nlohmann::json& j) { j["rows"][1]["livesTaken"] = 18; }},
        {"a wound taking less than nothing",
         [](nlohmann::json& j) { j["rows"][1]["livesTaken"] = -1; }},
        {"a change that does not add up",
         [](nlohmann::json& j) { j["rows"][1]["earnedChange"] = 45; }},
        {"a total that does not follow", [](nlohmann::json& j) { j["rows"][2]["earned"] = 43; }},
        {"a character added twice", [](nlohmann::json& j) { j["rows"][3]["event"] = "added"; }},
        {"a change of a character not in the fight",
         [](nlohmann::json& j) { j["rows"][1]["character"] = "Bilbo"; }},
        {"a deleted character keeping experience",
         [](nlohmann::json& j) {
             j["rows"][3]["earned"] = 1;
             j["rows"][3]["earnedChange"] = -43;
         }},
    };
    for (const auto& [why, edit] : cases) {
        nlohmann::json bad = good;
        edit(bad);
        const TLedgerReading r = LedgerFromJson(bad);
        EXPECT_FALSE(r.Ledger) << why;
        EXPECT_FALSE(r.Error.empty()) << why;
    }
}

} // namespace
} // namespace mecovnik
