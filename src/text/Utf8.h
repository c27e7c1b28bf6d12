#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mecovnik {

// UTF-8 and UTF-16 as the program's files and names use them. Valid UTF-8 is
// the strict form: no overlong sequence, no encoded surrogate, nothing above
// U+10FFFF.

// Decodes one code point of UTF-8 at pos and advances pos past it. An invalid,
// overlong or truncated sequence, or an encoded surrogate, yields U+FFFD and
// advances by one byte. pos must be below text.size().
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point (U+FFFD for a surrogate or a value
// above U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// Bytes that AppendUtf8 writes for a code point up to U+10FFFF.
[[nodiscard]] constexpr std::size_t Utf8Size(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// The offset of the first byte that does not belong to valid UTF-8, or npos
// when the whole text is valid.
[[nodiscard]] std::size_t FirstInvalidUtf8(std::string_view text);

// Whether the whole text is valid UTF-8.
[[nodiscard]] inline bool IsValidUtf8(std::string_view text)
{
    return FirstInvalidUtf8(text) == std::string_view::npos;
}

// The number of characters of a UTF-8 text: every byte that does not continue
// a sequence counts one (so an invalid byte counts as a character too).
[[nodiscard]] std::size_t Utf8CharacterCount(std::string_view text);

// The text with every invalid UTF-8 sequence replaced by U+FFFD; clean is set
// false when anything was replaced and left as it is otherwise.
[[nodiscard]] std::string SanitizeUtf8(std::string_view text, bool& clean);

// UTF-16 (little- or big-endian) bytes to UTF-8. An unpaired surrogate or an odd
// last byte becomes U+FFFD and sets clean false.
[[nodiscard]] std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& clean);

// UTF-8 to UTF-16LE bytes, without a terminator; invalid UTF-8 becomes U+FFFD.
[[nodiscard]] std::string Utf8ToUtf16Le(std::string_view text);

// Number of UTF-16 code units of a UTF-8 text (a character outside the basic
// plane counts two), the measure of the registry's name limits.
[[nodiscard]] std::size_t Utf16Length(std::string_view text);

} // namespace mecovnik
