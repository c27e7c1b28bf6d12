#include "TFakeJournalFile.h"

#include "history/FightJournalFormat.h"
#include "history/TFightJournal.h"
#include "history/TFightLedger.h"
#include "history/TRosterHistory.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace mecovnik {
namespace {

using TStatus = TJournalReading::TStatus;

const TAsciiNameOrder kOrder;

std::string Record(const std::string& kind, int sequence, const std::string& body)
{
    const std::string text = kind + " " + std::to_string(sequence) + "\n" + body;
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", Crc32(text));
    return text + "end " + std::to_string(sequence) + " " + crc + "\n";
}

const std::string kHeader(kJournalHeader);

// Two rosters, a journal over a fake file, and the history feeding it.
struct TJournalled
{
    TRosterList Postavy{kOrder};
    TRosterList Nestvury{kOrder};
    TRosterHistory History{Postavy, Nestvury};
    test::TFakeJournalFile File;
    TFightJournal Journal{File};

    TJournalled() { (void)File.Claim(); }

    template <class F> void Run(F command, TFightSelection selection = {})
    {
        History.Begin(selection);
        command();
        if (History.Commit("krok", selection))
            Journal.Record(History.LastChange(), Postavy, Nestvury);
    }

    [[nodiscard]] TJournalReading Read() const
    {
        return ReadJournal(File.Content.value_or(std::string()), kOrder);
    }
};

TEST(FightJournalFormat, ReadableTextWithChecksums)
{
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u); // the check value of CRC-32
    EXPECT_EQ(Crc32(""), 0u);

    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    auto aragorn = std::make_unique<TPostava>("Aragorn");
    aragorn->Lives = 42;
    aragorn->KnockOut = 5;
    aragorn->Experience = 149;
    postavy.Add(std::move(aragorn));
    auto skret = std::make_unique<TNestvura>("Skřet [1]");
    skret->Lives = skret->MaxLives = 17;
    skret->KnockOut = 2;
    skret->KillExperience = 150;
    skret->Level = 3;
    skret->KnockOutRule = 2;
    nestvury.Add(std::move(skret));

    const std::string text = FormatJournal(1, postavy, nestvury, {{0, -1}});
    EXPECT_EQ(text, kHeader + Record("snapshot", 1,
                                     "postava insert 0 42 50 5 149 0 \"Aragorn\"\n"
                                     "nestvura insert 0 17 17 2 150 3 2 \"Skřet [1]\"\n"
                                     "selection 0 -1\n"));

    TFightChange change;
    change.Rosters[kPostavy].Changed = {0};
    change.Rosters[kNestvury].Removed = {0, 4};
    change.Selection = {{-1, 0}};
    EXPECT_EQ(
        FormatChange(7, change, postavy, nestvury),
        Record("change", 7, "postava set 0 42 50 5 149 0\nnestvura remove 0 4\nselection -1 0\n"));
}

TEST(FightJournalFormat, NamesOfEveryKindComeBackAsTheyWere)
{
    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    const std::vector<std::string> names = {"",
                                            " a ",
                                            "\"quoted\"",
                                            "back\\slash",
                                            "line\nbreak",
                                            "tab\tcr\r",
                                            "bell\x07"
                                            "del\x7f",
                                            "end 3 00000000",
                                            "Žluťoučký kůň",
                                            "50% [1]",
                                            std::string(3000, 'W')};
    for (const std::string& name : names) {
        auto c = std::make_unique<TPostava>(name);
        c->Lives = -2147483647 - 1;
        c->UnassignedExperience = 2147483647;
        postavy.Add(std::move(c));
    }
    const TJournalReading r = ReadJournal(FormatJournal(1, postavy, nestvury, {}), kOrder);
    ASSERT_EQ(r.Status, TStatus::Fight);
    EXPECT_EQ(r.Fight.Rosters[kPostavy], DataOf(postavy));
    EXPECT_TRUE(r.Fight.Rosters[kNestvury].empty());
}

TEST(FightJournalFormat, ACutAnywhereLeavesTheLastCompleteRecordOrNothing)
{
    TJournalled j;
    std::vector<TFightData> states;
    std::vector<std::size_t> ends; // where each record ends
    const auto note = [&] {
        TFightData d;
        d.Rosters[kPostavy] = DataOf(j.Postavy);
        d.Rosters[kNestvury] = DataOf(j.Nestvury);
        d.Selection = j.History.LastChange().Selection;
        states.push_back(d);
        ends.push_back(j.File.Content->size());
    };
    j.Run([&] { j.Postavy.Add(std::make_unique<TPostava>("Bilbo")); }, {{0, -1}});
    note();
    j.Run([&] { j.Nestvury.Add(std::make_unique<TNestvura>("Vlk")); }, {{0, 0}});
    note();
    j.Run([&] { j.Postavy.At(0)->SetLives(3); }, {{0, 0}});
    note();
    j.Run([&] { j.Nestvury.Delete(0); }, {{0, -1}});
    note();
    const std::string full = *j.File.Content;
    ASSERT_EQ(ends.back(), full.size());

    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        const TJournalReading r = ReadJournal(std::string_view(full).substr(0, cut), kOrder);
        const auto complete =
            std::count_if(ends.begin(), ends.end(), [cut](std::size_t e) { return e <= cut; });
        if (complete == 0) {
            EXPECT_EQ(r.Status, TStatus::NoFight) << cut;
            continue;
        }
        ASSERT_EQ(r.Status, TStatus::Fight) << cut;
        EXPECT_EQ(r.Fight, states[static_cast<std::size_t>(complete - 1)]) << cut;
        EXPECT_EQ(r.TornTail, cut != ends[static_cast<std::size_t>(complete - 1)]) << cut;
    }

    // A last record written only in part, with its end line garbled, is torn.
    std::string garbled = full;
    garbled[garbled.size() - 3] ^= 1;
    EXPECT_EQ(ReadJournal(garbled, kOrder).Fight, states[2]);
    EXPECT_TRUE(ReadJournal(garbled, kOrder).TornTail);
}

TEST(FightJournalFormat, AnythingElseOutOfOrderIsDamaged)
{
    const std::string snap = Record("snapshot", 1,
                                    "postava insert 0 1 1 1 0 0 \"A\"\n"
                                    "postava insert 1 1 1 1 0 0 \"B\"\n"
                                    "selection 1 -1\n");
    ASSERT_EQ(ReadJournal(kHeader + snap, kOrder).Status, TStatus::Fight);
    const auto damaged = [](const std::string& bytes) {
        return ReadJournal(bytes, kOrder).Status == TStatus::Damaged;
    };
    const std::string change2 = Record("change", 2, "postava set 1 5 5 5 5 5\nselection -1 -1\n");
    ASSERT_FALSE(damaged(kHeader + snap + change2));

    // Each line says why the journal is not one to trust.
    EXPECT_TRUE(damaged("mecovnik-fight-journal 4\n" + snap));                // a later version
    EXPECT_TRUE(damaged("Windows Registry Editor Version 5.00\n"));           // another file
    EXPECT_TRUE(damaged(kHeader + Record("change", 1, "selection -1 -1\n"))); // no snapshot first
    EXPECT_TRUE(damaged(kHeader + snap + snap));                              // a second snapshot
    EXPECT_TRUE(damaged(kHeader + snap + Record("change", 3, "selection -1 -1\n"))); // a gap
    std::string flipped = snap;
    flipped[20] ^= 4;
    EXPECT_TRUE(damaged(kHeader + flipped + change2)); // a bad record before the last
    EXPECT_TRUE(damaged(kHeader + snap + "garbage\n" + change2));
    EXPECT_TRUE(
        damaged(kHeader + snap + Record("change", 2, "postava remove 2\nselection -1 -1\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap + Record("change", 2, "postava remove 1 0\nselection -1 -1\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap +
                Record("change", 2, "postava insert 3 1 1 1 0 0 \"C\"\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(
        kHeader + snap +
        Record("change", 2, "postava set 0 1 1 1 0 0\npostava remove 0\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(kHeader + snap +
                        Record("change", 2, "postava set 2 1 1 1 0 0\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(kHeader + snap + Record("change", 2, "selection 2 -1\n")));
    EXPECT_TRUE(damaged(kHeader + snap + Record("change", 2, "selection -2 -1\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap +
                Record("change", 2, "postava set 0 2147483648 1 1 0 0\nselection -1 -1\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap + Record("change", 2, "postava set 0 1 1 1 0\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(kHeader + snap +
                        Record("change", 2, "postava set 0 1 1 1 0 0 0\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(kHeader + snap + Record("change", 2, "postava set 0 1 1 1 0 0\n")));
    EXPECT_TRUE(damaged(kHeader + snap +
                        Record("change", 2, "selection -1 -1\npostava set 0 1 1 1 0 0\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap + Record("change", 2, "kdosi set 0 1 1 1 0 0\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(
        kHeader + snap +
        Record("change", 2, "postava insert 2 1 1 1 0 0 \"a\"\nselection -1 -1\n"))); // equal names
    EXPECT_TRUE(
        damaged(kHeader + snap +
                Record("change", 2, "postava insert 2 1 1 1 0 0 \"\xC3\"\nselection -1 -1\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap +
                Record("change", 2, "postava insert 2 1 1 1 0 0 \"\\q\"\nselection -1 -1\n")));
    EXPECT_TRUE(
        damaged(kHeader + snap +
                Record("change", 2, "postava insert 2 1 1 1 0 0 \"C\" x\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(kHeader + snap +
                        Record("change", 2, "postava  set 0 1 1 1 0 0\nselection -1 -1\n")));
    EXPECT_TRUE(damaged(std::string(kMaxJournalBytes + 1, ' ')));

    // A header cut short, or nothing at all, holds no fight; that is no damage.
    EXPECT_EQ(ReadJournal("", kOrder).Status, TStatus::NoFight);
    EXPECT_EQ(ReadJournal("mecovnik-fight", kOrder).Status, TStatus::NoFight);
    EXPECT_EQ(ReadJournal(kHeader, kOrder).Status, TStatus::NoFight);
}

TEST(FightJournal, WholeFirstThenChangesAndWholeAgainAfterAFailedWrite)
{
    TJournalled j;
    j.Run([&] { j.Postavy.Add(std::make_unique<TPostava>("Bilbo")); });
    EXPECT_EQ(j.File.Replaces, 1);
    EXPECT_EQ(j.File.Appends, 0);
    j.Run([&] { j.Postavy.At(0)->SetLives(7); });
    j.Run([&] { j.Postavy.Add(std::make_unique<TPostava>("Frodo")); }, {{1, -1}});
    EXPECT_EQ(j.File.Replaces, 1);
    EXPECT_EQ(j.File.Appends, 2);
    EXPECT_EQ(j.Read().Fight.Rosters[kPostavy], DataOf(j.Postavy));
    EXPECT_EQ(j.Read().Fight.Selection.Rows, (std::array<int, 2>{1, -1}));
    EXPECT_EQ(j.Journal.Size(), j.File.Content->size());

    // An append cut short (a full disk) is followed at once by the whole
    // fight, which the journal then holds without a torn tail.
    j.File.FailAppends = true;
    j.File.TornAppendBytes = 9;
    j.Run([&] { j.Postavy.At(1)->SetLives(1); });
    EXPECT_EQ(j.File.Replaces, 2);
    EXPECT_FALSE(j.Read().TornTail);
    EXPECT_EQ(j.Read().Fight.Rosters[kPostavy], DataOf(j.Postavy));
    // When the whole write fails too, the journal reads as the last complete
    // change, and every next change tries whole until one succeeds.
    j.File.FailReplaces = true;
    const auto kept = j.Read().Fight;
    j.Run([&] { j.Postavy.At(0)->SetLives(3); });
    EXPECT_EQ(j.Read().Fight, kept);
    j.Run([&] { j.Postavy.At(0)->SetLives(4); });
    j.File.FailAppends = false;
    j.File.FailReplaces = false;
    const int replaces = j.File.Replaces;
    j.Run([&] { j.Postavy.At(0)->SetLives(5); });
    EXPECT_EQ(j.File.Replaces, replaces + 1);
    EXPECT_FALSE(j.Read().TornTail);
    EXPECT_EQ(j.Read().Fight.Rosters[kPostavy], DataOf(j.Postavy));

    EXPECT_TRUE(j.Journal.Remove());
    EXPECT_FALSE(j.File.Content.has_value());
}

TEST(FightJournal, TenThousandChangesOnTwentyCombatantsStayUnder64KiB)
{
    TJournalled j;
    for (int i = 0; i < 10; ++i) {
        j.Run([&] { j.Postavy.Add(std::make_unique<TPostava>("Postava " + std::to_string(i))); });
        j.Run(
            [&] { j.Nestvury.Add(std::make_unique<TNestvura>("Nestvura " + std::to_string(i))); });
    }
    std::size_t largest = 0;
    for (int i = 0; i < 10000; ++i) {
        switch (i % 4) {
        case 0:
            j.Run([&] { j.Nestvury.At(i % 10)->AddLives(-1); }, {{i % 10, i % 10}});
            break;
        case 1:
            j.Run([&] { static_cast<TPostava*>(j.Postavy.At(i % 10))->AddExperience(5); });
            break;
        case 2: // a monster goes and comes back: rows move
            j.Run([&] { j.Nestvury.Delete(i % 10); });
            break;
        default:
            j.History.Undo();
            j.Journal.Record(j.History.LastChange(), j.Postavy, j.Nestvury);
        }
        largest = std::max(largest, j.File.Content->size());
    }
    EXPECT_LT(largest, 64u * 1024u);
    EXPECT_EQ(j.Read().Fight.Rosters[kNestvury], DataOf(j.Nestvury));
    EXPECT_EQ(j.Read().Fight.Rosters[kPostavy], DataOf(j.Postavy));
}

TEST(FightJournal, LeftoversAreReadOnceAndDamagedOnesKeptAside)
{
    test::TFakeJournalFile file;
    ASSERT_TRUE(file.Claim());
    {
        TFightJournal journal(file);
        EXPECT_EQ(journal.TakeLeftover(kOrder).Status, TStatus::NoFight); // no file
    }
    file.Content =
        kHeader + Record("snapshot", 41, "postava insert 0 1 1 1 0 0 \"A\"\nselection 0 -1\n");
    {
        TFightJournal journal(file);
        const TJournalReading r = journal.TakeLeftover(kOrder);
        ASSERT_EQ(r.Status, TStatus::Fight);
        EXPECT_EQ(r.Fight.Rosters[kPostavy][0].Name, "A");
        EXPECT_EQ(r.LastSequence, 41u);
        EXPECT_FALSE(file.Backup.has_value());
        // Writing on continues the numbering.
        TRosterList p(kOrder);
        TRosterList n(kOrder);
        ASSERT_TRUE(journal.WriteWhole(p, n, {}));
        EXPECT_NE(file.Content->find("snapshot 42\n"), std::string::npos);
    }
    file.Content = kHeader + "snapshot 1\ngarbage\nend 1 00000000\n" +
                   Record("change", 2, "selection -1 -1\n");
    {
        TFightJournal journal(file);
        EXPECT_EQ(journal.TakeLeftover(kOrder).Status, TStatus::Damaged);
        EXPECT_FALSE(file.Content.has_value());
        ASSERT_TRUE(file.Backup.has_value());
        EXPECT_NE(file.Backup->find("garbage"), std::string::npos);
    }

    // Another copy of the program holds the journal: it is never touched.
    test::TFakeJournalFile held;
    held.HeldElsewhere = true;
    held.Content = "mecovnik-fight-journal 1\n";
    EXPECT_FALSE(held.Claim());
    EXPECT_EQ(held.Touches, 0);
}

// Kinds as a configuration's presets would hand them over: each entered or
// changed kind gets the next mark; saving the configuration keeps them all.
class TFakeKinds final : public TJournalKinds
{
public:
    void Enter(const std::string& name, std::int32_t level, std::int32_t rule,
               std::int32_t experience)
    {
        for (auto& [kind, mark] : m_kinds)
            if (kind.Name == name) {
                kind = {name, level, rule, experience};
                mark = ++m_mark;
                return;
            }
        m_kinds.push_back({{name, level, rule, experience}, ++m_mark});
    }
    void Save()
    {
        for (auto& entry : m_kinds)
            entry.second = 0;
    }
    [[nodiscard]] std::uint64_t Mark() const override { return m_mark; }
    [[nodiscard]] std::vector<TKindData> Since(std::uint64_t mark) const override
    {
        std::vector<TKindData> out;
        for (const auto& [kind, own] : m_kinds)
            if (own != 0 && own > mark)
                out.push_back(kind);
        return out;
    }

private:
    std::vector<std::pair<TKindData, std::uint64_t>> m_kinds;
    std::uint64_t m_mark = 0;
};

TEST(FightJournalFormat, KindsTravelWithTheFightAndVersionOneStillReads)
{
    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    const std::vector<TKindData> kinds = {{"Skret", 3, 2, 150}, {"Vlk \"šedý\"", -1, 0, 7}};
    const std::string text = FormatJournal(1, postavy, nestvury, {}, kinds);
    EXPECT_EQ(text, "mecovnik-fight-journal 3\n" + Record("snapshot", 1,
                                                          "druh 3 2 150 \"Skret\"\n"
                                                          "druh -1 0 7 \"Vlk \\\"šedý\\\"\"\n"
                                                          "selection -1 -1\n"));
    TJournalReading r = ReadJournal(text, kOrder);
    ASSERT_EQ(r.Status, TStatus::Fight); // kinds alone are a fight worth offering
    EXPECT_EQ(r.Fight.Kinds, kinds);
    EXPECT_FALSE(r.Fight.Empty());

    // A change names the kinds entered or changed since: a known name (equal
    // in the name order) takes the new numbers and keeps its place.
    const std::string more = Record("change", 2,
                                    "druh 4 1 10 \"Bazilišek\"\n"
                                    "druh 9 9 9 \"SKRET\"\n"
                                    "selection -1 -1\n");
    r = ReadJournal(text + more, kOrder);
    ASSERT_EQ(r.Status, TStatus::Fight);
    EXPECT_EQ(r.Fight.Kinds,
              (std::vector<TKindData>{{"Skret", 9, 9, 9}, kinds[1], {"Bazilišek", 4, 1, 10}}));
    // A snapshot lists every kind anew.
    r = ReadJournal(text + more + Record("snapshot", 3, "selection -1 -1\n"), kOrder);
    EXPECT_EQ(r.Status, TStatus::Damaged); // a second snapshot is still damage
    r = ReadJournal("mecovnik-fight-journal 2\n" + Record("snapshot", 1, "selection -1 -1\n"),
                    kOrder);
    EXPECT_EQ(r.Status, TStatus::Fight);
    EXPECT_TRUE(r.Fight.Empty());

    // Version 1, written before kinds travelled, reads as it did; a kind in
    // it is damage, and so is a kind's name with a zero in either version.
    const std::string one =
        "mecovnik-fight-journal 1\n" + Record("snapshot", 1,
                                              "postava insert 0 1 1 1 0 0 \"A\"\n"
                                              "selection 0 -1\n");
    r = ReadJournal(one, kOrder);
    ASSERT_EQ(r.Status, TStatus::Fight);
    EXPECT_EQ(r.Fight.Rosters[kPostavy].size(), 1u);
    EXPECT_TRUE(r.Fight.Kinds.empty());
    EXPECT_EQ(ReadJournal("mecovnik-fight-journal 1", kOrder).Status, TStatus::NoFight);
    EXPECT_EQ(ReadJournal(one + Record("change", 2, "druh 1 1 1 \"B\"\nselection -1 -1\n"), kOrder)
                  .Status,
              TStatus::Damaged);
    for (const std::string& body :
         {std::string("druh 1 1 1 \"B\\x00C\"\n"), std::string("druh 1 1 \"B\"\n"),
          std::string("druh 1 1 1 2147483648 \"B\"\n"), std::string("druh 1 1 1 \"\xC3\"\n"),
          std::string("druh 1 1 1\n")}) {
        SCOPED_TRACE(body);
        EXPECT_EQ(ReadJournal(kHeader + Record("snapshot", 1, body + "selection -1 -1\n") +
                                  Record("change", 2, "selection -1 -1\n"),
                              kOrder)
                      .Status,
                  TStatus::Damaged);
    }
}

TEST(FightJournal, CarriesTheKindsNotYetSavedUntilTheNextWholeWrite)
{
    TFakeKinds kinds;
    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    TRosterHistory history(postavy, nestvury);
    test::TFakeJournalFile file;
    TFightJournal journal(file, &kinds);
    ASSERT_EQ(journal.Open(kOrder).Status, TStatus::NoFight);
    const auto run = [&](auto command) {
        history.Begin({});
        command();
        if (history.Commit("krok", {}))
            return journal.Record(history.LastChange(), postavy, nestvury);
        return false;
    };
    const auto read = [&] { return ReadJournal(file.Content.value_or(""), kOrder); };

    kinds.Enter("Vlk", 2, 1, 20);
    EXPECT_TRUE(journal.KindsPending());
    run([&] { nestvury.Add(std::make_unique<TNestvura>("Vlk")); });
    EXPECT_FALSE(journal.KindsPending());
    EXPECT_EQ(read().Fight.Kinds, (std::vector<TKindData>{{"Vlk", 2, 1, 20}}));

    // A change carries only what changed since the last write.
    kinds.Enter("Skřet", 3, 2, 150);
    const int appends = file.Appends;
    run([&] { nestvury.Add(std::make_unique<TNestvura>("Skřet")); });
    EXPECT_EQ(file.Appends, appends + 1);
    const std::string change = file.Content->substr(file.Content->find("change"));
    EXPECT_EQ(change.find("\"Vlk\""), std::string::npos);
    EXPECT_NE(change.find("druh 3 2 150 \"Skřet\""), std::string::npos);
    EXPECT_EQ(read().Fight.Kinds,
              (std::vector<TKindData>{{"Vlk", 2, 1, 20}, {"Skřet", 3, 2, 150}}));

    // Saved in the configuration, they stay until the whole fight is written.
    kinds.Save();
    run([&] { nestvury.At(0)->SetLives(1); });
    EXPECT_EQ(read().Fight.Kinds.size(), 2u);
    ASSERT_TRUE(journal.WriteWhole(postavy, nestvury, {}));
    EXPECT_TRUE(read().Fight.Kinds.empty());
    EXPECT_EQ(read().Fight.Rosters[kNestvury], DataOf(nestvury));
}

TEST(FightJournal, SaysOnceWhenTheFightIsNotKeptAndTriesAgainAtEveryChange)
{
    // Each fault stops the journal keeping the fight; each is said once, a
    // later success says nothing, and a new failure after it is said again.
    enum TFault
    {
        HeldElsewhere,
        WritesFail, // a full disk: appends cut short, replacements refused
        AppendsFail,
    };
    for (const TFault fault : {HeldElsewhere, WritesFail, AppendsFail}) {
        SCOPED_TRACE(static_cast<int>(fault));
        TRosterList postavy(kOrder);
        TRosterList nestvury(kOrder);
        TRosterHistory history(postavy, nestvury);
        test::TFakeJournalFile file;
        std::vector<TJournalTrouble> told;
        TFightJournal journal(file, nullptr, [&told](TJournalTrouble t) { told.push_back(t); });
        const auto set = [&](bool on) {
            file.HeldElsewhere = on && fault == HeldElsewhere;
            file.FailReplaces = on && fault != AppendsFail;
            file.FailAppends = on;
            file.TornAppendBytes = 5;
        };
        const auto run = [&](int lives) {
            history.Begin({});
            postavy.At(0)->SetLives(lives);
            if (history.Commit("krok", {}))
                journal.Record(history.LastChange(), postavy, nestvury);
        };
        postavy.Add(std::make_unique<TPostava>("Bilbo"));
        set(fault == HeldElsewhere);
        (void)journal.Open(kOrder);
        if (fault != HeldElsewhere)
            run(40); // written whole: the journal works
        EXPECT_EQ(told.size(), fault == HeldElsewhere ? 1u : 0u);
        set(true);
        for (int lives = 1; lives <= 5; ++lives)
            run(lives);
        if (fault == AppendsFail) {
            // Each refused append was followed by the whole fight: kept.
            EXPECT_TRUE(told.empty());
            EXPECT_FALSE(journal.Failing());
            EXPECT_EQ(ReadJournal(*file.Content, kOrder).Fight.Rosters[kPostavy], DataOf(postavy));
            continue;
        }
        ASSERT_EQ(told, std::vector<TJournalTrouble>{TJournalTrouble::NotKept});
        EXPECT_TRUE(journal.Failing());
        set(false);
        run(6); // works again: the whole fight, nothing said
        EXPECT_FALSE(journal.Failing());
        EXPECT_EQ(told.size(), 1u);
        ASSERT_TRUE(file.Content.has_value());
        EXPECT_EQ(ReadJournal(*file.Content, kOrder).Fight.Rosters[kPostavy], DataOf(postavy));
        set(true);
        run(7);
        run(8);
        EXPECT_EQ(told.size(), 2u);
        EXPECT_EQ(told.back(), TJournalTrouble::NotKept);
    }
}

TEST(FightJournal, WhatCannotBeSetAsideOrRemovedIsSaidAndAnotherCopysFightIsKept)
{
    std::vector<TJournalTrouble> told;
    const auto sink = [&told](TJournalTrouble t) { told.push_back(t); };
    // A damaged journal set aside is said; one that could not be moved is not
    // claimed to be.
    for (const bool moves : {true, false}) {
        told.clear();
        test::TFakeJournalFile file;
        file.Content = "cizí soubor\n";
        file.FailBackups = !moves;
        TFightJournal journal(file, nullptr, sink);
        EXPECT_EQ(journal.Open(kOrder).Status, TStatus::Damaged);
        EXPECT_EQ(told, moves ? std::vector<TJournalTrouble>{TJournalTrouble::SetAside}
                              : std::vector<TJournalTrouble>{});
    }
    // A journal that cannot be removed (nor emptied) is said; one never claimed
    // is none of this run's business.
    {
        told.clear();
        test::TFakeJournalFile file;
        file.FailRemoves = true;
        TFightJournal journal(file, nullptr, sink);
        (void)journal.Open(kOrder);
        EXPECT_FALSE(journal.Remove());
        EXPECT_EQ(told, std::vector<TJournalTrouble>{TJournalTrouble::NotRemoved});
        told.clear();
        test::TFakeJournalFile held;
        held.HeldElsewhere = true;
        TFightJournal other(held, nullptr, sink);
        (void)other.Open(kOrder);
        EXPECT_TRUE(other.Remove());
        EXPECT_EQ(told, std::vector<TJournalTrouble>{TJournalTrouble::NotKept});
        EXPECT_EQ(held.Removes, 0);
    }
    // Claimed late, after the other copy ended: its journal is set aside, not
    // overwritten.
    {
        test::TFakeJournalFile file;
        file.HeldElsewhere = true;
        TFightJournal journal(file);
        (void)journal.Open(kOrder);
        file.HeldElsewhere = false;
        file.Content = "cizí souboj\n";
        TRosterList postavy(kOrder);
        TRosterList nestvury(kOrder);
        ASSERT_TRUE(journal.WriteWhole(postavy, nestvury, {}));
        EXPECT_EQ(file.Backup, std::optional<std::string>("cizí souboj\n"));
        EXPECT_EQ(ReadJournal(*file.Content, kOrder).Status, TStatus::Fight);
    }
    // A left journal that cannot be set aside is left alone: this run keeps
    // no journal (said once) until it can be.
    {
        told.clear();
        test::TFakeJournalFile file;
        file.HeldElsewhere = true;
        TFightJournal journal(file, nullptr, sink);
        (void)journal.Open(kOrder);
        file.HeldElsewhere = false;
        file.FailBackups = true;
        file.Content = "cizí souboj\n";
        TRosterList postavy(kOrder);
        TRosterList nestvury(kOrder);
        EXPECT_FALSE(journal.WriteWhole(postavy, nestvury, {}));
        EXPECT_FALSE(journal.WriteWhole(postavy, nestvury, {}));
        EXPECT_EQ(file.Content, std::optional<std::string>("cizí souboj\n"));
        EXPECT_EQ(file.Replaces, 0);
        EXPECT_EQ(told, std::vector<TJournalTrouble>{TJournalTrouble::NotKept});
        EXPECT_TRUE(journal.Remove());
        EXPECT_EQ(file.Content, std::optional<std::string>("cizí souboj\n"));
        file.FailBackups = false;
        ASSERT_TRUE(journal.WriteWhole(postavy, nestvury, {}));
        EXPECT_EQ(file.Backup, std::optional<std::string>("cizí souboj\n"));
    }
}

TEST(FightJournalFormat, TheLedgerTravelsWithTheFightAndVersionTwoStillReads)
{
    TRosterList postavy(kOrder);
    TRosterList nestvury(kOrder);
    TLedgerRow wound;
    wound.Time = 1'714'590'000;
    wound.Character = "Aragorn \"Dúnadan\"";
    wound.Event = TLedgerEvent::Wound;
    wound.Monster = "Skřet [2]\n";
    wound.LivesTaken = 5;
    wound.LivesBefore = 17;
    wound.EarnedChange = wound.UnassignedChange = -9'000'000'000;
    wound.Earned = std::numeric_limits<std::int32_t>::max();
    wound.Unassigned = std::numeric_limits<std::int32_t>::min();
    TLedgerRow added;
    added.Time = -1;
    added.Character = "Bilbo";
    added.Event = TLedgerEvent::Added;
    TExperienceLedger ledger;
    ledger.Append({wound, added});

    // A snapshot holds every row, each with every field as it was.
    const std::string snap = FormatJournal(1, postavy, nestvury, {}, {}, &ledger);
    EXPECT_NE(snap.find("denik 1714590000 zraneni -9000000000 -9000000000 2147483647 "
                        "-2147483648 5 17 \"Aragorn \\\"Dúnadan\\\"\" \"Skřet [2]\\n\"\n"),
              std::string::npos)
        << snap;
    EXPECT_EQ(ReadJournal(snap, kOrder).Ledger, ledger);

    // A change takes rows back (an undo) or appends the newest ones.
    const TFightChange none;
    const TLedgerMove undo{false, 1, 0};
    TExperienceLedger less = ledger;
    (void)less.TakeLast(1);
    const std::string back = snap + FormatChange(2, none, postavy, nestvury, {}, &less, &undo);
    EXPECT_EQ(ReadJournal(back, kOrder).Ledger, less);
    const TLedgerMove redo{false, 0, 1};
    const std::string again = back + FormatChange(3, none, postavy, nestvury, {}, &ledger, &redo);
    EXPECT_EQ(ReadJournal(again, kOrder).Ledger, ledger);

    // What a ledger line may not be.
    const std::string kHead3(kJournalHeader);
    const std::string start =
        Record("snapshot", 1, "denik 5 cela 1 1 1 1 0 0 \"A\" \"\"\nselection -1 -1\n");
    ASSERT_EQ(ReadJournal(kHead3 + start, kOrder).Ledger.Count(), 1u);
    const auto damaged = [&](const std::string& body) {
        return ReadJournal(kHead3 + start + Record("change", 2, body + "selection -1 -1\n") +
                               Record("change", 3, "selection -1 -1\n"),
                           kOrder)
                   .Status == TStatus::Damaged;
    };
    EXPECT_FALSE(damaged("denik zpet 1\n"));
    EXPECT_TRUE(damaged("denik zpet 2\n")); // more than there are
    EXPECT_TRUE(damaged("denik zpet 0\n")); // nothing to take
    EXPECT_TRUE(damaged("denik 5 zraneni 1 1 1 1 0 0 \"A\" \"\"\ndenik zpet 1\n")); // out of order
    EXPECT_TRUE(damaged("denik 5 nalezena 1 1 1 1 0 0 \"A\" \"\"\n"));              // unknown event
    EXPECT_TRUE(damaged("denik 5 cela 1 1 2147483648 1 0 0 \"A\" \"\"\n")); // beyond 32 bits
    EXPECT_TRUE(damaged("denik 5 cela 1 1 1 1 0 \"A\" \"\"\n"));            // a number short
    EXPECT_TRUE(damaged("denik 5 cela 1 1 1 1 0 0 \"A\"\n"));               // no monster
    EXPECT_TRUE(damaged("denik 5 cela 1 1 1 1 0 0 \"\xFF\" \"\"\n"));       // not UTF-8
    // Version 2 knew no ledger: it reads with none, and a ledger line in it is damage.
    const std::string two = "mecovnik-fight-journal 2\n";
    const TJournalReading old = ReadJournal(
        two + Record("snapshot", 1, "druh 3 2 150 \"Skret\"\nselection -1 -1\n"), kOrder);
    EXPECT_EQ(old.Status, TStatus::Fight);
    EXPECT_TRUE(old.Ledger.Empty());
    EXPECT_EQ(ReadJournal(two + start, kOrder).Status, TStatus::Damaged);
}

} // namespace
} // namespace mecovnik
