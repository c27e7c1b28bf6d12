#include "toolbar/TBevel.h"

#include <QPainter>

namespace mecovnik {

TBevel::TBevel(QWidget* parent) : QWidget(parent) {}

void TBevel::SetTopLine(bool topLine)
{
    m_topLine = topLine;
    update();
}

void TBevel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const int w = width();
    const int h = height();
    if (m_topLine) {
        p.fillRect(0, 0, w, 1, shadow);
        p.fillRect(0, 1, w, 1, highlight);
        return;
    }
    p.fillRect(0, 0, w, 1, shadow);
    p.fillRect(0, 0, 1, h, shadow);
    p.fillRect(0, h - 1, w, 1, highlight);
    p.fillRect(w - 1, 0, 1, h, highlight);
}

} // namespace mecovnik
