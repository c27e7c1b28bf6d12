#include "TDialogAnswerer.h"

#include "GuiTestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace mecovnik::test {

void TDialogAnswerer::Next(TFill fill)
{
    m_fill = std::move(fill);
    m_answered = false;
    // An earlier wait still polling (its dialog never came) ends now.
    ++m_generation;
    Poll(200);
}

bool TDialogAnswerer::Run(QAction& action, TFill fill)
{
    Next(std::move(fill));
    action.trigger();
    Flush();
    return m_answered;
}

void TDialogAnswerer::Poll(int attempts)
{
    QTimer::singleShot(attempts < 150 ? 10 : 0, [this, attempts, generation = m_generation] {
        if (generation != m_generation || !m_fill)
            return;
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // Up and active, as the user sees it before typing; a dialog that
        // never becomes active is answered all the same at the last attempt.
        if (dialog && !qobject_cast<QMessageBox*>(dialog) && dialog->isVisible() &&
            (dialog->isActiveWindow() || attempts == 0)) {
            m_answered = true;
            TFill fill = std::move(m_fill);
            m_fill = nullptr;
            fill(*dialog);
            return;
        }
        if (attempts > 0)
            Poll(attempts - 1);
    });
}

} // namespace mecovnik::test
