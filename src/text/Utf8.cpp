#include "text/Utf8.h"

#include <algorithm>

namespace mecovnik {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

unsigned char Byte(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

} // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    const unsigned char lead = Byte(text, pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (text.size() - pos < length) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = Byte(text, pos + i);
        if ((next & 0xC0u) != 0x80u) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || IsSurrogate(value)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return value;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (IsSurrogate(c) || c > 0x10FFFF)
        c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0u | (c >> 6));
        out += static_cast<char>(0x80u | (c & 0x3Fu));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0u | (c >> 12));
        out += static_cast<char>(0x80u | ((c >> 6) & 0x3Fu));
        out += static_cast<char>(0x80u | (c & 0x3Fu));
    } else {
        out += static_cast<char>(0xF0u | (c >> 18));
        out += static_cast<char>(0x80u | ((c >> 12) & 0x3Fu));
        out += static_cast<char>(0x80u | ((c >> 6) & 0x3Fu));
        out += static_cast<char>(0x80u | (c & 0x3Fu));
    }
}

std::size_t FirstInvalidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (Byte(text, pos) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        // A genuine U+FFFD takes three bytes; a replacement takes one.
        if (DecodeUtf8(text, pos) == kReplacement && pos - start == 1)
            return start;
    }
    return std::string_view::npos;
}

std::size_t Utf8CharacterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

std::string SanitizeUtf8(std::string_view text, bool& clean)
{
    std::string out;
    out.reserve(text.size());
    // Valid runs are copied whole; each bad sequence gives one U+FFFD for its
    // first byte, and reading goes on after it.
    std::size_t run = 0;
    for (std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos;
         bad = FirstInvalidUtf8(text.substr(run))) {
        clean = false;
        out.append(text.substr(run, bad));
        AppendUtf8(out, kReplacement);
        run += bad + 1;
    }
    out.append(text.substr(run));
    return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& clean)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        const unsigned a = Byte(bytes, 2 * i);
        const unsigned b = Byte(bytes, 2 * i + 1);
        return bigEndian ? ((a << 8) | b) : ((b << 8) | a);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (IsSurrogate(u)) {
            clean = false;
            AppendUtf8(out, kReplacement);
            continue;
        }
        AppendUtf8(out, u);
    }
    if (bytes.size() % 2 != 0) {
        clean = false;
        AppendUtf8(out, kReplacement);
    }
    return out;
}

std::string Utf8ToUtf16Le(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    const auto put = [&out](char32_t u) {
        out += static_cast<char>(u & 0xFFu);
        out += static_cast<char>((u >> 8) & 0xFFu);
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = DecodeUtf8(text, pos);
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FFu));
        } else {
            put(c);
        }
    }
    return out;
}

std::size_t Utf16Length(std::string_view text)
{
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < text.size())
        units += DecodeUtf8(text, pos) >= 0x10000 ? 2 : 1;
    return units;
}

} // namespace mecovnik
