// The toolbar with 200 placed items (Google Benchmark, offscreen unless
// QT_QPA_PLATFORM says otherwise): laying them out and painting the toolbar,
// and one step of a drag (snapping and moving the drag image).

#include "platform/TProgramResources.h"
#include "toolbar/TToolbar.h"
#include "toolbar/ToolbarGeometry.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace {

using namespace mecovnik;

constexpr int kItems = 200;

// 200 items in rows of 25: a separator after every ninth button.
std::vector<TToolbarLayoutItem> Records()
{
    std::vector<TToolbarLayoutItem> records;
    for (int i = 0; i < kItems; ++i) {
        if (i > 0 && i % 25 == 0)
            records.push_back({tbNewLine, -1, -1, -1, -1});
        const std::int32_t id = i % 10 == 9 ? tbSeparator : 1 + i % 9;
        records.push_back({id, -1, -1, -1, 0});
    }
    return records;
}

// The program's resources, made once as the program's start makes them.
const TProgramResources& Resources()
{
    static const TProgramResources resources;
    return resources;
}

std::unique_ptr<TToolbar> MakeToolbar()
{
    auto toolbar = std::make_unique<TToolbar>(Resources());
    toolbar->ResButtons = QStringLiteral("toolbar/buttons");
    toolbar->ResInitial = QStringLiteral("toolbar/initial");
    toolbar->ResAdjust = QStringLiteral("toolbar/adjust");
    toolbar->ResImagesName = QStringLiteral("#%d");
    toolbar->ResImagesStart = 2048;
    toolbar->ResHintsStart = 2048;
    toolbar->ResStringsStart = 2016;
    toolbar->setGeometry(0, 0, 720, 240);
    toolbar->show();
    toolbar->Loaded();
    return toolbar;
}

// What the main window's toolbar costs at start: reading the glyphs, strings
// and tables, and placing the initial layout.
void BM_ProgramToolbarAtStart(benchmark::State& state)
{
    for (auto _ : state) {
        auto toolbar = MakeToolbar();
        benchmark::DoNotOptimize(toolbar.get());
    }
}
BENCHMARK(BM_ProgramToolbarAtStart)->Unit(benchmark::kMicrosecond);

void BM_LayoutAndPaint200(benchmark::State& state)
{
    const auto records = Records();
    auto toolbar = MakeToolbar();
    QPixmap target(toolbar->size());
    for (auto _ : state) {
        toolbar->Clear();
        toolbar->SetLayout(records);
        // What the event loop does next: deliver the posted events, paint.
        QCoreApplication::sendPostedEvents();
        toolbar->render(&target);
        benchmark::DoNotOptimize(target.cacheKey());
    }
    if (toolbar->PlacedControls().size() != kItems)
        state.SkipWithError("not every item was placed");
}
BENCHMARK(BM_LayoutAndPaint200)->Unit(benchmark::kMillisecond);

void BM_PaintOnly200(benchmark::State& state)
{
    auto toolbar = MakeToolbar();
    toolbar->Clear();
    toolbar->SetLayout(Records());
    QPixmap target(toolbar->size());
    for (auto _ : state) {
        toolbar->render(&target);
        benchmark::DoNotOptimize(target.cacheKey());
    }
}
BENCHMARK(BM_PaintOnly200)->Unit(benchmark::kMillisecond);

void BM_DragMoveStep200(benchmark::State& state)
{
    auto toolbar = MakeToolbar();
    toolbar->Clear();
    toolbar->SetLayout(Records());
    toolbar->SetAdjusting(true);
    toolbar->BeginDrag(nullptr, 5, QPoint(-1, -1), toolbar->mapToGlobal(QPoint(300, 100)));
    int step = 0;
    for (auto _ : state) {
        const QPoint at(20 + (step * 7) % 650, 10 + (step * 3) % 200);
        toolbar->MoveDrag(toolbar->mapToGlobal(at));
        ++step;
    }
    toolbar->EndDrag(toolbar->mapToGlobal(QPoint(300, 100)));
}
BENCHMARK(BM_DragMoveStep200)->Unit(benchmark::kMicrosecond);

void BM_SnapOnly200(benchmark::State& state)
{
    const auto placed = PlaceLayout(Records(), 240, [](std::int32_t) { return true; });
    int step = 0;
    for (auto _ : state) {
        const TPoint corner{(step * 7) % 650, (step * 3) % 200};
        benchmark::DoNotOptimize(SnapItemCorner(corner, false, placed, std::nullopt, 240));
        ++step;
    }
}
BENCHMARK(BM_SnapOnly200)->Unit(benchmark::kMicrosecond);

} // namespace
