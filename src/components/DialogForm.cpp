#include "components/DialogForm.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>

namespace mecovnik {

void PrepareDialog(QDialog& dialog)
{
    QFont f = dialog.font();
    f.setPointSize(8);
    dialog.setFont(f);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    dialog.setFixedSize(dialog.size());
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
