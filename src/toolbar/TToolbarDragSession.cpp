#include "toolbar/TToolbarDragSession.h"

#include "toolbar/TDragImage.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarAdjustDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace mecovnik {

TToolbarDragSession::TToolbarDragSession(QWidget& toolbar,
                                         std::function<std::vector<TToolbarLayoutItem>()> items)
    : m_toolbar(toolbar), m_items(std::move(items))
{
}

TToolbarDragSession::~TToolbarDragSession()
{
    // The toolbar cancels its drag while it is still whole; this only lets go
    // of what a drag holds.
    if (Dragging()) {
        m_drag.Cancel();
        Finish();
    }
}

TPoint TToolbarDragSession::Local(QPoint globalPos) const
{
    const QPoint local = m_toolbar.mapFromGlobal(globalPos);
    return {local.x(), local.y()};
}

void TToolbarDragSession::ShowPictureAt(TPoint shown)
{
    const TPoint hot = m_drag.HotSpot();
    if (m_image)
        m_image->MoveTo(m_toolbar.mapToGlobal(QPoint(shown.X - hot.X, shown.Y - hot.Y)));
}

void TToolbarDragSession::Begin(QWidget* control, std::optional<std::size_t> index, int id,
                                QPoint hotSpot, QPoint globalPos, const QPixmap& picture)
{
    // One drag at a time; a second press while one runs is not a new drag.
    if (Dragging())
        return;
    m_control = control;
    if (control) {
        control->hide();
        m_toolbar.repaint();
        // The hidden item no longer gets the pointer: the toolbar takes it,
        // moves without a button too, which tell that the release was lost.
        m_trackedBefore = m_toolbar.hasMouseTracking();
        m_toolbar.setMouseTracking(true);
        m_toolbar.grabMouse();
    }
    qApp->installEventFilter(this);
    const TPoint shown = m_drag.Begin(index, id, {hotSpot.x(), hotSpot.y()},
                                      {qRound(picture.deviceIndependentSize().width()),
                                       qRound(picture.deviceIndependentSize().height())},
                                      Local(globalPos), m_items(), m_toolbar.height());
    m_image = std::make_unique<TDragImage>(picture);
    ShowPictureAt(shown);
}

void TToolbarDragSession::Move(QPoint globalPos)
{
    if (!Dragging())
        return;
    ShowPictureAt(m_drag.Move(Local(globalPos), m_items(), m_toolbar.height()));
}

void TToolbarDragSession::End(QPoint globalPos)
{
    if (!Dragging())
        return;
    const TPoint corner = m_drag.End(Local(globalPos), m_items(), m_toolbar.height());
    Finish();
    const QPoint at(corner.X, corner.Y);
    QWidget* under = QApplication::widgetAt(m_toolbar.mapToGlobal(at));
    const bool onToolbar = under && (under == &m_toolbar || under->parentWidget() == &m_toolbar);
    QWidget* control = m_control.data();
    m_control = nullptr;
    emit Dropped(control, m_drag.Id(), at, onToolbar);
}

void TToolbarDragSession::Cancel()
{
    if (!Dragging())
        return;
    m_drag.Cancel();
    Finish();
    if (QWidget* control = m_control.data())
        control->show();
    m_control = nullptr;
    m_toolbar.repaint();
}

void TToolbarDragSession::Finish()
{
    m_image.reset();
    qApp->removeEventFilter(this);
    if (QWidget::mouseGrabber() == &m_toolbar) {
        m_toolbar.releaseMouse();
        m_toolbar.setMouseTracking(m_trackedBefore);
    }
}

bool TToolbarDragSession::eventFilter(QObject* watched, QEvent* event)
{
    if (!Dragging())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        // The toolbar holds the pointer while a placed item is dragged.
        if (watched != &m_toolbar || QWidget::mouseGrabber() != &m_toolbar)
            break;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        if (event->type() == QEvent::MouseMove) {
            // A move without the left button: its release went elsewhere.
            if (!(mouse->buttons() & Qt::LeftButton))
                Cancel();
            else
                Move(global);
            return true;
        }
        if (mouse->button() != Qt::LeftButton)
            break;
        End(global);
        return true;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        break;
    case QEvent::ApplicationDeactivate:
        Cancel();
        break;
    case QEvent::WindowActivate:
    case QEvent::Show: {
        // Another window of the program comes up (a message, a menu): it takes
        // the mouse, and the release would never come here.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow() || widget == m_toolbar.window() ||
            qobject_cast<TToolbarAdjustDialog*>(widget) || qobject_cast<TDragImage*>(widget) ||
            widget->windowType() == Qt::ToolTip)
            break;
        if (event->type() == QEvent::WindowActivate || widget->windowType() == Qt::Popup)
            Cancel();
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace mecovnik
