#include "toolbar/TDragImage.h"

#include <QPainter>

namespace mecovnik {

TDragImage::TDragImage(const QPixmap& picture)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      m_picture(picture)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("DragImage"));
    resize(picture.deviceIndependentSize().toSize());
}

void TDragImage::MoveTo(QPoint topLeft)
{
    move(topLeft);
    if (!isVisible())
        show();
}

void TDragImage::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

} // namespace mecovnik
