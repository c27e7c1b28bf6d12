#pragma once

#include "app/WindowTiling.h"

#include <QMdiArea>
#include <QPointer>

#include <optional>
#include <utility>
#include <vector>

namespace mecovnik {

// The main window's document area. It arranges its document windows over the
// whole area, as it stands once pending layout has been done and without the
// room of scroll bars that the arrangement makes unnecessary. While the
// windows stay as a tiling left them, they follow the area's size (a resized
// main window, a toolbar shown or hidden), so tiled rosters always fill it;
// scroll bars show only when a window really lies outside.
class TDocumentArea final : public QMdiArea
{
    Q_OBJECT

public:
    explicit TDocumentArea(QWidget* parent = nullptr);

    // The rectangle the windows are arranged in, in viewport coordinates.
    [[nodiscard]] QRect ArrangeRect();

    // Tiles the visible, not minimised windows, the active one first; a row
    // at the bottom is left to the icons of minimised windows.
    void Tile(TTileMode mode);
    // Cascades them, the active one in front with the largest offset.
    void Cascade();
    // Puts the icons of minimised windows along the bottom edge.
    void ArrangeIcons();

    // The mode of the tiling the windows still stand in, if any.
    [[nodiscard]] std::optional<TTileMode> TiledMode() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] bool StillTiled() const;

    std::optional<TTileMode> m_tileMode;
    std::vector<std::pair<QPointer<QMdiSubWindow>, QRect>> m_tiled;
    bool m_tiling = false;
};

} // namespace mecovnik
