#include "toolbar/TToolbarSeparator.h"

#include <QMouseEvent>
#include <QPainter>

namespace mecovnik {

TToolbarSeparator::TToolbarSeparator(QWidget* toolbar) : QWidget(toolbar) {}

void TToolbarSeparator::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(0, 0, 1, height(), palette().color(QPalette::Dark));
    p.fillRect(1, 0, 1, height(), palette().color(QPalette::Light));
}

void TToolbarSeparator::mousePressEvent(QMouseEvent* event)
{
    if (m_arranging && event->button() == Qt::LeftButton)
        emit Happened(TToolbarItemEvent::DragStart, event->position().toPoint(),
                      event->globalPosition().toPoint());
    else
        event->ignore();
}

void TToolbarSeparator::mouseMoveEvent(QMouseEvent* event)
{
    if (m_arranging)
        emit Happened(TToolbarItemEvent::DragMove, {}, event->globalPosition().toPoint());
}

void TToolbarSeparator::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_arranging && event->button() == Qt::LeftButton)
        emit Happened(TToolbarItemEvent::DragRelease, {}, event->globalPosition().toPoint());
}

} // namespace mecovnik
