#include "toolbar/ToolbarTableText.h"

#include "text/Numbers.h"
#include "toolbar/ToolbarTables.h"

namespace mecovnik {

std::optional<std::vector<std::uint8_t>> CompileToolbarTable(std::string_view source,
                                                             int valuesPerLine, std::string* error)
{
    std::vector<std::uint8_t> bytes;
    int lineNumber = 0;
    const auto fail = [&](std::string_view line) {
        if (error)
            *error = "line " + std::to_string(lineNumber) + ": " + std::string(line);
        return std::nullopt;
    };
    while (!source.empty()) {
        ++lineNumber;
        const std::size_t end = source.find('\n');
        const std::string_view whole = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        std::string_view line = whole.substr(0, whole.find('#'));
        int values = 0;
        constexpr std::string_view kBlanks = " \t\r";
        while (true) {
            const std::size_t start = line.find_first_not_of(kBlanks);
            if (start == std::string_view::npos)
                break;
            line.remove_prefix(start);
            const std::string_view word = line.substr(0, line.find_first_of(kBlanks));
            const auto v = ParseInt32(word);
            if (!v)
                return fail(whole);
            AppendInt32LE(bytes, *v);
            ++values;
            line.remove_prefix(word.size());
        }
        if (valuesPerLine > 0 && values != 0 && values != valuesPerLine)
            return fail(whole);
    }
    return bytes;
}

} // namespace mecovnik
