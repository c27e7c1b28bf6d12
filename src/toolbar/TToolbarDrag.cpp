#include "toolbar/TToolbarDrag.h"

namespace mecovnik {

TPoint TToolbarDrag::Begin(std::optional<std::size_t> placedIndex, std::int32_t id,
                           TPoint pressPoint, TPoint pictureSize, TPoint pointer,
                           std::span<const TToolbarLayoutItem> placed, std::int32_t toolbarHeight)
{
    m_placedIndex = placedIndex;
    m_id = id;
    m_hotSpot = pressPoint.X >= 0 && pressPoint.Y >= 0
                    ? pressPoint
                    : TPoint{pictureSize.X / 2, pictureSize.Y / 2};
    m_last = Snap(pointer, placed, toolbarHeight);
    m_dragging = true;
    return m_last;
}

TPoint TToolbarDrag::Move(TPoint pointer, std::span<const TToolbarLayoutItem> placed,
                          std::int32_t toolbarHeight)
{
    m_last = Snap(pointer, placed, toolbarHeight);
    return m_last;
}

TPoint TToolbarDrag::End(TPoint pointer, std::span<const TToolbarLayoutItem> placed,
                         std::int32_t toolbarHeight)
{
    m_last = Snap(pointer, placed, toolbarHeight);
    m_dragging = false;
    return {m_last.X - m_hotSpot.X, m_last.Y - m_hotSpot.Y};
}

TPoint TToolbarDrag::Snap(TPoint pointer, std::span<const TToolbarLayoutItem> placed,
                          std::int32_t toolbarHeight) const
{
    const TPoint corner{pointer.X - m_hotSpot.X, pointer.Y - m_hotSpot.Y};
    const TPoint snapped =
        SnapItemCorner(corner, m_id == tbSeparator, placed, m_placedIndex, toolbarHeight);
    return {snapped.X + m_hotSpot.X, snapped.Y + m_hotSpot.Y};
}

} // namespace mecovnik
