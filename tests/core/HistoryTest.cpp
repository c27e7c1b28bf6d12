#include "TFakeJournalFile.h"

#include "history/FightJournalFormat.h"
#include "history/TFightJournal.h"
#include "history/TFightLedger.h"
#include "history/TRosterHistory.h"
#include "roster/RosterRules.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRandom.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <random>

namespace mecovnik {
namespace {

class TSeededRandom final : public TRandom
{
public:
    explicit TSeededRandom(std::mt19937& engine) : m_engine(engine) {}
    std::uint32_t Next() override { return m_engine() & 0x7FFFFFFFu; }

private:
    std::mt19937& m_engine;
};

// Both rosters with their selections, changed the way the roster windows
// change them, every command recorded by the history and written to the
// journal.
class TFight
{
public:
    TFight() : Postavy(m_order), Nestvury(m_order), History(Postavy, Nestvury)
    {
        EXPECT_TRUE(File.Claim());
        Journal.SetLedger(&Ledger.Ledger());
    }

    TRosterList& List(int side) { return side == kPostavy ? Postavy : Nestvury; }

    [[nodiscard]] TFightSelection Selection() const
    {
        TFightSelection s;
        for (int side = 0; side < kRosterSides; ++side) {
            const TRosterList& list = side == kPostavy ? Postavy : Nestvury;
            for (int row = 0; row < list.Count(); ++row)
                if (list.At(row) == Selected[static_cast<std::size_t>(side)])
                    s.Rows[static_cast<std::size_t>(side)] = row;
        }
        return s;
    }

    void Select(const TFightSelection& s)
    {
        for (int side = 0; side < kRosterSides; ++side)
            Selected[static_cast<std::size_t>(side)] =
                List(side).At(s.Rows[static_cast<std::size_t>(side)]);
    }

    [[nodiscard]] TFightData Data() const
    {
        TFightData d;
        d.Rosters[kPostavy] = DataOf(Postavy);
        d.Rosters[kNestvury] = DataOf(Nestvury);
        d.Selection = Selection();
        return d;
    }

    // Runs a command as the main window does: recorded as one step.
    template <class F> bool Run(const std::string& name, F command)
    {
        BeforeStep = Data();
        EXPECT_TRUE(History.Begin(Selection()));
        Ledger.Begin(Postavy);
        command();
        const bool step = History.Commit(name, Selection());
        if (step) {
            const TLedgerMove move = Ledger.Commit({}, History.LastChange(), Postavy,
                                                   History.State(), History.StepCount(), ++Now);
            EXPECT_TRUE(Journal.Record(History.LastChange(), Postavy, Nestvury, &move));
        }
        return step;
    }

    bool Undo()
    {
        const std::uint64_t state = History.State();
        if (!History.Undo())
            return false;
        Select(History.LastChange().Selection);
        const TLedgerMove move = Ledger.Undone(state);
        EXPECT_TRUE(Journal.Record(History.LastChange(), Postavy, Nestvury, &move));
        return true;
    }

    bool Redo()
    {
        if (!History.Redo())
            return false;
        Select(History.LastChange().Selection);
        const TLedgerMove move = Ledger.Redone(History.State());
        EXPECT_TRUE(Journal.Record(History.LastChange(), Postavy, Nestvury, &move));
        return true;
    }

    // The ledger the journal would give back after a crash now.
    [[nodiscard]] TExperienceLedger RecoveredLedger() const
    {
        return ReadJournal(File.Content.value_or(std::string()), m_order).Ledger;
    }

    // What the journal would give back after a crash now.
    [[nodiscard]] TFightData Recovered() const
    {
        const TJournalReading r = ReadJournal(File.Content.value_or(std::string()), m_order);
        EXPECT_EQ(r.Status, TJournalReading::TStatus::Fight);
        EXPECT_FALSE(r.TornTail);
        return r.Fight;
    }

    const TAsciiNameOrder m_order;
    TRosterList Postavy;
    TRosterList Nestvury;
    std::array<const TObjekt*, kRosterSides> Selected{nullptr, nullptr};
    TFightData BeforeStep; // the fight as the last command found it
    TRosterHistory History;
    test::TFakeJournalFile File;
    TFightJournal Journal{File};
    TFightLedger Ledger;
    std::int64_t Now = 1'714'590'000;
};

// The name a monster of this kind joins under, worked out from the names
// alone: the check on the roster's own numbering bookkeeping.
std::string ExpectedMonsterName(const TFightData& d, const std::string& kind)
{
    const auto taken = [&d](const std::string& candidate) {
        return std::any_of(d.Rosters[kNestvury].begin(), d.Rosters[kNestvury].end(),
                           [&candidate](const TRecordData& r) {
                               return std::equal(
                                   r.Name.begin(), r.Name.end(), candidate.begin(), candidate.end(),
                                   [](char a, char b) {
                                       return std::tolower(static_cast<unsigned char>(a)) ==
                                              std::tolower(static_cast<unsigned char>(b));
                                   });
                           });
    };
    std::string candidate = kind;
    for (int n = 1; taken(candidate); ++n)
        candidate = kind + " [" + std::to_string(n) + "]";
    return candidate;
}

// Random commands of a game evening, applied to the fight.
class TEvening
{
public:
    explicit TEvening(TFight& fight, unsigned seed) : m_fight(fight), m_engine(seed) {}

    int Pick(int lowest, int highest)
    {
        return std::uniform_int_distribution<int>(lowest, highest)(m_engine);
    }

    TPostava* Character()
    {
        return static_cast<TPostava*>(m_fight.Postavy.At(m_fight.Selection().Rows[kPostavy]));
    }
    TNestvura* Monster()
    {
        return static_cast<TNestvura*>(m_fight.Nestvury.At(m_fight.Selection().Rows[kNestvury]));
    }

    void ForAll(TRosterList& list, const std::function<void(TObjekt&)>& f)
    {
        for (int row = 0; row < list.Count(); ++row)
            f(*list.At(row));
    }

    // Picks new selections now and then (not a step), then runs one random
    // command; returns whether it made a step.
    bool Command()
    {
        if (Pick(0, 3) == 0) {
            TFightSelection s;
            for (int side = 0; side < kRosterSides; ++side)
                s.Rows[static_cast<std::size_t>(side)] = Pick(-1, m_fight.List(side).Count() - 1);
            m_fight.Select(s);
        }
        static const char* const characters[] = {"Aragorn", "Bilbo", "Zbynek",  "Eowyn", "Frodo",
                                                 "Gimli",   "Hurin", "Legolas", "Merry", "Pipin"};
        static const char* const kinds[] = {"Vlk", "Skret", "Drak"};
        TFight& f = m_fight;
        switch (Pick(0, 13)) {
        case 0:
        case 1: {
            std::string name = characters[Pick(0, 9)];
            if (Pick(0, 3) == 0)
                name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
            auto c = std::make_unique<TPostava>(name);
            c->Lives = Pick(1, 512);
            c->MaxLives = Pick(1, 512);
            c->KnockOut = Pick(1, 512);
            return f.Run("Nová postava", [&] {
                if (f.Postavy.IndexOf(c->Name) < 0)
                    f.Postavy.Add(std::move(c));
            });
        }
        case 2:
        case 3: {
            std::string kind = kinds[Pick(0, 2)];
            if (Pick(0, 2) == 0)
                std::transform(kind.begin(), kind.end(), kind.begin(),
                               [](char ch) { return static_cast<char>(std::toupper(ch)); });
            auto m = std::make_unique<TNestvura>();
            m->Level = Pick(1, 6);
            m->KnockOutRule = Pick(0, 4);
            m->KillExperience = Pick(1, 30000);
            const std::string expected = ExpectedMonsterName(f.Data(), kind);
            m->Name = UniqueName(f.Nestvury, kind);
            EXPECT_EQ(m->Name, expected);
            TSeededRandom random(m_engine);
            m->RollLives(random);
            return f.Run("Nová nestvůra", [&] { f.Nestvury.Add(std::move(m)); });
        }
        case 4: {
            const int side = Pick(0, 1);
            return f.Run("Smazat", [&] {
                const int row = f.Selection().Rows[static_cast<std::size_t>(side)];
                f.List(side).Delete(row);
                if (row >= 0)
                    f.Selected[static_cast<std::size_t>(side)] = nullptr;
            });
        }
        case 5: {
            const auto mode = static_cast<TDeleteMode>(Pick(0, 2));
            return f.Run("Smazat skupinu", [&] {
                f.Nestvury.RemoveIf([&](const TObjekt& r) {
                    if (!BelongsToGroup(r, mode))
                        return false;
                    if (f.Selected[kNestvury] == &r)
                        f.Selected[kNestvury] = nullptr;
                    return true;
                });
            });
        }
        case 6: {
            const int damage = Pick(1, 1000);
            return f.Run("Zranit nestvůru", [&] {
                TNestvura* m = Monster();
                const std::int32_t experience = m ? m->Wound(damage) : 0;
                if (TPostava* c = Character(); c && experience != 0)
                    c->AddExperience(experience);
            });
        }
        case 7: {
            const int amount = Pick(0, 1) ? -1 : Pick(1, 10000);
            const bool all = Pick(0, 1);
            return f.Run("Předat zkušenost", [&] {
                const auto handOver = [amount](TObjekt& r) {
                    auto& c = static_cast<TPostava&>(r);
                    c.HandOver(c.HandOverAmount(amount));
                };
                if (all)
                    ForAll(f.Postavy, handOver);
                else if (TPostava* c = Character())
                    handOver(*c);
            });
        }
        case 8: {
            const bool all = Pick(0, 1);
            return f.Run("Vynulovat zkušenost", [&] {
                if (all)
                    ForAll(f.Postavy,
                           [](TObjekt& r) { static_cast<TPostava&>(r).ResetExperience(); });
                else if (TPostava* c = Character())
                    c->ResetExperience();
            });
        }
        case 9: {
            const int delta = Pick(-10000, 10000);
            const bool all = Pick(0, 1);
            return f.Run("Přidat zkušenost", [&] {
                const auto add = [delta](TObjekt& r) {
                    static_cast<TPostava&>(r).AddExperience(delta);
                };
                if (all)
                    ForAll(f.Postavy, add);
                else if (TPostava* c = Character())
                    add(*c);
            });
        }
        case 10:
        case 11: {
            const int side = Pick(0, 1);
            const int lives = Pick(0, 1000);
            const bool all = Pick(0, 1);
            return f.Run("Změnit životy", [&] {
                TRosterList& list = f.List(side);
                if (all)
                    ForAll(list, [lives](TObjekt& r) { r.SetLives(lives); });
                else if (TObjekt* r = list.At(f.Selection().Rows[static_cast<std::size_t>(side)]))
                    r->SetLives(lives);
            });
        }
        default: {
            const int side = Pick(0, 1);
            const int delta = Pick(-10, 100);
            const bool all = Pick(0, 1);
            return f.Run("Přidat životy", [&] {
                TRosterList& list = f.List(side);
                if (all)
                    ForAll(list, [delta](TObjekt& r) { r.AddLives(delta); });
                else if (TObjekt* r = list.At(f.Selection().Rows[static_cast<std::size_t>(side)]))
                    r->AddLives(delta);
            });
        }
        }
    }

private:
    TFight& m_fight;
    std::mt19937 m_engine;
};

TEST(RosterHistory, ThousandStepsUndoneToEmptyAndRedoneToTheEnd)
{
    TFight f;
    TEvening evening(f, 20240611u);
    // The fight before and after each step (selections may move between steps).
    std::vector<TFightData> before;
    std::vector<TFightData> after;
    while (after.size() < 1000) {
        if (!evening.Command())
            continue;
        before.push_back(f.BeforeStep);
        after.push_back(f.Data());
        // Each step undoes to exactly the state before it and redoes to the one after.
        ASSERT_TRUE(f.Undo());
        ASSERT_EQ(f.Data(), before.back()) << "step " << after.size();
        ASSERT_TRUE(f.Redo());
        ASSERT_EQ(f.Data(), after.back()) << "step " << after.size();
    }
    EXPECT_FALSE(f.History.CanRedo());
    EXPECT_EQ(f.Recovered(), after.back());
    ASSERT_GT(f.Postavy.Count() + f.Nestvury.Count(), 0);

    for (std::size_t k = after.size(); k > 0; --k) {
        ASSERT_TRUE(f.Undo());
        ASSERT_EQ(f.Data(), before[k - 1]) << "undo of step " << k;
        EXPECT_EQ(f.Recovered(), before[k - 1]);
    }
    EXPECT_FALSE(f.History.CanUndo());
    EXPECT_EQ(f.Postavy.Count(), 0);
    EXPECT_EQ(f.Nestvury.Count(), 0);

    for (std::size_t k = 0; k < after.size(); ++k) {
        ASSERT_TRUE(f.Redo());
        ASSERT_EQ(f.Data(), after[k]) << "redo of step " << k + 1;
    }
    EXPECT_FALSE(f.History.CanRedo());
    EXPECT_EQ(f.Recovered(), after.back());
}

TEST(RosterHistory, UndoRedoAndNewStepsMixedKeepTheModelAndTheNumbering)
{
    TFight f;
    TEvening evening(f, 7u);
    // The model: the states of the done steps, and of the undone ones to redo.
    std::vector<TFightData> done{f.Data()};
    std::vector<TFightData> undone;
    // The ledger beside them: undo and redo give back exactly the ledger of
    // the state they return to.
    std::vector<TExperienceLedger> ledgers{f.Ledger.Ledger()};
    std::vector<TExperienceLedger> undoneLedgers;
    // Every state number seen, with the rosters it stood for: one number, one
    // fight; a new step gets a number never seen before.
    std::map<std::uint64_t, decltype(TFightData::Rosters)> seen{{f.History.State(), {}}};
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t before = f.History.State();
        const int what = evening.Pick(0, 9);
        if (what < 2) {
            ASSERT_EQ(f.Undo(), done.size() > 1);
            if (done.size() > 1) {
                undone.push_back(done.back());
                done.pop_back();
                undoneLedgers.push_back(ledgers.back());
                ledgers.pop_back();
            }
        } else if (what < 4) {
            ASSERT_EQ(f.Redo(), !undone.empty());
            if (!undone.empty()) {
                done.push_back(undone.back());
                undone.pop_back();
                ledgers.push_back(undoneLedgers.back());
                undoneLedgers.pop_back();
            }
        } else if (evening.Command()) {
            // A new change drops what could be redone (monster names are
            // checked against the model inside the command).
            undone.clear();
            done.push_back(f.Data());
            undoneLedgers.clear();
            ledgers.push_back(f.Ledger.Ledger());
            ASSERT_FALSE(seen.contains(f.History.State())) << "at " << i;
        } else {
            ASSERT_EQ(f.History.State(), before) << "no step, the same state, at " << i;
        }
        EXPECT_EQ(f.History.CanUndo(), done.size() > 1);
        EXPECT_EQ(f.History.CanRedo(), !undone.empty());
        ASSERT_EQ(f.Data().Rosters, done.back().Rosters) << "at " << i;
        ASSERT_EQ(f.Ledger.Ledger(), ledgers.back()) << "at " << i;
        // Whatever the commands did, the summary is the characters' own experience.
        ASSERT_TRUE(LedgerAgrees(f.Ledger.Ledger(), f.Data().Rosters[kPostavy])) << "at " << i;
        const auto [place, added] = seen.try_emplace(f.History.State(), f.Data().Rosters);
        ASSERT_EQ(place->second, f.Data().Rosters) << "at " << i;
    }
    EXPECT_EQ(f.Recovered().Rosters, done.back().Rosters);
    EXPECT_EQ(f.RecoveredLedger(), ledgers.back());
    EXPECT_GT(ledgers.back().Count(), 0u);
}

TEST(RosterHistory, StepsAreNamedAndRestoreRowsAndSelections)
{
    TFight f;
    EXPECT_FALSE(f.History.CanUndo());
    EXPECT_EQ(f.History.UndoName(), "");
    EXPECT_FALSE(f.History.Undo());
    EXPECT_FALSE(f.History.Redo());

    // Nothing changed: no step, even if the selection moved.
    EXPECT_FALSE(f.Run("Nic", [] {}));
    EXPECT_FALSE(f.History.CanUndo());

    f.Run("Nová postava", [&] { f.Postavy.Add(std::make_unique<TPostava>("Aragorn")); });
    f.Run("Nová nestvůra", [&] {
        for (const char* name : {"Vlk", "Vlk [1]", "Vlk [2]"})
            f.Nestvury.Add(std::make_unique<TNestvura>(name));
    });
    f.Select({{0, 1}});
    EXPECT_EQ(f.History.UndoName(), "Nová nestvůra");
    EXPECT_EQ(f.History.UndoMovesRows(), (std::array<bool, 2>{false, true}));

    // A wound changes two rosters in one step.
    f.Run("Zranit nestvůru", [&] {
        const std::int32_t xp = static_cast<TNestvura*>(f.Nestvury.At(1))->Wound(20);
        static_cast<TPostava*>(f.Postavy.At(0))->AddExperience(xp);
    });
    EXPECT_EQ(f.History.LastChange().Rosters[kPostavy].Changed, std::vector<int>{0});
    EXPECT_EQ(f.History.LastChange().Rosters[kNestvury].Changed, std::vector<int>{1});
    EXPECT_EQ(f.History.UndoMovesRows(), (std::array<bool, 2>{false, false}));
    const TFightData wounded = f.Data();

    // The wounded monster and the others go; the selection goes with it.
    f.Run("Smazat všechny nestvůry", [&] {
        f.Nestvury.RemoveIf([](const TObjekt&) { return true; });
        f.Selected[kNestvury] = nullptr;
    });
    EXPECT_EQ(f.History.LastChange().Rosters[kNestvury].Removed, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.Selection().Rows, (std::array<int, 2>{0, -1}));
    const TObjekt* vlk1 = nullptr;
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(f.Data(), wounded);
    EXPECT_EQ(f.History.LastChange().Rosters[kNestvury].Inserted, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.History.LastChange().Selection.Rows, (std::array<int, 2>{0, 1}));
    vlk1 = f.Nestvury.At(1);
    EXPECT_EQ(f.History.UndoName(), "Zranit nestvůru");
    EXPECT_EQ(f.History.RedoName(), "Smazat všechny nestvůry");

    // The very records come back, so the numbering knows their numbers.
    EXPECT_EQ(UniqueName(f.Nestvury, "vlk"), "vlk [3]");
    ASSERT_TRUE(f.Redo());
    EXPECT_EQ(f.Nestvury.Count(), 0);
    EXPECT_EQ(UniqueName(f.Nestvury, "vlk"), "vlk");
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(f.Nestvury.At(1), vlk1);

    // A new change drops the step that could be redone.
    f.Run("Smazat nestvůru", [&] { f.Nestvury.Delete(1); });
    EXPECT_FALSE(f.History.CanRedo());
    EXPECT_EQ(UniqueName(f.Nestvury, "Vlk"), "Vlk [1]");
    f.Run("Nová nestvůra", [&] { f.Nestvury.Add(std::make_unique<TNestvura>("Vlk [1]")); });
    EXPECT_EQ(UniqueName(f.Nestvury, "Vlk"), "Vlk [3]");
    ASSERT_TRUE(f.Undo());
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(f.Data(), wounded);
    EXPECT_EQ(f.History.StepCount(), 5u);

    // Undo and redo wait while a command is being recorded.
    ASSERT_TRUE(f.History.Begin(f.Selection()));
    EXPECT_FALSE(f.History.Begin(f.Selection()));
    EXPECT_FALSE(f.History.Undo());
    EXPECT_FALSE(f.History.Redo());
    EXPECT_FALSE(f.History.Commit("Nic", f.Selection()));
}

TEST(RosterHistory, ALongEveningKeepsTheNewestStepsWithinItsBound)
{
    TFight f;
    f.Run("Nová nestvůra", [&] {
        for (int i = 0; i < 1000; ++i)
            f.Nestvury.Add(std::make_unique<TNestvura>("N" + std::to_string(i)));
    });
    // Each step changes 1000 rows: the oldest steps go once the bound is hit.
    for (int lives = 1; lives <= 1100; ++lives)
        f.Run("Změnit životy", [&] {
            for (int row = 0; row < f.Nestvury.Count(); ++row)
                f.Nestvury.At(row)->SetLives(lives % 40);
        });
    const std::size_t kept = f.History.StepCount();
    EXPECT_LT(kept, 1101u);
    EXPECT_GE(kept * 1001, TRosterHistory::kMaxEntries - 1001);
    std::size_t undone = 0;
    while (f.History.Undo())
        ++undone;
    EXPECT_EQ(undone, kept);
    EXPECT_EQ(f.Nestvury.Count(), 1000); // the oldest kept step set lives, it added none
    // The oldest kept state is the one the last step let go of led to: its
    // number, which the redo of the first kept step leaves again.
    const std::uint64_t oldest = f.History.State();
    ASSERT_TRUE(f.History.Redo());
    EXPECT_GT(f.History.State(), oldest);
    ASSERT_TRUE(f.History.Undo());
    EXPECT_EQ(f.History.State(), oldest);
}

TEST(RosterHistory, ARecordLostBehindTheHistorysBackForgetsTheHistory)
{
    TFight f;
    f.Run("Nová postava", [&] { f.Postavy.Add(std::make_unique<TPostava>("Aragorn")); });
    ASSERT_TRUE(f.History.Begin(f.Selection()));
    f.Postavy.SetRemovalSink(nullptr); // as if someone removed it unseen
    f.Postavy.Delete(0);
    const std::uint64_t known = f.History.State();
    EXPECT_TRUE(f.History.Commit("Smazat postavu", f.Selection()));
    EXPECT_TRUE(f.History.LastChange().Whole);
    EXPECT_FALSE(f.History.CanUndo());
    // Not the state any step knew: the rosters moved beyond them.
    EXPECT_GT(f.History.State(), known);

    // Rows added outside any command: the steps no longer fit, so undo
    // refuses and forgets them, and the next command's change is whole.
    f.Run("Nová postava", [&] { f.Postavy.Add(std::make_unique<TPostava>("Bilbo")); });
    f.Postavy.Add(std::make_unique<TPostava>("Aragorn"));
    EXPECT_TRUE(f.History.CanUndo());
    EXPECT_FALSE(f.History.Undo());
    EXPECT_FALSE(f.History.CanUndo());
    f.Postavy.Add(std::make_unique<TPostava>("Cirdan"));
    EXPECT_TRUE(f.Run("Změnit životy", [&] { f.Postavy.At(0)->SetLives(1); }));
    EXPECT_TRUE(f.History.LastChange().Whole);
    EXPECT_EQ(f.Recovered().Rosters[kPostavy], DataOf(f.Postavy));
    EXPECT_TRUE(f.Run("Změnit životy", [&] { f.Postavy.At(0)->SetLives(2); }));
    EXPECT_FALSE(f.History.LastChange().Whole);
    EXPECT_TRUE(f.History.CanUndo());
}

} // namespace
} // namespace mecovnik
