#include "app/TDocumentArea.h"

#include <QLayout>
#include <QMdiSubWindow>
#include <QStyle>

namespace mecovnik {

TDocumentArea::TDocumentArea(QWidget* parent) : QMdiArea(parent) {}

QRect TDocumentArea::ArrangeRect()
{
    // A toolbar just hidden or a window just resized changes this area only
    // when the layouts above it run; run them now, outermost first.
    QList<QLayout*> layouts;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (QLayout* layout = w->layout())
            layouts.prepend(layout);
        if (w->isWindow())
            break;
    }
    for (QLayout* layout : layouts)
        layout->activate();
    // Arranged windows fit, so the scroll bars that show now will go.
    return {QPoint(0, 0), maximumViewportSize()};
}

void TDocumentArea::Tile(TTileMode mode)
{
    // The active window comes first, as the system tiles.
    QList<QMdiSubWindow*> windows;
    bool anyMinimised = false;
    const auto stack = subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if ((*it)->isMinimized())
            anyMinimised = true;
        else if ((*it)->isVisible())
            windows.append(*it);
    }
    m_tiling = true;
    const QRect area = ArrangeRect();
    int height = area.height();
    // Leave the bottom row to the icons of minimised windows.
    if (anyMinimised)
        height = std::max(height - QMdiSubWindow().minimumSizeHint().height(), 0);
    const auto rects = TileRects({area.left(), area.top(), area.width(), height},
                                 static_cast<int>(windows.size()), mode);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TRect& r = rects[static_cast<std::size_t>(i)];
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(r.Left, r.Top, r.Width, r.Height);
    }
    m_tiling = false;
    m_tileMode = mode;
    m_tiled.clear();
    for (QMdiSubWindow* w : windows)
        m_tiled.emplace_back(w, w->geometry());
}

void TDocumentArea::Cascade()
{
    m_tileMode.reset();
    // The window at the front (the active one) comes last, with the largest offset.
    QList<QMdiSubWindow*> windows;
    int step = 0;
    for (QMdiSubWindow* w : subWindowList(QMdiArea::StackingOrder)) {
        if (w->isMinimized() || !w->isVisible())
            continue;
        windows.append(w);
        // The frame above the contents: the title bar with its border.
        if (w->widget())
            step = std::max(step, w->widget()->geometry().top());
    }
    if (step <= 0)
        step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect area = ArrangeRect();
    const auto rects = CascadeRects({area.left(), area.top(), area.width(), area.height()},
                                    static_cast<int>(windows.size()), step);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TRect& r = rects[static_cast<std::size_t>(i)];
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(r.Left, r.Top, r.Width, r.Height);
        windows[i]->raise();
    }
}

void TDocumentArea::ArrangeIcons()
{
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* w : subWindowList(QMdiArea::CreationOrder))
        if (w->isMinimized())
            icons.append(w);
    if (icons.isEmpty())
        return;
    const QSize iconSize = icons.front()->size();
    const QRect area = ArrangeRect();
    const auto rects =
        IconRects({area.left(), area.top(), area.width(), area.height()}, iconSize.width(),
                  iconSize.height(), static_cast<int>(icons.size()));
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(rects[static_cast<std::size_t>(i)].Left,
                       rects[static_cast<std::size_t>(i)].Top);
}

std::optional<TTileMode> TDocumentArea::TiledMode() const
{
    return StillTiled() ? m_tileMode : std::nullopt;
}

bool TDocumentArea::StillTiled() const
{
    if (!m_tileMode)
        return false;
    // Every tiled window where the tiling put it, and no other window shown.
    int shown = 0;
    for (QMdiSubWindow* w : subWindowList())
        shown += w->isVisible() && !w->isMinimized();
    if (shown != static_cast<int>(m_tiled.size()))
        return false;
    for (const auto& [window, rect] : m_tiled) {
        if (!window || !window->isVisible() || window->isMinimized() || window->isMaximized() ||
            window->geometry() != rect)
            return false;
    }
    return true;
}

void TDocumentArea::resizeEvent(QResizeEvent* event)
{
    QMdiArea::resizeEvent(event);
    if (!m_tiling && StillTiled())
        Tile(*m_tileMode);
}

} // namespace mecovnik
