#include "components/MessageBoxes.h"

#include "components/ProgramWindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace mecovnik {

namespace {

QPointer<QWidget>& Owner()
{
    static QPointer<QWidget> owner;
    return owner;
}

TMessageBoxAnswerer& CurrentAnswerer()
{
    static TMessageBoxAnswerer answerer;
    return answerer;
}

// A box that shows its text literally. A Yes/No question has no other way
// out: Escape and the window's close button do nothing.
class TMessageBox final : public QMessageBox
{
public:
    TMessageBox(const TMessageBoxRecord& record, QWidget* owner)
        : QMessageBox(record.Icon, record.Caption, record.Text, record.Buttons, owner,
                      Flags(record.Buttons)),
          m_onlyButtons(record.Buttons == (QMessageBox::Yes | QMessageBox::No))
    {
        setTextFormat(Qt::PlainText);
    }

    // A question asks for a title bar without a close button; a window
    // manager that draws one anyway gets a button that does nothing.
    static Qt::WindowFlags Flags(QMessageBox::StandardButtons buttons)
    {
        if (buttons == (QMessageBox::Yes | QMessageBox::No))
            return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (m_onlyButtons && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        // A pressed button closes the box through here as well.
        if (m_onlyButtons && !clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_onlyButtons;
};

QMessageBox::StandardButton ShowMessage(const QString& text, const QString& caption,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::Icon icon)
{
    const TMessageBoxRecord record{text, caption.isEmpty() ? ApplicationTitle() : caption, buttons,
                                   icon};
    if (const auto& answerer = CurrentAnswerer())
        return answerer(record);

    // The box blocks every window of the program while it is up: the open
    // dialog and the main form with all it owns. The help window is no part
    // of that family, so it stays usable.
    QPointer<QWidget> previouslyActive = QApplication::activeWindow();
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner && Owner() && Owner()->isVisible())
        owner = Owner();
    TMessageBox box(record, owner);
    // QMessageBox's own setter would turn a window-modal box into a sheet and
    // drop the box's window hints; the plain one keeps them.
    static_cast<QWidget&>(box).setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    OpenAboveCurrentWindow(box);
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

void SetMessageBoxOwner(QWidget* owner)
{
    Owner() = owner;
}

QWidget* MessageBoxOwner()
{
    return Owner().data();
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
