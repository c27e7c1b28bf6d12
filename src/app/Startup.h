#pragma once

#include <functional>

class QApplication;

namespace mecovnik {

// Runs the program: the main window, then the monster and the character
// roster, then the message loop. Returns the exit code.
int RunProgram(QApplication& app);

// Runs run and returns its exit code. An exception that escapes it is shown
// in an error message (its text, or a general one) and gives exit code 1: a
// start that failed never ends as a success.
int RunReportingFailure(const std::function<int()>& run);

} // namespace mecovnik
