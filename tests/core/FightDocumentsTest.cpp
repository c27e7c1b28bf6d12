#include "history/FightDocuments.h"
#include "history/TRosterHistory.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TRosterList.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

namespace mecovnik {
namespace {

using TDocument = TFightDocuments::TDocument;

// Rosters with their history, and the documents following its states as the
// main window makes them follow: every command that makes a step drops the
// documents of the undone states.
class TEveningWithFiles
{
public:
    TEveningWithFiles() : m_postavy(m_order), m_nestvury(m_order), m_history(m_postavy, m_nestvury)
    {
    }

    std::uint64_t State() const { return m_history.State(); }

    // A command that adds a monster.
    void Edit()
    {
        Step([this] { m_nestvury.Add(std::make_unique<TNestvura>("N" + std::to_string(++m_n))); });
    }

    // Opening a file: the rosters replaced in one step, the document set at
    // the state it led to.
    void Open(const std::string& path)
    {
        Step([this] {
            m_nestvury.RemoveIf([](const TObjekt&) { return true; });
            m_nestvury.Add(std::make_unique<TNestvura>("F" + std::to_string(++m_n)));
        });
        Documents.Set(State(), {path});
        Documents.Opened(State(), path);
    }

    bool Undo() { return m_history.Undo(); }
    bool Redo() { return m_history.Redo(); }

    TFightDocuments Documents;

private:
    template <class F> void Step(F command)
    {
        const std::uint64_t before = State();
        ASSERT_TRUE(m_history.Begin({}));
        command();
        ASSERT_TRUE(m_history.Commit("krok", {}));
        Documents.Stepped(before);
    }

    const TAsciiNameOrder m_order;
    TRosterList m_postavy;
    TRosterList m_nestvury;
    TRosterHistory m_history;
    int m_n = 0;
};

// The caption's mark: a file's fight is changed exactly while it differs from
// what was last written to or read from that file; undo back to that state
// clears the mark; undoing an open gives back the file before it.
TEST(FightDocuments, FollowTheHistoryAndMarkWhatDiffersFromTheFile)
{
    TEveningWithFiles e;
    const std::uint64_t empty = e.State();
    EXPECT_EQ(e.Documents.At(empty), TDocument{});
    EXPECT_FALSE(e.Documents.Changed(empty));
    e.Edit();
    EXPECT_FALSE(e.Documents.Changed(e.State())) << "no file, no mark";

    e.Open("/a.souboj");
    const std::uint64_t openedA = e.State();
    EXPECT_EQ(e.Documents.At(openedA), (TDocument{"/a.souboj"}));
    EXPECT_FALSE(e.Documents.Changed(openedA));
    e.Edit();
    const std::uint64_t editedA = e.State();
    EXPECT_EQ(e.Documents.At(editedA).Path, "/a.souboj");
    EXPECT_TRUE(e.Documents.Changed(editedA));
    ASSERT_TRUE(e.Undo());
    EXPECT_FALSE(e.Documents.Changed(e.State())) << "back where the file was read";
    ASSERT_TRUE(e.Redo());
    EXPECT_TRUE(e.Documents.Changed(e.State()));

    e.Documents.Saved(editedA, "/a.souboj");
    EXPECT_FALSE(e.Documents.Changed(editedA));
    ASSERT_TRUE(e.Undo());
    EXPECT_TRUE(e.Documents.Changed(openedA)) << "the file now holds the later fight";

    // Saved under another name from the earlier state: the document takes the
    // name for all its states; the old file keeps what it holds.
    e.Documents.Saved(openedA, "/b.souboj");
    EXPECT_FALSE(e.Documents.Changed(openedA));
    ASSERT_TRUE(e.Redo());
    EXPECT_EQ(e.Documents.At(editedA), (TDocument{"/b.souboj"}));
    EXPECT_TRUE(e.Documents.Changed(editedA));

    // Opening another file and undoing it gives back the file before.
    e.Open("/c.souboj");
    EXPECT_EQ(e.Documents.At(e.State()).Path, "/c.souboj");
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.Documents.At(e.State()), (TDocument{"/b.souboj"}));
    ASSERT_TRUE(e.Redo());
    EXPECT_EQ(e.Documents.At(e.State()).Path, "/c.souboj");

    // A new command after the undo drops the undone open with its file.
    ASSERT_TRUE(e.Undo());
    e.Edit();
    EXPECT_EQ(e.Documents.At(e.State()).Path, "/b.souboj");
    EXPECT_TRUE(e.Documents.Changed(e.State()));

    // A new fight: no file from its state on.
    e.Documents.Set(e.State(), {});
    EXPECT_EQ(e.Documents.At(e.State()), TDocument{});
    EXPECT_FALSE(e.Documents.Changed(e.State()));
}

TEST(FightDocuments, AFightSavedBeforeAnyFileWasSetTakesTheNameFromItsStart)
{
    TFightDocuments documents;
    documents.Saved(5, "/x.souboj");
    EXPECT_EQ(documents.At(0).Path, "/x.souboj");
    EXPECT_EQ(documents.At(5).Path, "/x.souboj");
    EXPECT_TRUE(documents.Changed(4));
    EXPECT_FALSE(documents.Changed(5));
}

// A random mix of opens, edits, saves, undos and redos against a plain model:
// each state on the way belongs to a document (an open starts a new one, an
// edit stays in its document), a save names the current document, and each
// file holds the state last written to or read from it.
TEST(FightDocuments, RandomEveningsAgreeWithAPlainModel)
{
    std::mt19937 engine(20240612u);
    const auto pick = [&engine](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(engine);
    };
    const std::string files[] = {"/a.souboj", "/b.souboj", "/c.souboj"};
    TEveningWithFiles e;
    // Each done and undone state with its document's number.
    std::vector<std::pair<std::uint64_t, int>> done{{e.State(), 0}};
    std::vector<std::pair<std::uint64_t, int>> undone;
    std::vector<std::string> names{""}; // each document's file
    std::map<std::string, std::uint64_t> holds;
    for (int i = 0; i < 3000; ++i) {
        switch (pick(0, 5)) {
        case 0: {
            const std::string& file = files[pick(0, 2)];
            e.Open(file);
            undone.clear();
            names.push_back(file);
            done.emplace_back(e.State(), static_cast<int>(names.size()) - 1);
            holds[file] = e.State();
            break;
        }
        case 1:
            e.Edit();
            undone.clear();
            done.emplace_back(e.State(), done.back().second);
            break;
        case 2: {
            const std::string& file = files[pick(0, 2)];
            e.Documents.Saved(e.State(), file);
            names[static_cast<std::size_t>(done.back().second)] = file;
            holds[file] = e.State();
            break;
        }
        case 3:
            if (e.Undo()) {
                undone.push_back(done.back());
                done.pop_back();
            }
            break;
        default:
            if (e.Redo()) {
                done.push_back(undone.back());
                undone.pop_back();
            }
            break;
        }
        ASSERT_EQ(e.State(), done.back().first) << "at " << i;
        const std::string& file = names[static_cast<std::size_t>(done.back().second)];
        ASSERT_EQ(e.Documents.At(e.State()).Path, file) << "at " << i;
        const bool changed = !file.empty() && holds[file] != e.State();
        ASSERT_EQ(e.Documents.Changed(e.State()), changed) << "at " << i;
    }
}

const TLocalTime kMayDay{2024, 5, 1, 20, 30, 7};

TEST(QuitFights, NamesCarryTheMomentAndReadBack)
{
    EXPECT_EQ(QuitFightFileName(kMayDay), "konec-20240501-203007.souboj");
    EXPECT_EQ(QuitFightFileName(kMayDay, 2), "konec-20240501-203007-2.souboj");
    std::mt19937 engine(5u);
    const auto pick = [&engine](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(engine);
    };
    for (int i = 0; i < 2000; ++i) {
        const TLocalTime t{pick(1, 9999), pick(1, 12), pick(1, 28),
                           pick(0, 23),   pick(0, 59), pick(0, 59)};
        const int n = pick(1, 1000);
        const std::optional<TLocalTime> back = QuitFightFileTime(QuitFightFileName(t, n));
        ASSERT_TRUE(back) << QuitFightFileName(t, n);
        EXPECT_EQ(
            std::tie(back->Year, back->Month, back->Day, back->Hour, back->Minute, back->Second),
            std::tie(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second));
    }
}

TEST(QuitFights, OtherNamesAreNoneOfThem)
{
    const struct
    {
        const char* Name;
        bool Taken;
        const char* Why;
    } cases[] = {
        {"konec-20240229-235959.souboj", true, "a leap day"},
        {"konec-20000229-000000.souboj", true, "2000 was a leap year"},
        {"konec-19000229-000000.souboj", false, "1900 was not"},
        {"konec-20230229-000000.souboj", false, "nor was 2023"},
        {"konec-20240431-000000.souboj", false, "April has 30 days"},
        {"konec-20241301-000000.souboj", false, "no 13th month"},
        {"konec-20240501-240000.souboj", false, "no hour 24"},
        {"konec-20240501-206000.souboj", false, "no minute 60"},
        {"konec-20240501-203007-1.souboj", false, "the first of a second has no number"},
        {"konec-20240501-203007-02.souboj", false, "numbers without leading zeros"},
        {"konec-20240501-203007-.souboj", false, "a dash without a number"},
        {"konec-20240501-203007x.souboj", false, "anything else after the time"},
        {"konec-2024051-203007.souboj", false, "a digit short"},
        {"konec-20240501+203007.souboj", false, "the dash between date and time"},
        {"konec-20240501-203007.souboj.bak", false, "another extension"},
        {"Konec-20240501-203007.souboj", false, "the prefix as written"},
        {"boj.souboj", false, "a user's file"},
        {"fight.journal", false, "the journal"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuitFightFileTime(c.Name).has_value(), c.Taken) << c.Name << ": " << c.Why;
}

TEST(QuitFights, TheRecentListShowsTheCzechDateAndTime)
{
    EXPECT_EQ(QuitFightText(kMayDay), "Souboj při ukončení – 1. 5. 2024 20:30");
    EXPECT_EQ(QuitFightText({2025, 12, 24, 8, 5, 59}), "Souboj při ukončení – 24. 12. 2025 8:05");
}

TEST(QuitFights, OnlyThoseTheRecentListLetGoOfAreRemoved)
{
    const std::string folder = "/stav/mecovnik";
    const std::vector<std::string> names = {
        "konec-20240501-203007.souboj",   // in the list
        "konec-20240502-203007.souboj",   // no longer in the list
        "konec-20240503-203007-2.souboj", // no longer in the list
        "konec-20240504-203007.souboj",   // in the list, but of another folder
        "fight.journal",                  // not a fight kept at the end
        "boj.souboj",                     // a user's own file there
    };
    const std::vector<std::string> recent = {
        folder + "/konec-20240501-203007.souboj",
        "/jinde/konec-20240504-203007.souboj",
        "/home/pj/boj.souboj",
    };
    EXPECT_EQ(
        QuitFightsToRemove(names, recent, folder),
        (std::vector<std::string>{"konec-20240502-203007.souboj", "konec-20240503-203007-2.souboj",
                                  "konec-20240504-203007.souboj"}));
}

} // namespace
} // namespace mecovnik
