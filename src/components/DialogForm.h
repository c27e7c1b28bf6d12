#pragma once

class QAbstractSpinBox;
class QDialog;
class QSpinBox;
class QString;

namespace mecovnik {

// Gives a dialog made from its form description the look of the program's
// dialogs: the form's font, a fixed size, the system menu, close and help
// buttons (no minimise or maximise), centred on the screen, modal to its
// owner's windows but not to help, and opening above the window the user
// works in (OpenAboveCurrentWindow).
void PrepareDialog(QDialog& dialog);

// An edit with its attached up-down is one spin box; its edit part gets the
// edit's own name so that both can be found by name.
void NameSpinEdit(QSpinBox& upDown, const QString& editName);

// The value of a number field after taking what the user typed: always within
// the field's range; a typed number within the range is taken as typed.
[[nodiscard]] int Position(QSpinBox& upDown);

} // namespace mecovnik
