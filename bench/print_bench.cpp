// The fight's pages as a PDF through the print module, with a ledger of
// 10,000 rows: building the report's cells in the core, and laying out and
// writing the pages in the module.

#include "history/FightReport.h"
#include "platform/TPrintModule.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace mecovnik {
namespace {

constexpr int kRows = 10'000;

TExperienceLedger BigLedger()
{
    TExperienceLedger ledger;
    std::vector<TLedgerRow> rows;
    std::int32_t earned = 0;
    for (int i = 0; i < kRows; ++i) {
        TLedgerRow row;
        row.Time = 1'714'590'000 + i;
        row.Character = "Postava č. " + std::to_string(i % 6);
        row.Event = TLedgerEvent::Wound;
        row.Monster = "Skřet [" + std::to_string(i % 50 + 1) + "]";
        row.LivesTaken = 5;
        row.LivesBefore = 17;
        row.EarnedChange = row.UnassignedChange = 44;
        earned += 44;
        row.Earned = row.Unassigned = earned;
        rows.push_back(row);
    }
    ledger.Append(std::move(rows));
    return ledger;
}

TFightData SmallFight()
{
    TFightData fight;
    for (int i = 0; i < 6; ++i)
        fight.Rosters[kPostavy].push_back(
            {"Postava č. " + std::to_string(i), {9, 12, 2, 440, 0, 0}});
    for (int i = 0; i < 50; ++i)
        fight.Rosters[kNestvury].push_back(
            {"Skřet [" + std::to_string(i + 1) + "]", {0, 17, 3, 150, 4, 2}});
    return fight;
}

std::unique_ptr<TPrintModule> Module()
{
    QString reason;
    auto module = LoadPrintModule(QStringLiteral(MECOVNIK_PRINT_MODULE), reason);
    if (!module) {
        std::fprintf(stderr, "the print module: %s\n", qUtf8Printable(reason));
        std::exit(1);
    }
    return module;
}

void BM_ReportOfLedger10000(benchmark::State& state)
{
    const TExperienceLedger ledger = BigLedger();
    const TFightData fight = SmallFight();
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeFightReport("boj.souboj", "1. 5. 2024", fight, ledger,
                                                 [](std::int64_t t) { return LocalTimeText(t); }));
}
BENCHMARK(BM_ReportOfLedger10000)->Unit(benchmark::kMillisecond);

void BM_PdfOfLedger10000(benchmark::State& state)
{
    const auto module = Module();
    const TFightReport report =
        MakeFightReport("boj.souboj", "1. 5. 2024", SmallFight(), BigLedger(),
                        [](std::int64_t t) { return LocalTimeText(t); });
    for (auto _ : state) {
        const QByteArray pdf = module->Pdf(report);
        if (pdf.isEmpty())
            state.SkipWithError("no PDF");
        state.counters["KiB"] = static_cast<double>(pdf.size()) / 1024;
    }
}
BENCHMARK(BM_PdfOfLedger10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace mecovnik
