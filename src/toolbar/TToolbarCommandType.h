#pragma once

namespace mecovnik {

// How a toolbar button was used.
enum TToolbarCommandType
{
    ctClick = 0,
    ctDblClick = 1,
};

} // namespace mecovnik
