#pragma once

#include <string>
#include <string_view>

namespace mecovnik {

// The simple (one-to-one) Unicode case folding of one code point, for the
// blocks that names in this program are written in: Basic Latin, Latin-1
// Supplement, Latin Extended-A, the European letters of Latin Extended-B
// (Romanian, Croatian digraphs, Pinyin), Latin Extended Additional, Greek and
// Coptic, Cyrillic and Cyrillic Supplement. Other code points fold to
// themselves. Nothing is normalised: a precomposed "í" and "i" with a combining
// acute are different names.
[[nodiscard]] char32_t FoldCodePoint(char32_t c);

// The case-folded form of a UTF-8 name: two names are one registry name when
// their folded forms are equal. Invalid UTF-8 bytes are kept as they are.
[[nodiscard]] std::string FoldCase(std::string_view name);

} // namespace mecovnik
