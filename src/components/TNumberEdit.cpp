#include "components/TNumberEdit.h"

#include <QFocusEvent>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace mecovnik {

namespace {

// Whether text is an optional minus followed by ASCII digits only; sets
// negative and digits (the part after the sign).
bool SplitNumber(QStringView text, bool& negative, QStringView& digits)
{
    negative = text.startsWith(u'-');
    digits = negative ? text.mid(1) : text;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

TNumberEdit::TNumberEdit(QWidget* parent) : QSpinBox(parent) {}

TNumberEdit::~TNumberEdit() = default;

int TNumberEdit::Position()
{
    interpretText();
    return value();
}

void TNumberEdit::focusInEvent(QFocusEvent* event)
{
    QSpinBox::focusInEvent(event);
    // A click puts the caret where the user pointed; every other way in
    // (opening, Tab, an accelerator, coming back to the window) selects all.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        selectAll();
}

QValidator::State TNumberEdit::validate(QString& text, int& pos) const
{
    Q_UNUSED(pos)
    bool negative = false;
    QStringView digits;
    if (!SplitNumber(text, negative, digits) || (negative && minimum() >= 0))
        return QValidator::Invalid;
    return digits.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
}

int TNumberEdit::valueFromText(const QString& text) const
{
    bool negative = false;
    QStringView digits;
    if (!SplitNumber(text, negative, digits) || digits.isEmpty())
        return value();
    // However many digits were typed, the nearest limit is the answer once
    // the number leaves the range, so there is no need to read further.
    qint64 number = 0;
    for (const QChar c : digits) {
        number = number * 10 + (c.unicode() - u'0');
        if (number > std::numeric_limits<int>::max())
            break;
    }
    if (negative)
        number = -number;
    return static_cast<int>(std::clamp<qint64>(number, minimum(), maximum()));
}

} // namespace mecovnik
