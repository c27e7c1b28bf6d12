// Undo, redo and the fight's journal with 10,000 monsters in the roster. Each
// roster change is timed as the program makes it: the command recorded as one
// step of the history, the journal written (and flushed to the disk with
// fdatasync) and the rosters repainted; its undo likewise. Every one should fit
// in one frame (16 ms), undo and redo of a group deletion of 5000 monsters
// included. The journal lives in a folder under the current directory (a real
// disk, not a memory file system), or in MECOVNIK_BENCH_DIR.
//
// The journal's size after 10,000 changes on a roster of 20 is reported too;
// it should stay under 64 KiB.
#include "app/TFightKeeper.h"
#include "components/MessageBoxes.h"
#include "components/TAdvancedListBox.h"
#include "history/TClock.h"
#include "history/TFightJournal.h"
#include "history/TJournalFile.h"
#include "platform/TQtJournalFile.h"
#include "platform/TQtNameOrder.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRandom.h"
#include "roster/TRosterModel.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

using namespace mecovnik;

namespace {

constexpr int kMonsters = 10000;

void Paint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Both rosters shown, 10,000 monsters and 20 characters, the history and the
// journal on disk.
struct TFight
{
    QTemporaryDir Folder{qEnvironmentVariable("MECOVNIK_BENCH_DIR", QDir::currentPath()) +
                         QStringLiteral("/history-bench-XXXXXX")};
    TQtJournalFile File{Folder.path() + QStringLiteral("/mecovnik")};
    TSystemClock Clock;
    const TQtNameOrder Order;
    QMdiArea Area;
    TNestvuryWindow* Nestvury = new TNestvuryWindow(Order);
    TPostavyWindow* Postavy = new TPostavyWindow(Order);
    TClockSeededRandom Random;
    TMessageBoxHook Answers{[](const TMessageBoxRecord&) { return QMessageBox::Yes; }};
    std::unique_ptr<TFightKeeper> Keeper;

    TFight()
    {
        Area.resize(1200, 700);
        Area.addSubWindow(Nestvury);
        Area.addSubWindow(Postavy);
        Nestvury->resize(600, 600);
        Postavy->resize(500, 600);
        Nestvury->show();
        Postavy->show();
        Area.show();
        for (int i = 0; i < 20; ++i)
            Postavy->JoinCharacter(std::make_unique<TPostava>("Postava " + std::to_string(i)));
        while (Nestvury->Rows().rowCount() < kMonsters) {
            auto m = std::make_unique<TNestvura>("Skřet");
            m->Level = 3;
            m->KnockOutRule = 2;
            m->RollLives(Random);
            Nestvury->Rows().Add(std::move(m));
        }
        Keeper = std::make_unique<TFightKeeper>(*Postavy, *Nestvury, &File, Clock);
        Postavy->ListBox()->SetItemIndex(10);
        Nestvury->ListBox()->SetItemIndex(5000);
        // The first change of a run writes the whole fight.
        Record("Změnit životy", [this] { Postavy->SetLives(10, 40); });
        Paint();
    }

    template <class F> void Record(const char* name, F command)
    {
        Keeper->Begin();
        command();
        Keeper->Commit(QString::fromUtf8(name));
    }
};

TFight& Fight()
{
    static TFight fight;
    return fight;
}

// Times what f does with its repaint, reporting the slowest run beside the mean.
template <class F> void Timed(benchmark::State& state, double& slowest, F f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    Paint();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    slowest = std::max(slowest, took.count());
    state.counters["max_ms"] = slowest;
}

void Wound(TFight& f)
{
    f.Record("Zranit nestvůru", [&f] {
        const std::int32_t experience = f.Nestvury->WoundActive(1);
        f.Postavy->AddExperience(f.Postavy->ListBox()->ItemIndex(), experience);
        if (f.Nestvury->Active()->Lives == 0)
            f.Nestvury->SetLives(f.Nestvury->ListBox()->ItemIndex(), 20);
    });
}

void BM_Wound(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    for (auto _ : state)
        Timed(state, slowest, [&f] { Wound(f); });
}
BENCHMARK(BM_Wound)->Unit(benchmark::kMillisecond);

void BM_UndoWound(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Wound(f);
        Paint();
        state.ResumeTiming();
        Timed(state, slowest, [&f] { f.Keeper->Undo(); });
    }
}
BENCHMARK(BM_UndoWound)->Unit(benchmark::kMillisecond);

void BM_AddMonster(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    for (auto _ : state) {
        Timed(state, slowest, [&f] {
            f.Record("Nová nestvůra",
                     [&f] { f.Nestvury->JoinMonster(std::make_unique<TNestvura>("skřet")); });
        });
        state.PauseTiming();
        f.Keeper->Undo();
        Paint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddMonster)->Unit(benchmark::kMillisecond);

void BM_UndoAddMonster(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.Record("Nová nestvůra",
                 [&f] { f.Nestvury->JoinMonster(std::make_unique<TNestvura>("skřet")); });
        Paint();
        state.ResumeTiming();
        Timed(state, slowest, [&f] { f.Keeper->Undo(); });
    }
}
BENCHMARK(BM_UndoAddMonster)->Unit(benchmark::kMillisecond);

void BM_DeleteOneMonster(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.Nestvury->ListBox()->SetItemIndex(5000);
        Paint();
        state.ResumeTiming();
        Timed(state, slowest,
              [&f] { f.Record("Smazat nestvůru", [&f] { f.Nestvury->DeleteMonster(); }); });
        state.PauseTiming();
        f.Keeper->Undo();
        Paint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteOneMonster)->Unit(benchmark::kMillisecond);

void BM_SetLivesOfAllMonsters(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    int lives = 1;
    for (auto _ : state) {
        Timed(state, slowest,
              [&] { f.Record("Změnit životy", [&] { f.Nestvury->SetLivesAll(lives); }); });
        lives = lives % 20 + 1;
    }
}
BENCHMARK(BM_SetLivesOfAllMonsters)->Unit(benchmark::kMillisecond);

void BM_UndoSetLivesOfAllMonsters(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    int lives = 1;
    for (auto _ : state) {
        state.PauseTiming();
        f.Record("Změnit životy", [&] { f.Nestvury->SetLivesAll(lives); });
        lives = lives % 20 + 1;
        Paint();
        state.ResumeTiming();
        Timed(state, slowest, [&f] { f.Keeper->Undo(); });
    }
}
BENCHMARK(BM_UndoSetLivesOfAllMonsters)->Unit(benchmark::kMillisecond);

// Half of the 10,000 monsters dead, deleted as a group: the deletion, its
// undo and its redo, each with its journal write and repaint.
void BM_GroupDeletionOf5000(benchmark::State& state)
{
    TFight& f = Fight();
    double slowest = 0;
    const int phase = static_cast<int>(state.range(0)); // 0 delete, 1 undo, 2 redo
    for (auto _ : state) {
        state.PauseTiming();
        f.Record("Změnit životy", [&f] {
            for (int row = 0; row < f.Nestvury->Rows().rowCount(); ++row)
                f.Nestvury->Rows().At(row)->Lives = row % 2 == 0 ? 0 : 5;
        });
        Paint();
        if (phase > 0) {
            f.Record("Smazat všechny mrtvé nestvůry", [&f] { f.Nestvury->DeleteMonsters(1); });
            Paint();
        }
        if (phase > 1) {
            f.Keeper->Undo();
            Paint();
        }
        state.ResumeTiming();
        Timed(state, slowest, [&] {
            if (phase == 0)
                f.Record("Smazat všechny mrtvé nestvůry", [&f] { f.Nestvury->DeleteMonsters(1); });
            else if (phase == 1)
                f.Keeper->Undo();
            else
                f.Keeper->Redo();
        });
        state.PauseTiming();
        if (f.Nestvury->Rows().rowCount() != kMonsters / 2 + (phase == 1 ? kMonsters / 2 : 0))
            state.SkipWithError("the group deletion did not remove 5000 monsters");
        if (phase != 1)
            f.Keeper->Undo();
        Paint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GroupDeletionOf5000)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("delete0_undo1_redo2")
    ->Unit(benchmark::kMillisecond);

// A journal in memory: the size is the format's business, not the disk's.
class TMemoryJournal final : public TJournalFile
{
public:
    bool Claim() override { return true; }
    TReadResult ReadAll() override { return {TReadStatus::Missing, {}}; }
    bool Append(std::string_view bytes) override
    {
        Bytes += bytes;
        return true;
    }
    bool Replace(std::string_view bytes) override
    {
        Bytes = bytes;
        return true;
    }
    bool Remove() override
    {
        Bytes.clear();
        return true;
    }
    bool KeepBackup() override { return true; }
    std::string Folder() const override { return {}; }
    std::string Bytes;
};

// 10,000 changes of every kind on 10 characters and 10 monsters.
void BM_JournalSizeAfter10000Changes(benchmark::State& state)
{
    const TAsciiNameOrder order;
    for (auto _ : state) {
        TRosterList postavy(order);
        TRosterList nestvury(order);
        TRosterHistory history(postavy, nestvury);
        TMemoryJournal file;
        TFightJournal journal(file);
        std::size_t largest = 0;
        const auto record = [&](auto command) {
            history.Begin({});
            command();
            if (history.Commit("krok", {}))
                journal.Record(history.LastChange(), postavy, nestvury);
            largest = std::max(largest, file.Bytes.size());
        };
        for (int i = 0; i < 10; ++i) {
            record(
                [&] { postavy.Add(std::make_unique<TPostava>("Postava " + std::to_string(i))); });
            record([&] {
                nestvury.Add(std::make_unique<TNestvura>("Nestvůra " + std::to_string(i)));
            });
        }
        for (int i = 0; i < 10000; ++i) {
            switch (i % 5) {
            case 0:
                record([&] { nestvury.At(i % 10)->AddLives(-3); });
                break;
            case 1:
                record([&] { static_cast<TPostava*>(postavy.At(i % 10))->AddExperience(25); });
                break;
            case 2:
                record([&] {
                    for (int row = 0; row < nestvury.Count(); ++row)
                        nestvury.At(row)->SetLives(i % 40);
                });
                break;
            case 3:
                record([&] { nestvury.Delete(i % 10); });
                break;
            default:
                history.Undo();
                journal.Record(history.LastChange(), postavy, nestvury);
            }
            largest = std::max(largest, file.Bytes.size());
        }
        state.counters["largest_KiB"] = static_cast<double>(largest) / 1024.0;
        state.counters["final_KiB"] = static_cast<double>(file.Bytes.size()) / 1024.0;
    }
}
BENCHMARK(BM_JournalSizeAfter10000Changes)->Unit(benchmark::kMillisecond)->Iterations(1);

// What the journal adds to a start without one: the lock taken and nothing
// found to read.
void BM_StartWithoutJournal(benchmark::State& state)
{
    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/history-bench-XXXXXX"));
    const TAsciiNameOrder order;
    for (auto _ : state) {
        TQtJournalFile file(folder.path() + QStringLiteral("/mecovnik"));
        TFightJournal journal(file);
        benchmark::DoNotOptimize(file.Claim());
        benchmark::DoNotOptimize(journal.TakeLeftover(order));
    }
}
BENCHMARK(BM_StartWithoutJournal)->Unit(benchmark::kMicrosecond);

} // namespace
