#pragma once

class QApplication;

namespace mecovnik {

// Runs the program: the main window, then the monster and the character
// roster, then the message loop. Returns the exit code.
int RunProgram(QApplication& app);

} // namespace mecovnik
