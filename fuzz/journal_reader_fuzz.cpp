// The fight journal's reader under fuzzing: it must never crash, hang or read
// past its input, and a fight it accepts (rosters, selections and kinds) must
// survive being written and read again unchanged.

#include "history/FightJournalFormat.h"
#include "roster/TNameOrder.h"
#include "roster/TRosterList.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// An input that starts with '!' gets the checksum of every record put right
// before it is read, so that mutations reach the parsing of records, which a
// wrong checksum would otherwise stop at the door.
std::string WithChecksumsFixed(std::string_view text)
{
    std::string out;
    std::size_t recordStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t eol = text.find('\n', pos);
        const std::size_t stop = eol == std::string_view::npos ? text.size() : eol + 1;
        const std::string_view line = text.substr(pos, stop - pos);
        if (line.starts_with("snapshot ") || line.starts_with("change "))
            recordStart = out.size();
        if (line.starts_with("end ") && recordStart <= out.size()) {
            const std::size_t space = line.find(' ', 4);
            const std::string_view number = line.substr(
                4, space == std::string_view::npos ? std::string_view::npos : space - 4);
            char crc[9];
            std::snprintf(
                crc, sizeof crc, "%08x",
                static_cast<unsigned>(mecovnik::Crc32(std::string_view(out).substr(recordStart))));
            out += "end ";
            out += number;
            out += ' ';
            out += crc;
            if (eol != std::string_view::npos)
                out += '\n';
        } else {
            out += line;
        }
        pos = stop;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mecovnik;
    const TAsciiNameOrder order;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string fixed;
    if (bytes.starts_with('!')) {
        fixed = WithChecksumsFixed(bytes.substr(1));
        bytes = fixed;
    }
    const TJournalReading reading = ReadJournal(bytes, order);
    if (reading.Status != TJournalReading::TStatus::Fight)
        return 0;

    // Written again row by row, the fight reads back as it was.
    TRosterList postavy(order);
    TRosterList nestvury(order);
    for (int side = 0; side < kRosterSides; ++side) {
        TRosterList& list = side == kPostavy ? postavy : nestvury;
        std::vector<std::pair<int, std::unique_ptr<TObjekt>>> rows;
        const auto& records = reading.Fight.Rosters[static_cast<std::size_t>(side)];
        for (std::size_t row = 0; row < records.size(); ++row)
            rows.emplace_back(static_cast<int>(row),
                              MakeRecord(static_cast<TRosterSide>(side), records[row]));
        list.PutRows(std::move(rows));
    }
    const TJournalReading again = ReadJournal(
        FormatJournal(1, postavy, nestvury, reading.Fight.Selection, reading.Fight.Kinds), order);
    if (again.Status != TJournalReading::TStatus::Fight || !(again.Fight == reading.Fight))
        __builtin_trap();
    return 0;
}
