#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QMdiSubWindow;

namespace mecovnik {

// The title of the application: the caption of every message box without one
// of its own. Kept apart from Qt's application display name, which Qt would
// append to every window title.
QString ApplicationTitle();

// Asks a Yes/No question; true exactly when the user answered Yes.
bool AskQuestion(const QString& text, const QString& caption = {});
// A notice with an OK button and the information icon.
void ShowInfoMessage(const QString& text, const QString& caption = {});
// An error with an OK button and the error icon.
void ShowErrorMessage(const QString& text, const QString& caption = {});

// The window whose whole family (everything it owns) a message box blocks
// while it is up: the main form. The help window stays usable. Without one
// that is shown, a box blocks every window.
void SetMessageBoxOwner(QWidget* owner);
// The window given to SetMessageBoxOwner, or nullptr once it is gone.
[[nodiscard]] QWidget* MessageBoxOwner();

// Brings a document window into view: restored first when minimised, then
// shown and put in front of its siblings. A maximised window stays maximised.
void ShowChildWindow(QMdiSubWindow* form);

// What a message box showed.
struct TMessageBoxRecord
{
    QString Text;
    QString Caption;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

using TMessageBoxAnswerer = std::function<QMessageBox::StandardButton(const TMessageBoxRecord&)>;

// While alive, message boxes are not shown: the answerer is told what each box
// would show and returns the button pressed. Hooks nest; the newest answers.
class TMessageBoxHook final
{
public:
    explicit TMessageBoxHook(TMessageBoxAnswerer answerer);
    ~TMessageBoxHook();
    Q_DISABLE_COPY_MOVE(TMessageBoxHook)

private:
    TMessageBoxAnswerer m_previous;
};

} // namespace mecovnik
