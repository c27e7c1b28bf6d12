#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

// The readable source of a toolbar table: decimal 32-bit integers, one record
// a line, "#" starting a comment to the end of the line. With valuesPerLine
// set, every line that holds values must hold exactly that many. Returns the
// table's little-endian bytes, or nothing (and the offending line in error).
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
CompileToolbarTable(std::string_view source, int valuesPerLine, std::string* error = nullptr);

} // namespace mecovnik
