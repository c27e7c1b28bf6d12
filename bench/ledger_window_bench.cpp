// The "Deník zkušeností" window over a ledger of 10,000 rows (Google
// Benchmark, offscreen unless QT_QPA_PLATFORM says otherwise), in a window
// area as wide as a three-way tile of a 1200-pixel main window: opening it
// (made, shown, laid out and painted), a whole fight's ledger coming into an
// open window (model reset, summary, paint), a page down and a wheel step
// (scrolled and repainted), and one wound's row while the newest row is in
// sight (row and summary followed, scrolled to it, repainted). Each should
// stay inside a frame (16 ms).
#include "history/ExperienceLedger.h"
#include "history/TFightLedger.h"
#include "history/TLedgerWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <random>

using namespace mecovnik;

namespace {

constexpr int kCharacters = 6;
constexpr std::size_t kRows = 10'000;

// Counts what reached the screen, so a figure never leaves out the paint.
class TPaintCounter final : public QObject
{
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(watched, event);
    }
};

// What the event loop does next: deliver the posted events (layout, update
// requests) and paint.
void Paint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// One wound's row of a character, totals carried on.
TLedgerRow WoundRow(std::size_t i, std::vector<std::int32_t>& earned, std::mt19937& engine)
{
    const auto who = static_cast<std::size_t>(engine() % kCharacters);
    TLedgerRow row;
    row.Time = 1'714'590'000 + static_cast<std::int64_t>(i) * 7;
    row.Character = "Postava " + std::to_string(who);
    row.Event = TLedgerEvent::Wound;
    row.Monster = "Obří pavouk [" + std::to_string(engine() % 1000) + "]";
    row.LivesBefore = 17;
    row.LivesTaken = 5;
    row.EarnedChange = row.UnassignedChange = 44;
    earned[who] += 44;
    row.Earned = row.Unassigned = earned[who];
    return row;
}

// 10,000 rows: 6 characters join, then wounds.
TExperienceLedger BigLedger()
{
    std::mt19937 engine(18);
    std::vector<std::int32_t> earned(kCharacters);
    std::vector<TLedgerRow> rows;
    for (std::size_t i = 0; i < kRows; ++i) {
        if (i < kCharacters) {
            TLedgerRow row;
            row.Time = 1'714'590'000;
            row.Character = "Postava " + std::to_string(i);
            row.Event = TLedgerEvent::Added;
            rows.push_back(std::move(row));
        } else {
            rows.push_back(WoundRow(i, earned, engine));
        }
    }
    TExperienceLedger ledger;
    ledger.Append(std::move(rows));
    return ledger;
}

// The window area with the ledger window as one of three tiled windows.
struct TArea
{
    QMdiArea Area;
    TLedgerWindow* Window = nullptr;
    TPaintCounter Counter;

    explicit TArea(const TExperienceLedger& ledger)
    {
        Area.resize(1200, 800);
        Area.show();
        Paint();
        Open(ledger);
    }

    void Open(const TExperienceLedger& ledger)
    {
        Window = new TLedgerWindow(ledger, Area.viewport());
        Area.addSubWindow(Window);
        Window->setGeometry(0, 0, 400, 800);
        Window->Rows()->viewport()->installEventFilter(&Counter);
        Window->show();
        Paint();
    }

    void Close()
    {
        delete Window;
        Window = nullptr;
        Paint();
    }
};

bool Painted(benchmark::State& state, TArea& a)
{
    if (a.Counter.Paints < static_cast<int>(state.iterations())) {
        state.SkipWithError("the rows were not painted every round");
        return false;
    }
    return true;
}

void BM_OpenLedgerWindow10k(benchmark::State& state)
{
    const TExperienceLedger ledger = BigLedger();
    TArea a(ledger);
    a.Close();
    a.Counter.Paints = 0;
    for (auto _ : state) {
        a.Open(ledger);
        state.PauseTiming();
        a.Close();
        state.ResumeTiming();
    }
    Painted(state, a);
}
BENCHMARK(BM_OpenLedgerWindow10k)->Unit(benchmark::kMillisecond);

void BM_LedgerOf10kComesIn(benchmark::State& state)
{
    const TExperienceLedger big = BigLedger();
    TExperienceLedger ledger;
    TArea a(ledger);
    a.Counter.Paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ledger.Clear();
        a.Window->Follow({true, 0, 0});
        Paint();
        ledger = big;
        state.ResumeTiming();
        a.Window->Follow({true, 0, 0});
        Paint();
    }
    if (Painted(state, a) && a.Window->Rows()->model()->rowCount() != static_cast<int>(kRows))
        state.SkipWithError("the rows did not come");
}
BENCHMARK(BM_LedgerOf10kComesIn)->Unit(benchmark::kMillisecond);

// One step of scrolling by keys or by the wheel, from the top to the end and
// again.
template <typename TStep> void Scroll(benchmark::State& state, TStep step)
{
    const TExperienceLedger ledger = BigLedger();
    TArea a(ledger);
    QTableView& rows = *a.Window->Rows();
    rows.setFocus();
    QScrollBar& bar = *rows.verticalScrollBar();
    bar.setValue(0);
    rows.setCurrentIndex(rows.model()->index(0, 0));
    Paint();
    a.Counter.Paints = 0;
    int before = bar.value();
    for (auto _ : state) {
        step(rows);
        Paint();
        state.PauseTiming();
        if (bar.value() == before) {
            // At the end: back to the top, out of the timing.
            if (before == 0) {
                state.SkipWithError("the step did not scroll");
                break;
            }
            const int paints = a.Counter.Paints;
            bar.setValue(0);
            rows.setCurrentIndex(rows.model()->index(0, 0));
            Paint();
            a.Counter.Paints = paints;
        }
        before = bar.value();
        state.ResumeTiming();
    }
    Painted(state, a);
}

void BM_LedgerPageDown10k(benchmark::State& state)
{
    Scroll(state, [](QTableView& rows) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QCoreApplication::sendEvent(&rows, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
        QCoreApplication::sendEvent(&rows, &release);
    });
}
BENCHMARK(BM_LedgerPageDown10k)->Unit(benchmark::kMillisecond);

void BM_LedgerWheelStep10k(benchmark::State& state)
{
    Scroll(state, [](QTableView& rows) {
        QWidget* port = rows.viewport();
        const QPointF at = QRectF(port->rect()).center();
        // One notch of a wheel: 120 eighths of a degree, towards the user.
        QWheelEvent wheel(at, port->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(port, &wheel);
    });
}
BENCHMARK(BM_LedgerWheelStep10k)->Unit(benchmark::kMillisecond);

// A wound's row while the newest row is in sight: the row put on, the summary
// summed anew, the view kept at the newest row and repainted.
void BM_LedgerWoundRowAt10k(benchmark::State& state)
{
    TExperienceLedger ledger = BigLedger();
    TArea a(ledger);
    std::mt19937 engine(7);
    std::vector<std::int32_t> earned(kCharacters, 1'000'000);
    a.Counter.Paints = 0;
    std::size_t i = kRows;
    for (auto _ : state) {
        ledger.Append({WoundRow(i++, earned, engine)});
        a.Window->Follow({false, 0, 1});
        Paint();
        state.PauseTiming();
        const int paints = a.Counter.Paints;
        (void)ledger.TakeLast(1);
        a.Window->Follow({false, 1, 0});
        Paint();
        a.Counter.Paints = paints;
        state.ResumeTiming();
    }
    const QScrollBar& bar = *a.Window->Rows()->verticalScrollBar();
    if (Painted(state, a) && bar.value() != bar.maximum())
        state.SkipWithError("the newest row is out of sight");
}
BENCHMARK(BM_LedgerWoundRowAt10k)->Unit(benchmark::kMillisecond);

} // namespace
