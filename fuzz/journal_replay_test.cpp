// Feeds every seed of the journal reader's fuzz corpus to the fuzz target, so
// that the normal suite catches a reader that crashes on one of them, and
// checks what the reader makes of the seeds that say what they are.

#include "history/FightJournalFormat.h"
#include "roster/TNameOrder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using mecovnik::TJournalReading;
using TStatus = TJournalReading::TStatus;

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(JournalReaderFuzzCorpus, EverySeedReadsWithoutACrashAndAsItsNameSays)
{
    // Seeds named for what they hold: status, and whether a torn tail was left out.
    const std::map<std::string, std::pair<TStatus, bool>> expected = {
        {"empty.journal", {TStatus::NoFight, false}},
        {"header-only.journal", {TStatus::NoFight, false}},
        {"header-cut.journal", {TStatus::NoFight, true}},
        {"snapshot.journal", {TStatus::Fight, false}},
        {"three-records.journal", {TStatus::Fight, false}},
        {"torn-in-head.journal", {TStatus::Fight, true}},
        {"torn-in-body.journal", {TStatus::Fight, true}},
        {"torn-in-end.journal", {TStatus::Fight, true}},
        {"torn-no-newline.journal", {TStatus::Fight, true}},
        {"garbled-last-crc.journal", {TStatus::Fight, true}},
        {"zeros-tail.journal", {TStatus::Fight, true}},
        {"escapes.journal", {TStatus::Fight, false}},
        {"many-removes.journal", {TStatus::Fight, false}},
        {"bad-middle-crc.journal", {TStatus::Damaged, false}},
        {"other-version.journal", {TStatus::Damaged, false}},
        {"change-first.journal", {TStatus::Damaged, false}},
        {"sequence-gap.journal", {TStatus::Damaged, false}},
        {"row-out-of-range.journal", {TStatus::Damaged, false}},
        {"removes-descending.journal", {TStatus::Damaged, false}},
        {"number-overflow.journal", {TStatus::Damaged, false}},
        {"equal-names.journal", {TStatus::Damaged, false}},
        {"bad-escape.journal", {TStatus::Damaged, false}},
        {"bad-utf8.journal", {TStatus::Damaged, false}},
        {"selection-out.journal", {TStatus::Damaged, false}},
        {"phase-order.journal", {TStatus::Damaged, false}},
        {"crlf.journal", {TStatus::Damaged, false}},
        {"kinds.journal", {TStatus::Fight, false}},
        {"kinds-merge.journal", {TStatus::Fight, false}},
        {"kind-torn.journal", {TStatus::Fight, true}},
        {"header-version2-cut.journal", {TStatus::NoFight, true}},
        {"kind-zero-in-name.journal", {TStatus::Damaged, false}},
        {"kind-in-version1.journal", {TStatus::Damaged, false}},
        {"ledger.journal", {TStatus::Fight, false}},
        {"ledger-too-many-back.journal", {TStatus::Damaged, false}},
    };
    // Seeds whose kinds say what a reader must make of them.
    const std::map<std::string, std::vector<mecovnik::TKindData>> kinds = {
        {"kinds.journal", {{"Skřet", 3, 2, 150}, {"Vlk", 1, 0, 5}, {"Bazilišek", 4, 1, 10}}},
        {"kinds-merge.journal", {{"Vlk", 9, 9, 9}}},
        {"kind-torn.journal", {{"Vlk", 3, 2, 150}}},
    };
    const mecovnik::TAsciiNameOrder order;
    int seeds = 0;
    int named = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MECOVNIK_FUZZ_CORPUS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = Slurp(entry.path());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
        ++seeds;
        const auto it = expected.find(entry.path().filename().string());
        if (it == expected.end())
            continue; // a find of the fuzzer, kept for the crash it once caused
        ++named;
        const TJournalReading r = mecovnik::ReadJournal(bytes, order);
        EXPECT_EQ(r.Status, it->second.first);
        EXPECT_EQ(r.TornTail, it->second.second);
        if (const auto k = kinds.find(it->first); k != kinds.end()) {
            EXPECT_EQ(r.Fight.Kinds, k->second);
        }
        // The ledger seed: two rows, a wound taken back, a hand-over appended.
        if (it->first == "ledger.journal") {
            EXPECT_TRUE(mecovnik::LedgerAgrees(r.Ledger, r.Fight.Rosters[mecovnik::kPostavy]));
            EXPECT_EQ(r.Ledger.Count(), 2u);
        }
    }
    EXPECT_EQ(named, static_cast<int>(expected.size()));
    EXPECT_GE(seeds, 20);
}

} // namespace
