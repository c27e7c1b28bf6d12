// The experience ledger and the players' view, core only: the rows a wound
// makes in a fight of 50 characters, the summary, CSV and JSON of 10,000 rows,
// and the players' view of 50 characters and 1,000 monsters as JSON.
#include "history/ExperienceLedger.h"
#include "history/LedgerExport.h"
#include "history/TRosterHistory.h"
#include "playerview/PlayerView.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterList.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <random>

using namespace mecovnik;

namespace {

constexpr int kCharacters = 50;
constexpr int kMonsters = 1000;
constexpr std::size_t kRows = 10'000;

struct TRosters
{
    TAsciiNameOrder Order;
    TRosterList Postavy{Order};
    TRosterList Nestvury{Order};

    TRosters()
    {
        std::mt19937 engine(5);
        for (int i = 0; i < kCharacters; ++i) {
            auto c = std::make_unique<TPostava>("Postava " + std::to_string(i));
            c->Lives = static_cast<std::int32_t>(engine() % 60);
            c->MaxLives = 50;
            c->KnockOut = 5;
            Postavy.Add(std::move(c));
        }
        for (int i = 0; i < kMonsters; ++i) {
            auto m = std::make_unique<TNestvura>("Skřet " + std::to_string(i));
            m->MaxLives = 1 + static_cast<std::int32_t>(engine() % 64);
            m->Lives = static_cast<std::int32_t>(engine() % (m->MaxLives + 1));
            m->KnockOut = m->MaxLives / 8;
            Nestvury.Add(std::move(m));
        }
    }
};

// 10,000 rows over 50 characters: each joins, then wounds, hand-overs and
// special experience follow.
TExperienceLedger BigLedger()
{
    TExperienceLedger ledger;
    std::vector<std::int32_t> earned(kCharacters), unassigned(kCharacters);
    std::mt19937 engine(11);
    std::vector<TLedgerRow> rows;
    for (std::size_t i = 0; i < kRows; ++i) {
        const auto who = static_cast<std::size_t>(i < kCharacters ? i : engine() % kCharacters);
        TLedgerRow row;
        row.Time = 1'714'590'000 + static_cast<std::int64_t>(i) * 7;
        row.Character = "Postava " + std::to_string(who);
        if (i < kCharacters) {
            row.Event = TLedgerEvent::Added;
        } else if (engine() % 4 != 0) {
            row.Event = TLedgerEvent::Wound;
            row.Monster = "Skřet " + std::to_string(engine() % kMonsters);
            row.LivesBefore = 17;
            row.LivesTaken = 5;
            row.EarnedChange = row.UnassignedChange = 44;
        } else {
            row.Event = TLedgerEvent::HandOverAll;
            row.UnassignedChange = -std::int64_t{unassigned[who]};
        }
        earned[who] += static_cast<std::int32_t>(row.EarnedChange);
        unassigned[who] += static_cast<std::int32_t>(row.UnassignedChange);
        row.Earned = earned[who];
        row.Unassigned = unassigned[who];
        rows.push_back(std::move(row));
    }
    ledger.Append(std::move(rows));
    return ledger;
}

// One wound as the program will record it: the characters noted before the
// command, the changed row told by the history, the rows made and appended.
void BM_LedgerRowsOfAWound(benchmark::State& state)
{
    TRosters f;
    TExperienceLedger ledger;
    TFightChange change;
    change.Rosters[kPostavy].Changed = {17};
    auto& c = static_cast<TPostava&>(*f.Postavy.At(17));
    std::int64_t now = 1'714'590'000;
    for (auto _ : state) {
        const std::vector<TRecordData> before = DataOf(f.Postavy);
        c.AddExperience(44);
        const auto changes = CharacterChanges(before, change, f.Postavy);
        ledger.Append(MakeLedgerRows(WoundCommand("Skřet 7", 17, 12), changes, ++now));
        if (ledger.Count() >= 100'000) {
            state.PauseTiming();
            ledger.Clear();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LedgerRowsOfAWound);

void BM_LedgerSummary10k(benchmark::State& state)
{
    const TExperienceLedger ledger = BigLedger();
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger.Summary());
}
BENCHMARK(BM_LedgerSummary10k)->Unit(benchmark::kMicrosecond);

// With the local time of every row, as the export writes it.
void BM_LedgerCsv10k(benchmark::State& state)
{
    const TExperienceLedger ledger = BigLedger();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string csv = LedgerCsv(ledger, [](std::int64_t t) { return LocalTimeText(t); });
        bytes = csv.size();
        benchmark::DoNotOptimize(csv.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_LedgerCsv10k)->Unit(benchmark::kMillisecond);

// Written to text for the fight's file and read back with its checks.
void BM_LedgerJsonRoundTrip10k(benchmark::State& state)
{
    const TExperienceLedger ledger = BigLedger();
    for (auto _ : state) {
        const std::string text =
            LedgerToJson(ledger).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        const TLedgerReading back = LedgerFromJson(nlohmann::json::parse(text));
        if (!back.Ledger)
            state.SkipWithError(back.Error.c_str());
    }
}
BENCHMARK(BM_LedgerJsonRoundTrip10k)->Unit(benchmark::kMillisecond);

// The view taken from the rosters and made JSON, as after every change.
void BM_PlayerViewJson50x1000(benchmark::State& state)
{
    TRosters f;
    std::size_t bytes = 0;
    std::uint64_t version = 0;
    for (auto _ : state) {
        const std::string json = PlayerViewJson(MakePlayerView(f.Postavy, f.Nestvury), ++version);
        bytes = json.size();
        benchmark::DoNotOptimize(json.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlayerViewJson50x1000)->Unit(benchmark::kMicrosecond);

// The feed after a wound: the view taken, compared, and its JSON made anew.
void BM_PlayerViewFeedAfterAWound(benchmark::State& state)
{
    TRosters f;
    TPlayerViewFeed feed;
    auto& m = static_cast<TNestvura&>(*f.Nestvury.At(500));
    m.MaxLives = 3;
    m.KnockOut = 0;
    bool odd = false;
    for (auto _ : state) {
        m.Lives = (odd = !odd) ? 3 : 2; // unhurt and hurt in turn: a change every time
        benchmark::DoNotOptimize(feed.Update(MakePlayerView(f.Postavy, f.Nestvury)));
    }
}
BENCHMARK(BM_PlayerViewFeedAfterAWound)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
