#pragma once

#include <QComboBox>

namespace mecovnik {

// An editable combo box that tells a change made by picking an item apart from
// a change made by typing. Both extra events are raised only for the user's own
// actions, after the standard notifications (editTextChanged, currentTextChanged,
// currentIndexChanged, activated) have reached their receivers. The box is made
// editable with its own line edit; replacing that line edit loses both events.
class TAdvancedComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TAdvancedComboBox(QWidget* parent = nullptr);
    ~TAdvancedComboBox() override;
    Q_DISABLE_COPY_MOVE(TAdvancedComboBox)

signals:
    // The user picked an item of the list: with the mouse, the arrow keys or the wheel.
    void OnChange_Click(mecovnik::TAdvancedComboBox* sender);
    // The user changed the text of the edit part: typing, deleting, pasting, undo.
    void OnChange_Edit(mecovnik::TAdvancedComboBox* sender);

protected:
    // Raises OnChange_Edit; a descendant may override to react before or instead.
    virtual void ChangeEdit();
    // Raises OnChange_Click; a descendant may override to react before or instead.
    virtual void ChangeClick();

private:
    void TextEdited();
    void TextChanged();
    void ItemActivated();

    // Set between the line edit's textEdited and the end of its textChanged.
    bool m_editPending = false;
    // Non-zero while the combo box matches the finished text to an item on its own.
    int m_matchingText = 0;
};

} // namespace mecovnik
