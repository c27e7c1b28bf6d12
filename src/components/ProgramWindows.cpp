#include "components/ProgramWindows.h"

#include "components/MessageBoxes.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace mecovnik {

namespace {

// Makes its window, whenever it is shown modal, transient for the window the
// user works in at that moment. A window that is transient only for the main
// form would open below the customisation window, which stands above the main
// form, and the program would look frozen.
class TAboveCurrentWindow final : public QObject
{
public:
    explicit TAboveCurrentWindow(QWidget& window) : QObject(&window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Show comes after the native window exists and before it is mapped,
        // which is when the window manager reads what it stands above.
        if (event->type() == QEvent::Show && watched->isWidgetType())
            Place(*static_cast<QWidget*>(watched));
        return false;
    }

private:
    static void Place(QWidget& window)
    {
        if (!window.isWindow() || window.windowModality() == Qt::NonModal)
            return;
        QWidget* current = CurrentProgramWindow();
        if (!current || current == &window)
            return;
        QWindow* handle = window.windowHandle();
        QWindow* above = current->window()->windowHandle();
        if (!handle || !above || handle == above ||
            handle->isAncestorOf(above, QWindow::IncludeTransients))
            return;
        handle->setTransientParent(above);
    }
};

} // namespace

bool IsOwnedWindow(const QWidget* window, const QWidget* owner)
{
    if (!owner)
        return false;
    for (const QWidget* w = window; w; w = w->parentWidget())
        if (w == owner)
            return true;
    return false;
}

bool IsProgramWindow(const QWidget* window)
{
    return IsOwnedWindow(window, MessageBoxOwner());
}

QWidget* CurrentProgramWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
        return modal;
    if (QWidget* active = QApplication::activeWindow(); active && IsProgramWindow(active))
        return active;
    QWidget* mainForm = MessageBoxOwner();
    return mainForm && mainForm->isVisible() ? mainForm : nullptr;
}

void OpenAboveCurrentWindow(QWidget& window)
{
    // Qt adds no buttons to a window whose hints are given in full; the
    // window manager then offers only what is asked for.
    const Qt::WindowFlags flags = window.windowFlags();
    const Qt::WindowFlags wanted =
        (flags & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowFullscreenButtonHint)) |
        Qt::CustomizeWindowHint;
    if (wanted != flags)
        window.setWindowFlags(wanted);
    static const char kPlaced[] = "mecovnikOpensAboveCurrentWindow";
    if (!window.property(kPlaced).toBool()) {
        window.setProperty(kPlaced, true);
        new TAboveCurrentWindow(window);
    }
}

} // namespace mecovnik
