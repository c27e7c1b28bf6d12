#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace mecovnik {

// The program's numbered strings. Its source holds one string a line: the
// number, one blank, then the text to the end of the line; blank lines and
// lines starting with "#" are comments.
class StringTable final
{
public:
    // Reads the source; a line that does not parse is reported in error (with
    // its number) and nothing is returned.
    [[nodiscard]] static std::optional<StringTable> Parse(std::string_view source,
                                                          std::string* error = nullptr);

    // The string numbered n; "" when there is none.
    [[nodiscard]] std::string Load(std::int32_t n) const;
    [[nodiscard]] std::size_t Size() const { return m_strings.size(); }

private:
    std::map<std::int32_t, std::string> m_strings;
};

} // namespace mecovnik
