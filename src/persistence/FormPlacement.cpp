#include "persistence/FormPlacement.h"

#include "platform/FrameMargins.h"

#include <QWidget>
#include <QWindow>

namespace mecovnik {

void ApplyFormPlacement(const TFormPlacement& placement, QWidget& form)
{
    if (placement.WindowState == 2) {
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
        return;
    }
    if (placement.Width == -1 || placement.Height == -1)
        return;
    // The stored bounds are the outer ones. Before the first show the window
    // manager is asked for the frame it will add, so the window is framed
    // exactly at the stored bounds and never jumps.
    const QMargins frame = FrameMargins(form);
    form.setGeometry(placement.Left + frame.left(), placement.Top + frame.top(),
                     std::max(placement.Width - frame.left() - frame.right(), 0),
                     std::max(placement.Height - frame.top() - frame.bottom(), 0));
}

void CaptureFormPlacement(TFormPlacement& placement, const QWidget& form)
{
    const QRect bounds = form.frameGeometry();
    placement.Left = bounds.left();
    placement.Top = bounds.top();
    placement.Width = bounds.width();
    placement.Height = bounds.height();
    if (form.isMinimized())
        placement.WindowState = 1;
    else if (form.isMaximized())
        placement.WindowState = 2;
    else
        placement.WindowState = 0;
}

} // namespace mecovnik
