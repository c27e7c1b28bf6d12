// Fuzz target for the toolbar's ADJUST reader: any bytes read without a crash,
// a read past the data or an allocation sized by a count; every group read
// fits in the data.

#include "toolbar/ToolbarTables.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mecovnik;
    const std::span<const std::uint8_t> bytes(data, size);
    const auto groups = ReadAdjustTable(
        bytes, 2016, [](std::int32_t n) { return n % 3 == 0 ? std::string() : std::to_string(n); });
    if (!groups)
        std::abort();
    std::size_t words = size >= 4 ? 1 : 0;
    for (const TToolbarGroup& g : *groups) {
        words += 2 + g.Items.size();
        if (g.Name.empty())
            std::abort();
        for (std::int32_t id : g.Items)
            (void)ButtonDisplayName(id, "Tlačítko (x)|");
    }
    if (words * 4 > size)
        std::abort();
    (void)ReadButtonsTable(bytes);
    (void)ReadLayoutRecords(bytes);
    return 0;
}
