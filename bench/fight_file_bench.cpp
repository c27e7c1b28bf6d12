// Writing and reading a fight file of 10,000 monsters and a few characters:
// the text made from the fight, the fight read back from the text (each under
// 100 ms; saving and opening add only the file's bytes on disk), and adding
// such a file to a roster that already holds it (every name numbered).
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

constexpr int kMonsters = 10000;
constexpr int kCharacters = 6;

TFightFile BigFight()
{
    std::mt19937 random(10000);
    TFightFile f;
    for (int i = 0; i < kCharacters; ++i)
        f.Fight.Rosters[kPostavy].push_back(
            {"Postava " + std::to_string(i), {40, 50, 5, 1000 + i, 100, 0}});
    const char* kinds[] = {"Skřet", "Vlk", "Obří pavouk", "Troll", "Kostlivec"};
    for (int i = 0; i < kMonsters; ++i) {
        const int maxLives = 1 + static_cast<int>(random() % 4096);
        std::string name = kinds[i % 5];
        if (i >= 5)
            name += " [" + std::to_string(i / 5) + "]";
        f.Fight.Rosters[kNestvury].push_back(
            {std::move(name),
             {maxLives / 2, maxLives, maxLives / 8, 1 + static_cast<int>(random() % 30000),
              1 + static_cast<int>(random() % 512), static_cast<int>(random() % 5)}});
    }
    // As a roster holds them: sorted by name.
    const TAsciiNameOrder order;
    for (auto& rows : f.Fight.Rosters)
        std::sort(rows.begin(), rows.end(), [&order](const TRecordData& a, const TRecordData& b) {
            return order.Compare(a.Name, b.Name) < 0;
        });
    f.Fight.Selection = {{2, 5000}};
    return f;
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
