#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace mecovnik::bench {

// Watches every event of the application for the first paint of a widget that
// belongs to the main window. Then it writes one byte to the descriptor named
// by MECOVNIK_BENCH_READY_FD (when set) and ends the event loop with
// QCoreApplication::exit, which, unlike closing the window, saves nothing.
// Exit code 0, or 2 when the byte could not be written.
class TFirstPaintProbe final : public QObject
{
public:
    // isMainWindow tells whether a top-level widget is the window to wait for.
    // Installs itself on the application, which must exist.
    explicit TFirstPaintProbe(std::function<bool(const QWidget*)> isMainWindow);
    ~TFirstPaintProbe() override;
    Q_DISABLE_COPY_MOVE(TFirstPaintProbe)

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(const QWidget*)> m_isMainWindow;
    int m_readyFd = -1;
    bool m_seen = false;
};

} // namespace mecovnik::bench

// Called once, at the first paint, before anything else happens there: a
// profiler's mark (callgrind --dump-before=mecovnik_bench_first_paint).
extern "C" void mecovnik_bench_first_paint();
