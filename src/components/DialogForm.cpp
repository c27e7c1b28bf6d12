#include "components/DialogForm.h"

#include "components/ProgramWindows.h"
#include "components/TStaticText.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>

namespace mecovnik {

namespace {

// The dialogs keep the original pixel positions, but the platform's sans-serif
// is wider than the font they were laid out for: a label that would run into
// the control it names is narrowed just enough to fit, when the dialog shows.
class TLabelFitter final : public QObject
{
public:
    explicit TLabelFitter(QDialog& dialog) : QObject(&dialog) { dialog.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            for (TStaticText* label : watched->findChildren<TStaticText*>())
                Fit(*label);
        return false;
    }

private:
    static void Fit(TStaticText& label)
    {
        const QWidget* control = label.FocusControl();
        if (!control || control->parentWidget() != label.parentWidget() ||
            control->x() <= label.x())
            return;
        const int room = control->x() - 2 - label.x();
        if (label.width() <= room || label.width() <= 0)
            return;
        QFont f = label.font();
        f.setStretch(std::max(75, 100 * room / label.width()));
        label.setFont(f);
    }
};

} // namespace

void PrepareDialog(QDialog& dialog)
{
    QFont f = dialog.font();
    f.setPointSize(8);
    dialog.setFont(f);
    // The system menu, close and help; never minimise or maximise.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowContextHelpButtonHint);
    dialog.setFixedSize(dialog.size());
    // Modal to the main window and everything it owns, but not to the help
    // window, which stays usable beside the dialog as the separate help
    // program was; above the window the user works in when it opens.
    dialog.setWindowModality(Qt::WindowModal);
    OpenAboveCurrentWindow(dialog);
    new TLabelFitter(dialog);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
}

void NameSpinEdit(QSpinBox& upDown, const QString& editName)
{
    if (QLineEdit* edit = upDown.findChild<QLineEdit*>())
        edit->setObjectName(editName);
}

int Position(QSpinBox& upDown)
{
    // Text that is not a number in the range leaves the last valid value.
    upDown.interpretText();
    return upDown.value();
}

} // namespace mecovnik
