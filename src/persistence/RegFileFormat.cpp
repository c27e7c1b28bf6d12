#include "persistence/RegFileFormat.h"

#include "persistence/RegistryText.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace mecovnik {

namespace {

// A continuation line of hex data starts with two spaces, and no line passes
// this many bytes unless a value's name alone is longer.
constexpr std::size_t kHexLineLimit = 78;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits as a 32-bit number.
std::optional<std::uint32_t> ParseHex32(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return value;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// A quoted text starting at s[pos] == '"': "\\" and "\"" are escapes; any other
// backslash stands for itself. pos ends after the closing quote.
std::optional<std::string> ParseQuoted(std::string_view s, std::size_t& pos)
{
    std::string out;
    std::size_t i = pos + 1;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            pos = i + 1;
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[i + 1];
            i += 2;
            continue;
        }
        out += c;
        ++i;
    }
    return std::nullopt;
}

// Comma-separated bytes of one or two hex digits; a trailing comma is allowed.
std::optional<std::string> ParseHexBytes(std::string_view data)
{
    std::string out;
    data = TrimLeft(TrimRight(data));
    while (!data.empty()) {
        const std::size_t comma = data.find(',');
        const std::string_view piece = TrimLeft(
            TrimRight(data.substr(0, comma == std::string_view::npos ? data.size() : comma)));
        if (piece.empty() || piece.size() > 2)
            return std::nullopt;
        const auto byte = ParseHex32(piece);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
        if (comma == std::string_view::npos)
            break;
        data = TrimLeft(data.substr(comma + 1));
    }
    return out;
}

std::string StringData(std::string_view text)
{
    std::string data = Utf8ToUtf16Le(text);
    data.append(2, '\0');
    return data;
}

std::string DwordData(std::uint32_t v)
{
    std::string data(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        data[i] = static_cast<char>((v >> (8 * i)) & 0xFFu);
    return data;
}

class TReader final
{
public:
    explicit TReader(std::string_view text) : m_text(text) { SplitLines(); }

    TRegFileContent Read(bool clean)
    {
        TRegFileContent content{std::make_shared<TRegistryKey>(), clean};
        m_top = content.Top.get();
        for (m_line = 0; m_line < m_lines.size(); ++m_line) {
            const std::string_view line = m_lines[m_line];
            if (m_line == 0 && IsHeader(line))
                continue;
            if (TrimRight(line).empty() || line.front() == ';')
                continue;
            bool parsed = false;
            if (line.front() == '[')
                parsed = ReadKeyLine(line);
            else if (line.front() == '@' || line.front() == '"')
                parsed = ReadValueLine(line);
            if (!parsed)
                m_whole = false;
        }
        if (m_lines.empty() || !IsHeader(m_lines.front()))
            m_whole = false;
        content.Whole = content.Whole && m_whole;
        return content;
    }

private:
    static bool IsHeader(std::string_view line)
    {
        line = TrimRight(line);
        return line == kRegFileHeader || line == "REGEDIT4";
    }

    void SplitLines()
    {
        std::size_t start = 0;
        while (start < m_text.size()) {
            std::size_t end = m_text.find('\n', start);
            if (end == std::string_view::npos)
                end = m_text.size();
            std::string_view line = m_text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            m_lines.push_back(line);
            start = end + 1;
        }
    }

    bool ReadKeyLine(std::string_view line)
    {
        m_key = nullptr;
        line = TrimRight(line);
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos || close != line.size() - 1)
            return false;
        std::string_view path = line.substr(1, close - 1);
        // "[-...]" deletes a key when a file is imported; the store has no use for it.
        if (path.empty() || path.front() == '-')
            return false;
        TRegistryKey* key = m_top;
        while (true) {
            const std::size_t sep = path.find('\\');
            const std::string_view name = path.substr(0, sep);
            if (!IsValidKeyName(name))
                return false;
            bool added = false;
            const auto sub = key->AddSubkey(name, added);
            if (!sub)
                return false;
            key = sub.get();
            if (sep == std::string_view::npos)
                break;
            path.remove_prefix(sep + 1);
        }
        m_key = key;
        return true;
    }

    bool ReadValueLine(std::string_view line)
    {
        std::string name;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto quoted = ParseQuoted(line, pos);
            if (!quoted)
                return false;
            name = std::move(*quoted);
        }
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return false;
        const std::string_view data = TrimLeft(line.substr(pos + 1));
        std::optional<TRegistryValue> value = ReadData(data);
        if (!value || !m_key || !IsValidValueName(name))
            return false;
        m_key->SetValue(name, std::move(*value));
        return true;
    }

    std::optional<TRegistryValue> ReadData(std::string_view data)
    {
        if (!data.empty() && data.front() == '"') {
            std::size_t pos = 0;
            auto text = ParseQuoted(data, pos);
            if (!text || !TrimRight(data.substr(pos)).empty())
                return std::nullopt;
            return TRegistryValue{TRegType::String, StringData(*text)};
        }
        if (StartsWithNoCase(data, "dword:")) {
            const auto v = ParseHex32(TrimRight(data.substr(6)));
            if (!v)
                return std::nullopt;
            return TRegistryValue{TRegType::Dword, DwordData(*v)};
        }
        if (!StartsWithNoCase(data, "hex"))
            return std::nullopt;
        std::uint32_t type = static_cast<std::uint32_t>(TRegType::Binary);
        std::string_view rest = data.substr(3);
        if (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos)
                return std::nullopt;
            const auto number = ParseHex32(rest.substr(1, close - 1));
            if (!number)
                return std::nullopt;
            type = *number;
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':')
            return std::nullopt;
        const auto bytes = ParseHexBytes(JoinContinuations(rest.substr(1)));
        if (!bytes)
            return std::nullopt;
        return TRegistryValue{static_cast<TRegType>(type), *bytes};
    }

    // Hex data goes on over the next lines while a line ends with "\". A line
    // that starts a key or a value is never taken as a continuation.
    std::string JoinContinuations(std::string_view first)
    {
        std::string joined;
        std::string_view part = TrimRight(first);
        while (!part.empty() && part.back() == '\\') {
            part.remove_suffix(1);
            joined += part;
            if (m_line + 1 >= m_lines.size())
                return joined;
            const std::string_view next = TrimLeft(m_lines[m_line + 1]);
            if (!next.empty() &&
                (next.front() == '[' || next.front() == '"' || next.front() == '@'))
                return joined + "\\"; // leaves the data unparsable
            ++m_line;
            part = TrimRight(next);
        }
        joined += part;
        return joined;
    }

    std::string_view m_text;
    std::vector<std::string_view> m_lines;
    std::size_t m_line = 0;
    TRegistryKey* m_top = nullptr;
    TRegistryKey* m_key = nullptr;
    bool m_whole = true;
};

// ---- writing ----

void AppendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void AppendHex2(std::string& out, unsigned value)
{
    static constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out += kDigits[(value >> 4) & 0xFu];
    out += kDigits[value & 0xFu];
}

void AppendHex32(std::string& out, std::uint32_t value, bool fixedWidth)
{
    bool started = fixedWidth;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const unsigned digit = (value >> shift) & 0xFu;
        if (digit != 0 || shift == 0)
            started = true;
        if (started)
            out += "0123456789abcdef"[digit];
    }
}

// The text of REG_SZ data when it can be written as a quoted string: UTF-16LE
// ending in its one terminating zero, with no other zero and no line break.
std::optional<std::string> PlainString(const std::string& data)
{
    if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 1] != '\0' ||
        data[data.size() - 2] != '\0')
        return std::nullopt;
    const std::string_view body(data.data(), data.size() - 2);
    bool clean = true;
    std::string text = Utf16ToUtf8(body, false, clean);
    if (!clean || text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return std::nullopt;
    return text;
}

void AppendHexData(std::string& out, std::string line, const std::string& data)
{
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t piece = i + 1 < data.size() ? 3 : 2;
        if (line.size() + piece > kHexLineLimit && line.size() > 2) {
            out += line;
            out += "\\\n";
            line = "  ";
        }
        AppendHex2(line, static_cast<unsigned char>(data[i]));
        if (i + 1 < data.size())
            line += ',';
    }
    out += line;
}

void AppendValue(std::string& out, std::string_view name, const TRegistryValue& value)
{
    std::string line;
    if (name.empty())
        line = "@";
    else
        AppendQuoted(line, name);
    line += '=';
    const auto type = static_cast<std::uint32_t>(value.Type);
    if (value.Type == TRegType::Dword && value.Data.size() == 4) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.Data[i])) << (8 * i);
        line += "dword:";
        AppendHex32(line, v, true);
        out += line;
    } else if (const auto text =
                   value.Type == TRegType::String ? PlainString(value.Data) : std::nullopt) {
        AppendQuoted(line, *text);
        out += line;
    } else {
        line += "hex";
        if (value.Type != TRegType::Binary) {
            line += '(';
            AppendHex32(line, type, false);
            line += ')';
        }
        line += ':';
        AppendHexData(out, std::move(line), value.Data);
    }
    out += '\n';
}

void AppendKey(std::string& out, const std::string& path, const TRegistryKey& key, bool hive)
{
    if (!hive || key.Values().Size() != 0) {
        out += "\n[";
        out += path;
        out += "]\n";
        for (const auto& value : key.Values())
            AppendValue(out, value.Name, value.Item);
    }
    for (const auto& sub : key.Subkeys())
        AppendKey(out, path + '\\' + sub.Name, *sub.Item, false);
}

} // namespace

std::string DecodeRegFileText(std::string_view bytes, bool& clean)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return SanitizeUtf8(bytes.substr(3), clean);
    if (bytes.starts_with("\xFF\xFE"))
        return Utf16ToUtf8(bytes.substr(2), false, clean);
    if (bytes.starts_with("\xFE\xFF"))
        return Utf16ToUtf8(bytes.substr(2), true, clean);
    return SanitizeUtf8(bytes, clean);
}

TRegFileContent ReadRegFile(std::string_view bytes)
{
    bool clean = true;
    const std::string text = DecodeRegFileText(bytes, clean);
    TReader reader(text);
    return reader.Read(clean);
}

std::string WriteRegFile(const TRegistryKey& top)
{
    std::string out(kRegFileHeader);
    out += '\n';
    for (const auto& hive : top.Subkeys())
        AppendKey(out, hive.Name, *hive.Item, true);
    return out;
}

} // namespace mecovnik
