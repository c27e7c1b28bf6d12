#include "app/HelpFileName.h"

namespace mecovnik {

std::string HelpFileFor(const std::string& programFile)
{
    const auto nameStart = programFile.find_last_of("/\\");
    const auto dot = programFile.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
    return (hasExtension ? programFile.substr(0, dot) : programFile) + ".HLP";
}

} // namespace mecovnik
