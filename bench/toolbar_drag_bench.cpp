// One step of a toolbar drag with 200 placed items: snapping the pointer,
// moving the drag image, no repaint of the toolbar. Each step should take
// under 1 ms; "toolbar_paints" counts the toolbar's paint events over the
// whole run and should be 0. Runs on the offscreen platform unless
// QT_QPA_PLATFORM names another (xcb under a display shows the real window
// system's cost of moving the image).
#include "platform/TProgramResources.h"
#include "toolbar/TDragImage.h"
#include "toolbar/TToolbar.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <vector>

using namespace mecovnik;

namespace {

constexpr int kPlaced = 200;

class TPaintCounter final : public QObject
{
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

// A shown toolbar of 200 items: buttons in rows of 40 with a separator after
// every tenth.
struct TBench
{
    const TProgramResources Resources;
    QWidget Window;
    TToolbar* Toolbar = new TToolbar(Resources, &Window);
    TPaintCounter Counter;

    TBench()
    {
        Window.resize(1200, 200);
        Toolbar->setGeometry(0, 0, 1200, 33);
        Toolbar->Loaded();
        Toolbar->Clear();
        std::vector<TToolbarLayoutItem> records;
        for (int i = 0; i < kPlaced; ++i) {
            const int x = 4 + 27 * (i % 40);
            const int y = 4 + 29 * (i / 40);
            records.push_back(i % 10 == 9 ? TToolbarLayoutItem{tbSeparator, x, y, -1, 0}
                                          : TToolbarLayoutItem{1 + i % 9, x, y, -1, -1});
        }
        Toolbar->SetLayout(records);
        Window.show();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        Toolbar->installEventFilter(&Counter);
    }
};

// Pointer positions over the toolbar and beyond it, near items and between them.
std::vector<QPoint> Path(const TToolbar& toolbar)
{
    std::vector<QPoint> points;
    for (int i = 0; i < 64; ++i)
        points.push_back(toolbar.mapToGlobal(QPoint(7 + 17 * i, -20 + (i * 7) % 180)));
    return points;
}

void Run(benchmark::State& state, bool placedItem)
{
    TBench bench;
    TToolbar& toolbar = *bench.Toolbar;
    const std::vector<QPoint> path = Path(toolbar);
    QWidget* control = placedItem ? toolbar.PlacedControls()[55] : nullptr;
    toolbar.BeginDrag(control, placedItem ? 2 : 3, placedItem ? QPoint(5, 7) : QPoint(-1, -1),
                      path.front());
    // Beginning the drag of a placed item repaints once, on purpose.
    QCoreApplication::processEvents();
    bench.Counter.Paints = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        toolbar.MoveDrag(path[i]);
        i = (i + 1) % path.size();
    }
    benchmark::DoNotOptimize(toolbar.DragImage()->pos());
    QCoreApplication::processEvents();
    state.counters["toolbar_paints"] = bench.Counter.Paints;
    toolbar.CancelDrag();
    state.counters["placed"] = static_cast<double>(toolbar.PlacedItems().size());
}

void BM_MoveNewItem(benchmark::State& state)
{
    Run(state, false);
}

void BM_MovePlacedItem(benchmark::State& state)
{
    Run(state, true);
}

BENCHMARK(BM_MoveNewItem)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MovePlacedItem)->Unit(benchmark::kMicrosecond);

} // namespace
