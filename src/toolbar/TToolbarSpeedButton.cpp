#include "toolbar/TToolbarSpeedButton.h"

#include "toolbar/TToolbar.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStatusTipEvent>

namespace mecovnik {

TToolbarSpeedButton::TToolbarSpeedButton(TToolbar& toolbar, int commandId, int group,
                                         bool allowAllUp)
    : THandleSpeedButton(&toolbar), m_toolbar(toolbar), m_commandId(commandId), m_group(group),
      m_allowAllUp(allowAllUp)
{
}

void TToolbarSpeedButton::Click()
{
    THandleSpeedButton::Click();
    m_toolbar.ButtonClick(this);
}

void TToolbarSpeedButton::DblClick()
{
    THandleSpeedButton::DblClick();
    m_toolbar.ButtonDblClick(this);
}

void TToolbarSpeedButton::MouseDown(QMouseEvent* event)
{
    if (!m_toolbar.Adjusting()) {
        THandleSpeedButton::MouseDown(event);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_toolbar.BeginDrag(this, m_commandId, event->position().toPoint(),
                            event->globalPosition().toPoint());
    }
}

void TToolbarSpeedButton::MouseMove(QMouseEvent* event)
{
    if (m_toolbar.Dragging())
        m_toolbar.MoveDrag(event->globalPosition().toPoint());
    else
        THandleSpeedButton::MouseMove(event);
}

void TToolbarSpeedButton::MouseUp(QMouseEvent* event)
{
    if (m_toolbar.Dragging() && event->button() == Qt::LeftButton) {
        m_toolbar.EndDrag(event->globalPosition().toPoint());
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
