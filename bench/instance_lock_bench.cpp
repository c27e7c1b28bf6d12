// What the single-instance guard adds to a start: the check of a first copy
// (lock taken, socket bound) and its release, and a request reaching a holder.
#include "components/TInstanceLock.h"
#include "components/TRunOnlyOnce.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QString kName = QStringLiteral("Mečovník pro Hradomor");

void BM_FirstCopyCheck(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        mecovnik::TRunOnlyOnce guard;
        guard.SetDirectory(dir.path());
        guard.SetMessageString(kName);
        guard.Loaded();
        benchmark::DoNotOptimize(guard.IsSecondCopy());
    }
}
BENCHMARK(BM_FirstCopyCheck);

void BM_SecondCopyCheck(benchmark::State& state)
{
    QTemporaryDir dir;
    mecovnik::TRunOnlyOnce first;
    first.SetDirectory(dir.path());
    first.SetMessageString(kName);
    first.Loaded();
    for (auto _ : state) {
        mecovnik::TRunOnlyOnce guard;
        guard.SetDirectory(dir.path());
        guard.SetMessageString(kName);
        guard.Loaded();
        if (!guard.IsSecondCopy())
            state.SkipWithError("not a second copy");
        // Drain the requests so the holder's queue never fills.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SecondCopyCheck);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
