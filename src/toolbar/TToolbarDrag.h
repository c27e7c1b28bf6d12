#pragma once

#include "toolbar/ToolbarGeometry.h"

#include <optional>

namespace mecovnik {

// The toolbar's drag of one item, in toolbar coordinates: the item, the hot
// spot inside its picture, and the last snapped pointer position. Windows turn
// screen points into toolbar ones and back.
class TToolbarDrag final
{
public:
    // Starts a drag of the placed item at index placedIndex (none: a new item
    // of id from the customisation list). The hot spot is the press point when
    // both of its coordinates are 0 or more, else the centre of a picture of
    // pictureSize. Returns the snapped pointer position.
    TPoint Begin(std::optional<std::size_t> placedIndex, std::int32_t id, TPoint pressPoint,
                 TPoint pictureSize, TPoint pointer, std::span<const TToolbarLayoutItem> placed,
                 std::int32_t toolbarHeight);
    // Moves the drag; returns the snapped pointer position.
    TPoint Move(TPoint pointer, std::span<const TToolbarLayoutItem> placed,
                std::int32_t toolbarHeight);
    // Ends the drag; returns the item's snapped top-left corner.
    TPoint End(TPoint pointer, std::span<const TToolbarLayoutItem> placed,
               std::int32_t toolbarHeight);

    // Ends the drag without a drop.
    void Cancel() { m_dragging = false; }

    [[nodiscard]] bool Dragging() const { return m_dragging; }
    [[nodiscard]] std::int32_t Id() const { return m_id; }
    [[nodiscard]] std::optional<std::size_t> PlacedIndex() const { return m_placedIndex; }
    [[nodiscard]] TPoint HotSpot() const { return m_hotSpot; }
    [[nodiscard]] TPoint LastPoint() const { return m_last; }
    // The index of the dragged item moved because an earlier item was removed.
    void SetPlacedIndex(std::optional<std::size_t> index) { m_placedIndex = index; }

private:
    [[nodiscard]] TPoint Snap(TPoint pointer, std::span<const TToolbarLayoutItem> placed,
                              std::int32_t toolbarHeight) const;

    bool m_dragging = false;
    std::int32_t m_id = 0;
    std::optional<std::size_t> m_placedIndex;
    TPoint m_hotSpot;
    TPoint m_last;
};

} // namespace mecovnik
