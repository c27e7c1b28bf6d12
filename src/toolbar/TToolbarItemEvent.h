#pragma once

namespace mecovnik {

// What happened to an item of a toolbar, as the item tells the toolbar. The
// drag steps come while the toolbar is arranged, in place of clicks.
enum class TToolbarItemEvent
{
    Click,
    DblClick,
    DragStart,
    DragMove,
    DragRelease,
};

} // namespace mecovnik
