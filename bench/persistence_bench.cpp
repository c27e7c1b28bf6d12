// Saving and loading the settings with 10,000 monster kinds, through a file in
// memory that counts its writes. Each should take under 100 ms, and a save
// should write the file once ("writes" per iteration is 1).
#include "persistence/TRegistryFile.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

using namespace mecovnik;

namespace {

constexpr int kKinds = 10000;

class TCountingFile final : public TRegistryFile
{
public:
    TReadResult ReadAll() override
    {
        if (!Content)
            return {TReadStatus::Missing, {}};
        return {TReadStatus::Read, *Content};
    }
    bool WriteAll(std::string_view bytes) override
    {
        ++Writes;
        Content = std::string(bytes);
        return true;
    }
    bool KeepBackup() override { return true; }

    std::optional<std::string> Content;
    long Writes = 0;
};

void Fill(TNastaveni& nastaveni)
{
    nastaveni.AutoSave = false;
    nastaveni.MainWindow = {100, 80, 700, 500, 0};
    for (int i = 0; i < kKinds; ++i) {
        auto record = std::make_unique<TNestvura>("Nestvůra č. " + std::to_string(i));
        record->Level = i % 20;
        record->KnockOutRule = i % 5;
        record->KillExperience = 10 * i;
        nastaveni.MonsterPresets.Append(std::move(record));
    }
}

// A save over the file of the previous save, as when the program has loaded
// its settings and saves them again.
void SaveTenThousandKinds(benchmark::State& state)
{
    TCountingFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    Fill(nastaveni);
    if (!nastaveni.Save())
        state.SkipWithError("save failed");
    file.Writes = 0;
    for (auto _ : state)
        if (!nastaveni.Save())
            state.SkipWithError("save failed");
    state.counters["writes"] =
        benchmark::Counter(static_cast<double>(file.Writes), benchmark::Counter::kAvgIterations);
    state.counters["file_bytes"] = static_cast<double>(file.Content ? file.Content->size() : 0);
}
BENCHMARK(SaveTenThousandKinds)->Unit(benchmark::kMillisecond);

void LoadTenThousandKinds(benchmark::State& state)
{
    TCountingFile file;
    {
        TRegistryStore store(file);
        TNastaveni saved(store);
        Fill(saved);
        if (!saved.Save())
            state.SkipWithError("save failed");
    }
    file.Writes = 0;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    for (auto _ : state) {
        if (!nastaveni.Load() || nastaveni.MonsterPresets.Count() != kKinds)
            state.SkipWithError("load failed");
    }
    state.counters["writes"] =
        benchmark::Counter(static_cast<double>(file.Writes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(LoadTenThousandKinds)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
