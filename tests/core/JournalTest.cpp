#include "TFakeJournalFile.h"

#include "history/FightJournalFormat.h"
#include "history/TFightJournal.h"
#include "history/TRosterHistory.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

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
    EXPECT_TRUE(damaged("mecovnik-fight-journal 3\n" + snap));                // a later version
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

    // A full disk cuts an append short: the journal still reads as the last
    // complete change, and the next write replaces it whole.
    j.File.FailAppends = true;
    j.File.TornAppendBytes = 9;
    j.Run([&] { j.Postavy.At(1)->SetLives(1); });
    EXPECT_TRUE(j.Read().TornTail);
    EXPECT_EQ(j.Read().Fight.Rosters[kPostavy][1].Numbers[0], 50);
    j.File.FailAppends = false;
    j.Run([&] { j.Postavy.At(0)->SetLives(2); });
    EXPECT_EQ(j.File.Replaces, 2);
    EXPECT_FALSE(j.Read().TornTail);
    EXPECT_EQ(j.Read().Fight.Rosters[kPostavy], DataOf(j.Postavy));

    // A failed replacement keeps trying whole until one succeeds.
    j.File.FailAppends = true;
    j.File.TornAppendBytes = 0;
    j.File.FailReplaces = true;
    j.Run([&] { j.Postavy.At(0)->SetLives(3); }); // the append fails
    j.Run([&] { j.Postavy.At(0)->SetLives(4); }); // the whole write fails
    j.File.FailAppends = false;
    j.File.FailReplaces = false;
    j.Run([&] { j.Postavy.At(0)->SetLives(5); });
    EXPECT_EQ(j.File.Replaces, 4);
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

} // namespace
} // namespace mecovnik
