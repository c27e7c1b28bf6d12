#include "text/Quoted.h"

#include "text/Numbers.h"

namespace mecovnik {

namespace {

// The escape that stands for c ("" when c stands for itself); a control
// character without a letter of its own is written "\xHH".
std::string_view EscapeOf(unsigned char c, TEscaping escaping)
{
    switch (c) {
    case '\\':
        return "\\\\";
    case '"':
        return "\\\"";
    default:
        break;
    }
    if (escaping == TEscaping::QuotesOnly)
        return {};
    switch (c) {
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    default:
        return c < 0x20 || c == 0x7f ? "\\x" : std::string_view();
    }
}

} // namespace

void AppendQuoted(std::string& out, std::string_view text, TEscaping escaping)
{
    out += '"';
    // Runs without escapes are copied whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::string_view escape = EscapeOf(c, escaping);
        if (escape.empty())
            continue;
        out.append(text.substr(run, i - run));
        out += escape;
        if (escape == "\\x")
            AppendHexByte(out, c);
        run = i + 1;
    }
    out.append(text.substr(run));
    out += '"';
}

std::size_t QuotedSize(std::string_view text, TEscaping escaping)
{
    std::size_t size = text.size() + 2;
    for (const char ch : text) {
        const std::string_view escape = EscapeOf(static_cast<unsigned char>(ch), escaping);
        if (!escape.empty())
            size += escape == "\\x" ? 3 : 1;
    }
    return size;
}

std::optional<std::string> ReadQuoted(std::string_view s, std::size_t& pos, TEscaping escaping)
{
    std::string out;
    std::size_t run = pos + 1;
    std::size_t i = run;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            out.append(s.substr(run, i - run));
            pos = i + 1;
            return out;
        }
        if (c != '\\') {
            ++i;
            continue;
        }
        const char e = i + 1 < s.size() ? s[i + 1] : '\0';
        if (escaping == TEscaping::QuotesOnly) {
            // Any other backslash stands for itself, and so does the next
            // character.
            if (e == '\\' || e == '"') {
                out.append(s.substr(run, i - run));
                out += e;
                run = i + 2;
            }
            i += 2;
            continue;
        }
        if (i + 1 >= s.size())
            return std::nullopt;
        out.append(s.substr(run, i - run));
        i += 2;
        switch (e) {
        case '\\':
        case '"':
            out += e;
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            const auto value = s.size() - i >= 2 ? ParseHex32(s.substr(i, 2)) : std::nullopt;
            if (!value)
                return std::nullopt;
            out += static_cast<char>(*value);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
        run = i;
    }
    return std::nullopt;
}

} // namespace mecovnik
