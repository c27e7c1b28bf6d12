// Roster operations on 10,000 monsters, each including the repaint it causes.
// Every operation should fit in one frame (16 ms); adding 10,000 monsters of
// one name one after another should take under a second in all.
#include "components/MessageBoxes.h"
#include "components/TAdvancedListBox.h"
#include "platform/TQtNameOrder.h"
#include "roster/Frm_Nestvury.h"
#include "roster/TNestvura.h"
#include "roster/TRandom.h"
#include "roster/TRosterModel.h"

#include <QApplication>
#include <QMdiArea>

#include <benchmark/benchmark.h>

using namespace mecovnik;

namespace {

constexpr int kMonsters = 10000;

void Paint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A shown monster roster filled with "Skřet", "Skřet [1]" ... "Skřet [9999]".
struct TRoster
{
    const TQtNameOrder Order;
    QMdiArea Area;
    TNestvuryWindow* Window = new TNestvuryWindow(Order);
    TClockSeededRandom Random;
    TMessageBoxHook Yes{[](const TMessageBoxRecord&) { return QMessageBox::Yes; }};

    TRoster()
    {
        Area.resize(900, 700);
        Area.addSubWindow(Window);
        Window->resize(600, 600);
        Window->show();
        Area.show();
        Fill();
    }

    void Fill()
    {
        while (Window->Rows().rowCount() < kMonsters) {
            auto m = std::make_unique<TNestvura>("Skřet");
            m->Level = 3;
            m->KnockOutRule = 2;
            Window->JoinMonster(std::move(m));
        }
        Paint();
    }
};

TRoster& Roster()
{
    static TRoster roster;
    return roster;
}

void BM_AddOneMoreOfANumberedName(benchmark::State& state)
{
    TRoster& r = Roster();
    for (auto _ : state) {
        const int row = r.Window->JoinMonster(std::make_unique<TNestvura>("skřet"));
        Paint();
        state.PauseTiming();
        r.Window->Rows().Delete(row);
        Paint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddOneMoreOfANumberedName)->Unit(benchmark::kMillisecond);

void BM_Wound(benchmark::State& state)
{
    TRoster& r = Roster();
    r.Window->ListBox()->SetItemIndex(5000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(r.Window->WoundActive(1));
        Paint();
        state.PauseTiming();
        r.Window->SetLives(5000, 10);
        Paint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Wound)->Unit(benchmark::kMillisecond);

void BM_SetLivesOfAll(benchmark::State& state)
{
    TRoster& r = Roster();
    int lives = 1;
    for (auto _ : state) {
        r.Window->SetLivesAll(lives);
        Paint();
        lives = lives % 20 + 1;
    }
}
BENCHMARK(BM_SetLivesOfAll)->Unit(benchmark::kMillisecond);

void BM_DeleteTheDead(benchmark::State& state)
{
    TRoster& r = Roster();
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 0; row < r.Window->Rows().rowCount(); row += 2)
            r.Window->Rows().At(row)->Lives = 0;
        state.ResumeTiming();
        r.Window->DeleteMonsters(1);
        Paint();
        state.PauseTiming();
        r.Fill();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteTheDead)->Unit(benchmark::kMillisecond);

void BM_DeleteAll(benchmark::State& state)
{
    TRoster& r = Roster();
    for (auto _ : state) {
        r.Window->DeleteMonsters(0);
        Paint();
        state.PauseTiming();
        r.Fill();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteAll)->Unit(benchmark::kMillisecond);

void BM_AddTenThousandOfOneName(benchmark::State& state)
{
    TRoster& r = Roster();
    for (auto _ : state) {
        state.PauseTiming();
        r.Window->DeleteMonsters(0);
        Paint();
        state.ResumeTiming();
        for (int i = 0; i < kMonsters; ++i)
            r.Window->JoinMonster(std::make_unique<TNestvura>("Vlk"));
        Paint();
    }
    // Outside the timed loop: put the named roster back for the others.
    r.Window->DeleteMonsters(0);
    r.Fill();
}
BENCHMARK(BM_AddTenThousandOfOneName)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
