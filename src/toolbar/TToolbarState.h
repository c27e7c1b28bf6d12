#pragma once

#include "toolbar/ToolbarTables.h"

#include <cstdint>
#include <vector>

namespace mecovnik {

// The toolbar as the settings keep it: visibility, tooltips and the placed
// items in creation order.
struct TToolbarState
{
    std::uint8_t Visible = 1;
    std::uint8_t ShowHints = 1;
    std::vector<TToolbarLayoutItem> Records;

    [[nodiscard]] std::int32_t Count() const { return static_cast<std::int32_t>(Records.size()); }
    friend bool operator==(const TToolbarState&, const TToolbarState&) = default;
};

} // namespace mecovnik
