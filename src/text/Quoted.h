#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mecovnik {

// Texts in double quotes, as the program's files write names and strings.
enum class TEscaping
{
    // Only "\\" and "\"" are escapes; any other backslash stands for itself
    // (the store's file, as the registry's own exports write it).
    QuotesOnly,
    // "\\", "\"", "\n", "\r", "\t" and "\xHH" for every other control
    // character, so a quoted text never holds a line break; any other escape
    // is an error (the fight's journal).
    Control,
};

// Appends text between double quotes, escaped as escaping says.
void AppendQuoted(std::string& out, std::string_view text, TEscaping escaping);

// The number of bytes AppendQuoted appends for text.
[[nodiscard]] std::size_t QuotedSize(std::string_view text, TEscaping escaping);

// Reads the quoted text that starts at s[pos] (which must be '"') up to its
// closing quote and moves pos past that quote. No value (pos unchanged) when
// the closing quote is missing or, with Control, an escape is not one of its
// own.
[[nodiscard]] std::optional<std::string> ReadQuoted(std::string_view s, std::size_t& pos,
                                                    TEscaping escaping);

} // namespace mecovnik
