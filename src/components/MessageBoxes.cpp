#include "components/MessageBoxes.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace mecovnik {

namespace {

TMessageBoxAnswerer& CurrentAnswerer()
{
    static TMessageBoxAnswerer answerer;
    return answerer;
}

QMessageBox::StandardButton ShowMessage(const QString& text, const QString& caption,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::Icon icon)
{
    const TMessageBoxRecord record{text, caption.isEmpty() ? ApplicationTitle() : caption, buttons,
                                   icon};
    if (const auto& answerer = CurrentAnswerer())
        return answerer(record);

    // No parent: the box belongs to the application, not to the main form, and
    // blocks every window of the program while it is up.
    QPointer<QWidget> previouslyActive = QApplication::activeWindow();
    QMessageBox box(record.Icon, record.Caption, record.Text, record.Buttons);
    box.setWindowModality(Qt::ApplicationModal);
    const auto result = static_cast<QMessageBox::StandardButton>(box.exec());
    if (previouslyActive)
        previouslyActive->activateWindow();
    return result;
}

} // namespace

QString ApplicationTitle()
{
    return QStringLiteral("Mečovník");
}

bool AskQuestion(const QString& text, const QString& caption)
{
    return ShowMessage(text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) ==
           QMessageBox::Yes;
}

void ShowInfoMessage(const QString& text, const QString& caption)
{
    ShowMessage(text, caption, QMessageBox::Ok, QMessageBox::Information);
}

void ShowErrorMessage(const QString& text, const QString& caption)
{
    ShowMessage(text, caption, QMessageBox::Ok, QMessageBox::Critical);
}

void ShowChildWindow(QMdiSubWindow* form)
{
    if (!form)
        return;
    if (form->isMinimized())
        form->showNormal();
    form->show();
    form->raise();
    if (auto* area = form->mdiArea())
        area->setActiveSubWindow(form);
}

TMessageBoxHook::TMessageBoxHook(TMessageBoxAnswerer answerer)
    : m_previous(std::exchange(CurrentAnswerer(), std::move(answerer)))
{
}

TMessageBoxHook::~TMessageBoxHook()
{
    CurrentAnswerer() = std::move(m_previous);
}

} // namespace mecovnik
