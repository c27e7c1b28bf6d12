#include "toolbar/TToolbarSeparator.h"

#include "toolbar/TToolbar.h"
#include "toolbar/ToolbarTables.h"

#include <QMouseEvent>
#include <QPainter>

namespace mecovnik {

TToolbarSeparator::TToolbarSeparator(TToolbar& toolbar) : QWidget(&toolbar), m_toolbar(toolbar) {}

void TToolbarSeparator::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(0, 0, 1, height(), palette().color(QPalette::Dark));
    p.fillRect(1, 0, 1, height(), palette().color(QPalette::Light));
}

void TToolbarSeparator::mousePressEvent(QMouseEvent* event)
{
    if (m_toolbar.Adjusting() && event->button() == Qt::LeftButton) {
        m_toolbar.BeginDrag(this, tbSeparator, event->position().toPoint(),
                            event->globalPosition().toPoint());
    } else {
        event->ignore();
    }
}

void TToolbarSeparator::mouseMoveEvent(QMouseEvent* event)
{
    if (m_toolbar.Dragging())
        m_toolbar.MoveDrag(event->globalPosition().toPoint());
}

void TToolbarSeparator::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_toolbar.Dragging() && event->button() == Qt::LeftButton)
        m_toolbar.EndDrag(event->globalPosition().toPoint());
}

} // namespace mecovnik
