#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mecovnik {

// Numbers as the program's text files write them.

// A decimal integer filling the whole text: an optional "-" and digits, no
// blank, no "+", nothing after it. No value when the text is anything else or
// the number does not fit the type.
[[nodiscard]] std::optional<std::int32_t> ParseInt32(std::string_view text);
[[nodiscard]] std::optional<std::int64_t> ParseInt64(std::string_view text);

// One to eight hex digits (either case) filling the whole text, as a 32-bit
// number; no value for anything else (no sign, no "0x", no blank).
[[nodiscard]] std::optional<std::uint32_t> ParseHex32(std::string_view digits);

// Appends n in decimal.
void AppendDecimal(std::string& out, std::int64_t n);

// Appends value in lower-case hex, with leading zeros up to width digits
// (width 0 or 1: as few digits as the value needs, at least one).
void AppendHex(std::string& out, std::uint32_t value, int width);

// The number of digits AppendHex writes for value and width.
[[nodiscard]] std::size_t HexSize(std::uint32_t value, int width);

// Appends a byte as two lower-case hex digits.
void AppendHexByte(std::string& out, unsigned char byte);

} // namespace mecovnik
