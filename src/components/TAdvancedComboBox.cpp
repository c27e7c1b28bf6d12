#include "components/TAdvancedComboBox.h"

#include <QLineEdit>

namespace mecovnik {

TAdvancedComboBox::TAdvancedComboBox(QWidget* parent) : QComboBox(parent)
{
    auto* edit = new QLineEdit(this);
    edit->setPalette(palette());

    // When editing finishes, the combo box selects an item whose text was typed
    // in full and reports it as activated. That is not a pick from the list, so
    // it is bracketed: the first connection is made before the combo box's own,
    // the last one after it.
    connect(edit, &QLineEdit::editingFinished, this, [this] { ++m_matchingText; });
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { --m_matchingText; });

    // Typing must not complete to a remembered item nor add the text to the list.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);

    // textEdited comes before textChanged, and editTextChanged is forwarded from
    // textChanged by a connection made in setLineEdit, so this one runs after
    // every receiver of the standard text notifications.
    connect(edit, &QLineEdit::textEdited, this, &TAdvancedComboBox::TextEdited);
    connect(edit, &QLineEdit::textChanged, this, &TAdvancedComboBox::TextChanged);
    // textActivated follows activated, so the click event comes after the standard one.
    connect(this, &QComboBox::textActivated, this, &TAdvancedComboBox::ItemActivated);
}

TAdvancedComboBox::~TAdvancedComboBox() = default;

void TAdvancedComboBox::ChangeEdit()
{
    emit OnChange_Edit(this);
}

void TAdvancedComboBox::ChangeClick()
{
    emit OnChange_Click(this);
}

void TAdvancedComboBox::TextEdited()
{
    m_editPending = true;
}

void TAdvancedComboBox::TextChanged()
{
    if (!m_editPending)
        return;
    m_editPending = false;
    ChangeEdit();
}

void TAdvancedComboBox::ItemActivated()
{
    if (m_matchingText > 0)
        return;
    ChangeClick();
}

} // namespace mecovnik
