// The experience ledger's JSON reader under fuzzing: it must never crash, and
// refuse with a reason or accept a ledger that survives being written and read
// again unchanged, whose summary and CSV can be made.

#include "history/ExperienceLedger.h"
#include "history/LedgerExport.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using mecovnik::TLedgerReading;
    const nlohmann::json json = nlohmann::json::parse(data, data + size, nullptr, false);
    if (json.is_discarded())
        return 0;
    const TLedgerReading read = mecovnik::LedgerFromJson(json);
    if (!read.Ledger) {
        if (read.Error.empty())
            std::abort();
        return 0;
    }
    const std::string text = mecovnik::LedgerToJson(*read.Ledger)
                                 .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    const TLedgerReading again = mecovnik::LedgerFromJson(nlohmann::json::parse(text));
    if (!again.Ledger || !(*again.Ledger == *read.Ledger))
        std::abort();
    (void)read.Ledger->Summary();
    (void)mecovnik::LedgerCsv(*read.Ledger,
                              [](std::int64_t t) { return mecovnik::CivilTimeText(t, 0); });
    return 0;
}
