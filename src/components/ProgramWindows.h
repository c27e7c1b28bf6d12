#pragma once

class QWidget;

namespace mecovnik {

// The program's own windows are the main form (the message boxes' owner, see
// SetMessageBoxOwner) and every window it owns, at any depth: the dialogs and
// the toolbar's customisation window. The help window stands apart, as the
// separate help program did: usable beside a modal dialog, never blocked.

// True when window is owner or a window that owner owns, through parents at
// any depth; false when either is nullptr.
[[nodiscard]] bool IsOwnedWindow(const QWidget* window, const QWidget* owner);

// True for the main form and the windows it owns; false for nullptr, for the
// help window and for any window that no part of the main form owns.
[[nodiscard]] bool IsProgramWindow(const QWidget* window);

// The window the user works in, the one a modal window opened now belongs to:
// the innermost open modal window, else the active window when it is one of
// the program's, else the main form when it is shown; nullptr otherwise.
[[nodiscard]] QWidget* CurrentProgramWindow();

// Gives a modal window its place among the program's windows. Each time it is
// shown it becomes transient for CurrentProgramWindow() of that moment, so the
// window manager keeps it above the window the user works in (the
// customisation window included) and hands it the keyboard. Its title bar
// offers neither minimise nor maximise; what else it offers stays. The window
// keeps its owner for its life; only where it stands changes.
void OpenAboveCurrentWindow(QWidget& window);

} // namespace mecovnik
