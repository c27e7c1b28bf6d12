#include "persistence/FormPlacement.h"

#include <QWidget>

namespace mecovnik {

void ApplyFormPlacement(const TFormPlacement& placement, QWidget& form)
{
    if (placement.WindowState == 2) {
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
        return;
    }
    if (placement.Width == -1 || placement.Height == -1)
        return;
    // The stored bounds are the outer ones; the frame is known once shown.
    const QRect frame = form.frameGeometry();
    const QRect inner = form.geometry();
    const int extraWidth = frame.width() - inner.width();
    const int extraHeight = frame.height() - inner.height();
    form.move(placement.Left, placement.Top);
    form.resize(std::max(placement.Width - extraWidth, 0),
                std::max(placement.Height - extraHeight, 0));
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
