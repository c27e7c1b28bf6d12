#include "platform/StringTable.h"

#include "text/Numbers.h"

namespace mecovnik {

std::optional<StringTable> StringTable::Parse(std::string_view source, std::string* error)
{
    StringTable table;
    int lineNumber = 0;
    while (!source.empty()) {
        ++lineNumber;
        const std::size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        // The number, one blank, the text.
        const std::size_t blank = line.find(' ');
        const auto number =
            blank == std::string_view::npos ? std::nullopt : ParseInt32(line.substr(0, blank));
        if (!number || table.m_strings.contains(*number)) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + ": " + std::string(line);
            return std::nullopt;
        }
        table.m_strings.emplace(*number, std::string(line.substr(blank + 1)));
    }
    return table;
}

std::string StringTable::Load(std::int32_t n) const
{
    const auto it = m_strings.find(n);
    return it == m_strings.end() ? std::string() : it->second;
}

} // namespace mecovnik
