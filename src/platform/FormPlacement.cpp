#include "platform/FormPlacement.h"

#include "persistence/ScreenFit.h"
#include "platform/FrameMargins.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace mecovnik {

namespace {

// The bounds kept within what the screens can show; the stored values stay.
TScreenRect FitToScreens(const TScreenRect& bounds)
{
    std::vector<TScreenRect> screens;
    std::size_t primary = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen == QGuiApplication::primaryScreen())
            primary = screens.size();
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    return FitBoundsToScreens(bounds, screens, primary);
}

} // namespace

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
    const TScreenRect outer =
        FitToScreens({placement.Left, placement.Top, placement.Width, placement.Height});
    const QMargins frame = FrameMargins(form);
    form.setGeometry(outer.Left + frame.left(), outer.Top + frame.top(),
                     std::max(outer.Width - frame.left() - frame.right(), 0),
                     std::max(outer.Height - frame.top() - frame.bottom(), 0));
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
