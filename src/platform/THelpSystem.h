#pragma once

#include <QString>

namespace mecovnik {

// Command numbers of the help system, as the program passes them.
enum THelpCommand : int
{
    HELP_CONTEXT = 1,      // show the topic of a context number
    HELP_QUIT = 2,         // close the help window
    HELP_CONTEXTPOPUP = 8, // show the topic of a context number in a popup
    HELP_FINDER = 11,      // show the contents
};

// The help system that shows topics of the program's help file.
class THelpSystem
{
public:
    virtual ~THelpSystem() = default;
    // Carries out one help command with the given help file; false when the
    // file or the topic cannot be shown (the user has then been told why).
    virtual bool Execute(const QString& helpFile, int command, int data) = 0;
};

} // namespace mecovnik
