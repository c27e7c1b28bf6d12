#include "persistence/RegFileFormat.h"

#include "text/Numbers.h"
#include "text/Quoted.h"
#include "text/Utf8.h"

#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>
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
    TReader(std::string_view text, const TRegReadLimits& limits) : m_text(text), m_limits(limits)
    {
        if (limits.Truncated) {
            // The last line was cut off with the file.
            const std::size_t lastBreak = m_text.rfind('\n');
            m_text = m_text.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
        }
    }

    TRegFileContent Read(bool clean)
    {
        TRegFileContent content{std::make_shared<TRegistryKey>(), clean && !m_limits.Truncated, 0};
        m_top = content.Top.get();
        m_count = HeaderBytes();
        bool first = true;
        bool header = false;
        std::string_view line;
        while (NextLine(line)) {
            if (std::exchange(first, false) && IsHeader(line)) {
                header = true;
                continue;
            }
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
        content.Whole = content.Whole && m_whole && header;
        content.Bytes = m_count;
        return content;
    }

private:
    static bool IsHeader(std::string_view line)
    {
        line = TrimRight(line);
        return line == kRegFileHeader || line == "REGEDIT4";
    }

    // The line at m_pos, without its line end; false at the end of the text.
    bool PeekLine(std::string_view& line) const
    {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        line = m_text.substr(m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

    bool NextLine(std::string_view& line)
    {
        if (!PeekLine(line))
            return false;
        const std::size_t end = m_text.find('\n', m_pos);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
        return true;
    }

    bool Fits(std::size_t add, std::size_t release, bool foreign) const
    {
        const std::size_t count = m_count - release;
        if (add > m_limits.Limit || count > m_limits.Limit - add)
            return false;
        if (!foreign)
            return true;
        const std::size_t foreignCount = m_foreign - release;
        return add <= m_limits.ForeignLimit && foreignCount <= m_limits.ForeignLimit - add;
    }

    TOwnership::TKeyOwner Child(const TOwnership::TKeyOwner& parent, std::string_view name) const
    {
        if (!m_limits.Ownership)
            return {TOwnership::TPlace::Foreign, {}};
        return m_limits.Ownership->Child(parent, name);
    }

    // A key line makes its key and every missing key on the way, or, when a
    // name is not valid, a key would lie too deep or the new keys would not
    // fit, nothing at all.
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
        std::vector<std::string_view> names;
        while (true) {
            const std::size_t sep = path.find('\\');
            names.push_back(path.substr(0, sep));
            if (!IsValidKeyName(names.back()) ||
                names.size() > static_cast<std::size_t>(kMaxKeyDepth) + 1)
                return false;
            if (sep == std::string_view::npos)
                break;
            path.remove_prefix(sep + 1);
        }
        TRegistryKey* key = m_top;
        TOwnership::TKeyOwner owner =
            m_limits.Ownership ? TOwnership::Top() : TOwnership::TKeyOwner{};
        std::size_t level = 0;
        for (; level < names.size(); ++level) {
            const auto sub = key->Subkey(names[level]);
            if (!sub)
                break;
            owner = Child(owner, names[level]);
            key = sub.get();
        }
        // What the missing keys count, and how much of it is foreign.
        std::size_t add = 0;
        std::size_t foreign = 0;
        TOwnership::TKeyOwner newOwner = owner;
        std::size_t pathBytes = key->PathBytes();
        for (std::size_t i = level; i < names.size(); ++i) {
            pathBytes = (i == 0 ? 0 : pathBytes + 1) + names[i].size();
            newOwner = Child(newOwner, names[i]);
            add += KeyLineBytes(pathBytes);
            if (!TOwnership::OwnsKey(newOwner))
                foreign += KeyLineBytes(pathBytes);
        }
        if (!Fits(add, 0, false) || !Fits(foreign, 0, true))
            return false;
        for (std::size_t i = level; i < names.size(); ++i) {
            bool added = false;
            const auto sub = key->AddSubkey(names[i], added);
            if (!sub)
                return false; // not reached: the depth was checked
            key = sub.get();
        }
        m_count += add;
        m_foreign += foreign;
        m_key = key;
        m_keyOwner = std::move(newOwner);
        return true;
    }

    bool ReadValueLine(std::string_view line)
    {
        std::string name;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto quoted = ReadQuoted(line, pos, TEscaping::QuotesOnly);
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
        const auto* old = m_key->Values().Find(name);
        const std::string_view storedName = old ? std::string_view(old->Name) : name;
        const std::size_t release = old ? ValueLineBytes(old->Name, old->Item) : 0;
        const std::size_t add = ValueLineBytes(storedName, *value);
        const bool foreign =
            !m_limits.Ownership || !m_limits.Ownership->OwnsValue(m_keyOwner, name);
        if (!Fits(add, release, foreign))
            return false;
        m_count = m_count - release + add;
        if (foreign)
            m_foreign = m_foreign - release + add;
        m_key->SetValue(name, std::move(*value));
        return true;
    }

    std::optional<TRegistryValue> ReadData(std::string_view data)
    {
        if (!data.empty() && data.front() == '"') {
            std::size_t pos = 0;
            auto text = ReadQuoted(data, pos, TEscaping::QuotesOnly);
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
            std::string_view next;
            if (!PeekLine(next))
                // A cut-off file may have lost the rest of the data.
                return m_limits.Truncated ? joined + "\\" : joined;
            next = TrimLeft(next);
            if (!next.empty() &&
                (next.front() == '[' || next.front() == '"' || next.front() == '@'))
                return joined + "\\"; // leaves the data unparsable
            (void)NextLine(next);
            part = TrimRight(TrimLeft(next));
        }
        joined += part;
        return joined;
    }

    std::string_view m_text;
    const TRegReadLimits& m_limits;
    std::size_t m_pos = 0;
    TRegistryKey* m_top = nullptr;
    TRegistryKey* m_key = nullptr;
    TOwnership::TKeyOwner m_keyOwner;
    std::size_t m_count = 0;
    std::size_t m_foreign = 0;
    bool m_whole = true;
};

// ---- writing ----
//
// The writer and the count (ValueLineBytes) share one formatter: a sink either
// appends the text or only counts its bytes, so the two cannot disagree.

struct TTextSink
{
    std::string& Out;
    void Add(char c) { Out += c; }
    void Add(std::string_view s) { Out += s; }
    void Quoted(std::string_view s) { AppendQuoted(Out, s, TEscaping::QuotesOnly); }
    void Hex(std::uint32_t value, int width) { AppendHex(Out, value, width); }
    void HexByte(unsigned char byte) { AppendHexByte(Out, byte); }
};

struct TCountSink
{
    std::size_t Bytes = 0;
    void Add(char) { ++Bytes; }
    void Add(std::string_view s) { Bytes += s.size(); }
    void Quoted(std::string_view s) { Bytes += QuotedSize(s, TEscaping::QuotesOnly); }
    void Hex(std::uint32_t value, int width) { Bytes += HexSize(value, width); }
    void HexByte(unsigned char) { Bytes += 2; }
};

// The UTF-8 text of REG_SZ data when it can be written as a quoted string:
// valid UTF-16LE ending in its one terminating zero, with no other zero and no
// line break. Calls add for each code point; false when it cannot.
template <typename TAdd> bool ForPlainString(std::string_view data, TAdd&& add)
{
    if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 1] != '\0' ||
        data[data.size() - 2] != '\0')
        return false;
    const std::size_t units = data.size() / 2 - 1;
    const auto unit = [&data](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(data[2 * i]) |
                                     (static_cast<unsigned char>(data[2 * i + 1]) << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
        }
        if (cp == 0 || cp == '\r' || cp == '\n')
            return false;
        add(cp);
    }
    return true;
}

template <typename TSink> void AddHexData(TSink& out, std::size_t lineBytes, std::string_view data)
{
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t piece = i + 1 < data.size() ? 3 : 2;
        if (lineBytes + piece > kHexLineLimit && lineBytes > 2) {
            out.Add("\\\n  ");
            lineBytes = 2;
        }
        out.HexByte(static_cast<unsigned char>(data[i]));
        if (i + 1 < data.size())
            out.Add(',');
        lineBytes += piece;
    }
}

template <typename TSink>
void AddValue(TSink& out, std::string_view name, const TRegistryValue& value)
{
    TCountSink head;
    if (name.empty())
        head.Add('@');
    else
        head.Quoted(name);
    head.Add('=');
    if (name.empty())
        out.Add('@');
    else
        out.Quoted(name);
    out.Add('=');
    const auto type = static_cast<std::uint32_t>(value.Type);
    if (value.Type == TRegType::Dword && value.Data.size() == 4) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.Data[i])) << (8 * i);
        out.Add("dword:");
        out.Hex(v, 8);
    } else if (value.Type == TRegType::String && ForPlainString(value.Data, [](char32_t) {})) {
        std::string text;
        TCountSink count;
        ForPlainString(value.Data, [&](char32_t cp) {
            if constexpr (std::is_same_v<TSink, TCountSink>)
                count.Bytes += Utf8Size(cp) + (cp == '\\' || cp == '"' ? 1 : 0);
            else
                AppendUtf8(text, cp);
        });
        if constexpr (std::is_same_v<TSink, TCountSink>)
            out.Bytes += count.Bytes + 2;
        else
            out.Quoted(text);
    } else {
        // "hex:", or "hex(type):" for a type other than binary.
        const auto addPrefix = [&](auto& sink) {
            sink.Add("hex");
            if (value.Type != TRegType::Binary) {
                sink.Add('(');
                sink.Hex(type, 0);
                sink.Add(')');
            }
            sink.Add(':');
        };
        TCountSink prefix;
        addPrefix(prefix);
        addPrefix(out);
        AddHexData(out, head.Bytes + prefix.Bytes, value.Data);
    }
    out.Add('\n');
}

void AppendKey(std::string& out, std::string& path, const TRegistryKey& key, bool hive)
{
    TTextSink sink{out};
    if (!hive || key.Values().Size() != 0 || key.Subkeys().Size() == 0) {
        out += "\n[";
        out += path;
        out += "]\n";
        for (const auto& value : key.Values())
            AddValue(sink, value.Name, value.Item);
    }
    for (const auto& sub : key.Subkeys()) {
        const std::size_t length = path.size();
        path += '\\';
        path += sub.Name;
        AppendKey(out, path, *sub.Item, false);
        path.resize(length);
    }
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

TRegFileContent ReadRegFile(std::string_view bytes, const TRegReadLimits& limits)
{
    // Clean UTF-8, the writer's own form, is read where it lies: no copy.
    std::string_view utf8 = bytes;
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    // (A UTF-16 byte order mark is never clean UTF-8.)
    if (IsValidUtf8(utf8)) {
        TReader reader(utf8, limits);
        return reader.Read(true);
    }
    bool clean = true;
    const std::string text = DecodeRegFileText(bytes, clean);
    TReader reader(text, limits);
    return reader.Read(clean);
}

std::size_t ValueLineBytes(std::string_view name, const TRegistryValue& value)
{
    TCountSink count;
    AddValue(count, name, value);
    return count.Bytes;
}

std::string WriteRegFile(const TRegistryKey& top)
{
    std::string out(kRegFileHeader);
    out += '\n';
    for (const auto& hive : top.Subkeys()) {
        std::string path = hive.Name;
        AppendKey(out, path, *hive.Item, true);
    }
    return out;
}

} // namespace mecovnik
