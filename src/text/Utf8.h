#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mecovnik {

// Text helpers of the registry store. All names and strings in the store are
// UTF-8; the registry's own string data is UTF-16LE.

// Decodes one code point of UTF-8 at pos and advances pos past it. An invalid,
// overlong or truncated sequence, or an encoded surrogate, yields U+FFFD and
// advances by one byte. pos must be below text.size().
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point (U+FFFD for a surrogate or a value
// above U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

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
