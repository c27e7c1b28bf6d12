#pragma once

#include <string>

namespace mecovnik {

// The help file of a program file: its path with the extension replaced by
// ".HLP", or ".HLP" appended when the file name has no extension.
[[nodiscard]] std::string HelpFileFor(const std::string& programFile);

} // namespace mecovnik
