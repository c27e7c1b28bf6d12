#include "toolbar/TToolbarSpeedButton.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStatusTipEvent>

namespace mecovnik {

TToolbarSpeedButton::TToolbarSpeedButton(QWidget* toolbar, int commandId, int group,
                                         bool allowAllUp)
    : THandleSpeedButton(toolbar), m_commandId(commandId), m_group(group), m_allowAllUp(allowAllUp)
{
}

void TToolbarSpeedButton::Click()
{
    THandleSpeedButton::Click();
    emit Happened(TToolbarItemEvent::Click, {}, {});
}

void TToolbarSpeedButton::DblClick()
{
    THandleSpeedButton::DblClick();
    emit Happened(TToolbarItemEvent::DblClick, {}, {});
}

void TToolbarSpeedButton::MouseDown(QMouseEvent* event)
{
    if (!m_arranging) {
        THandleSpeedButton::MouseDown(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        emit Happened(TToolbarItemEvent::DragStart, event->position().toPoint(),
                      event->globalPosition().toPoint());
}

void TToolbarSpeedButton::MouseMove(QMouseEvent* event)
{
    if (m_arranging)
        emit Happened(TToolbarItemEvent::DragMove, {}, event->globalPosition().toPoint());
    else
        THandleSpeedButton::MouseMove(event);
}

void TToolbarSpeedButton::MouseUp(QMouseEvent* event)
{
    if (m_arranging && event->button() == Qt::LeftButton) {
        emit Happened(TToolbarItemEvent::DragRelease, {}, event->globalPosition().toPoint());
        return;
    }
    // A latching button whose definition forbids all-up cannot be released by
    // a click; the toolbar may still release it by program.
    const bool guard = m_group != 0 && !m_allowAllUp;
    if (guard)
        SetAllowAllUp(false);
    THandleSpeedButton::MouseUp(event);
    if (guard)
        SetAllowAllUp(true);
}

bool TToolbarSpeedButton::event(QEvent* event)
{
    // The long hint goes to the status bar through the main window's hint path.
    if (event->type() == QEvent::Enter) {
        QStatusTipEvent tip(m_longHint);
        QCoreApplication::sendEvent(this, &tip);
    } else if (event->type() == QEvent::Leave) {
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(this, &tip);
    }
    return THandleSpeedButton::event(event);
}

} // namespace mecovnik
