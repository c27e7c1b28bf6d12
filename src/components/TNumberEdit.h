#pragma once

#include <QSpinBox>

namespace mecovnik {

// A whole-number edit with its up-down, as the program's dialogs use it.
//
// It behaves as the original edits did: it selects its whole text whenever
// it gets the focus other than by a mouse click (the dialog opening, Tab,
// a label's accelerator), so that typing replaces the number. Digits are never
// refused: a number beyond the range stays as typed while editing and counts
// as the nearest limit, so value() always lies within minimum..maximum.
// A minus sign is taken only where the range has negative numbers.
class TNumberEdit : public QSpinBox
{
    Q_OBJECT

public:
    explicit TNumberEdit(QWidget* parent = nullptr);
    ~TNumberEdit() override;
    Q_DISABLE_COPY_MOVE(TNumberEdit)

    // The value after taking what the user typed: text that is no number
    // leaves the last value, a number beyond the range gives the nearest limit.
    [[nodiscard]] int Position();

protected:
    void focusInEvent(QFocusEvent* event) override;
    [[nodiscard]] QValidator::State validate(QString& text, int& pos) const override;
    [[nodiscard]] int valueFromText(const QString& text) const override;
};

} // namespace mecovnik
