#include "text/Numbers.h"

#include <charconv>

namespace mecovnik {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

template <typename T> std::optional<T> Parse(std::string_view text, int base)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text)
{
    return Parse<std::int32_t>(text, 10);
}

std::optional<std::int64_t> ParseInt64(std::string_view text)
{
    return Parse<std::int64_t>(text, 10);
}

std::optional<std::uint32_t> ParseHex32(std::string_view digits)
{
    // from_chars takes no sign for an unsigned type; the length rules out
    // leading zeros beyond the eight digits a value is written with.
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    return Parse<std::uint32_t>(digits, 16);
}

void AppendDecimal(std::string& out, std::int64_t n)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out.append(buffer, result.ptr);
}

std::size_t HexSize(std::uint32_t value, int width)
{
    std::size_t digits = 1;
    while (digits < 8 && (value >> (4 * digits)) != 0)
        ++digits;
    return width > 0 && static_cast<std::size_t>(width) > digits ? static_cast<std::size_t>(width)
                                                                 : digits;
}

void AppendHex(std::string& out, std::uint32_t value, int width)
{
    const std::size_t size = HexSize(value, width);
    for (std::size_t i = size; i-- > 0;)
        out += i < 8 ? kHexDigits[(value >> (4 * i)) & 0xFu] : '0';
}

void AppendHexByte(std::string& out, unsigned char byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xFu];
}

} // namespace mecovnik
