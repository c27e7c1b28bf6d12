#pragma once

#include <QMargins>

class QWidget;

namespace mecovnik {

// The frame the window manager puts (or will put) around a top-level window.
// A shown window answers with the frame it has. Before the first show the
// window manager is asked for the frame it would add (_NET_REQUEST_FRAME_EXTENTS
// on X11), waiting a short, bounded time for the answer; the native window is
// created for the question but not shown. Zero margins where there is no window
// manager or none that answers in time. Other platforms answer with the frame
// their native window reports.
[[nodiscard]] QMargins FrameMargins(QWidget& window);

} // namespace mecovnik
