// The fight file's reader under fuzzing: it must never crash, hang or read
// past its input; a refusal gives nothing but its reason; a fight it accepts
// keeps every value within its range, no two names of a roster alike and its
// selections on rows it has, and survives being written and read again
// unchanged.

#include "history/FightFile.h"
#include "roster/TNameOrder.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace {

using namespace mecovnik;

bool Within(std::int32_t value, std::int64_t lo, std::int64_t hi)
{
    return value >= lo && value <= hi;
}

// The ranges of docs/fight-file.md.
bool InRange(TRosterSide side, const TRecordNumbers& n)
{
    if (side == kPostavy)
        return Within(n[0], 0, 512) && Within(n[1], 1, 512) && Within(n[2], 1, 512) &&
               Within(n[3], 0, std::numeric_limits<std::int32_t>::max()) && Within(n[4], 0, n[3]) &&
               n[5] == 0;
    return Within(n[1], 1, 4096) && Within(n[0], 0, n[1]) && Within(n[2], 0, n[1] - 1) &&
           Within(n[3], 1, 30000) && Within(n[4], 1, 512) && Within(n[5], 0, 4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TAsciiNameOrder order;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TFightFileReading reading = ReadFightFile(bytes, order);
    if (reading.Error != TFightFileError::None) {
        if (!(reading.File == TFightFile{}) || reading.Clamped != 0)
            __builtin_trap();
        return 0;
    }
    const TFightData& fight = reading.File.Fight;
    for (int side = 0; side < kRosterSides; ++side) {
        const auto s = static_cast<std::size_t>(side);
        std::set<std::string> keys; // equal in this order means equal folded
        for (const TRecordData& row : fight.Rosters[s])
            if (!InRange(static_cast<TRosterSide>(side), row.Numbers) ||
                !keys.insert(order.FoldKey(row.Name)).second)
                __builtin_trap();
        const int selected = fight.Selection.Rows[s];
        if (selected < -1 || selected >= static_cast<int>(fight.Rosters[s].size()))
            __builtin_trap();
    }

    // Small inputs never come near the limits, so they are written whole.
    const std::optional<std::string> text = FormatFightFile(reading.File);
    if (!text)
        __builtin_trap();
    const TFightFileReading again = ReadFightFile(*text, order);
    if (again.Error != TFightFileError::None || again.Clamped != 0 ||
        !(again.File == reading.File) || FormatFightFile(again.File) != text)
        __builtin_trap();
    return 0;
}
