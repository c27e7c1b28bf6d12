#include "components/ScreenCursor.h"

#include <QGuiApplication>

namespace mecovnik {

// The override cursor stack of Qt remembers the previous cursor for us.
ScreenCursor::ScreenCursor(Qt::CursorShape shape) : m_active(true)
{
    QGuiApplication::setOverrideCursor(QCursor(shape));
}

ScreenCursor::~ScreenCursor()
{
    Restore();
}

void ScreenCursor::Restore()
{
    if (!m_active)
        return;
    m_active = false;
    QGuiApplication::restoreOverrideCursor();
}

} // namespace mecovnik
