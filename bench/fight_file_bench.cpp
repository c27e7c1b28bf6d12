// Writing and reading a fight file of 10,000 monsters and a few characters:
// the text made from the fight, the fight read back from the text (each under
// 100 ms; saving and opening add only the file's bytes on disk), and adding
// such a file to a roster that already holds it (every name numbered).
#include "BigFight.h"
#include "history/FightFile.h"
#include "history/FightFileRules.h"
#include "roster/TNameOrder.h"
#include "roster/TRosterList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

using namespace mecovnik;

namespace {

// As a roster holds them: sorted by name.
TFightFile BigFight()
{
    const TAsciiNameOrder order;
    return bench::BigFight(order);
}

void BM_FormatFightFile(benchmark::State& state)
{
    const TFightFile fight = BigFight();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<std::string> text = FormatFightFile(fight);
        bytes = text ? text->size() : 0;
        benchmark::DoNotOptimize(text);
    }
    state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_FormatFightFile)->Unit(benchmark::kMillisecond);

void BM_ReadFightFile(benchmark::State& state)
{
    const std::string text = FormatFightFile(BigFight()).value_or(std::string());
    const TAsciiNameOrder order;
    for (auto _ : state) {
        const TFightFileReading r = ReadFightFile(text, order);
        if (r.Error != TFightFileError::None)
            state.SkipWithError("the file did not read");
        benchmark::DoNotOptimize(r.File.Fight.Rosters[kNestvury].data());
    }
}
BENCHMARK(BM_ReadFightFile)->Unit(benchmark::kMillisecond);

// Opening puts the read fight into the rosters.
void BM_ReplaceFight(benchmark::State& state)
{
    const TFightFile fight = BigFight();
    const TAsciiNameOrder order;
    TRosterList postavy(order);
    TRosterList nestvury(order);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplaceFight(postavy, nestvury, fight.Fight));
}
BENCHMARK(BM_ReplaceFight)->Unit(benchmark::kMillisecond);

// The file added to a roster that holds its fight already: every character
// skipped, every monster numbered.
void BM_AddFightFromFile(benchmark::State& state)
{
    const TFightFile fight = BigFight();
    const TAsciiNameOrder order;
    TRosterList postavy(order);
    TRosterList nestvury(order);
    for (auto _ : state) {
        state.PauseTiming();
        (void)ReplaceFight(postavy, nestvury, fight.Fight);
        state.ResumeTiming();
        const TAddedFromFile added = AddFightFromFile(postavy, nestvury, fight.Fight);
        benchmark::DoNotOptimize(added.Added[kNestvury].data());
    }
}
BENCHMARK(BM_AddFightFromFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
