#include "playerview/PlayerAccess.h"

#include "text/Numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

namespace mecovnik {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

constexpr std::size_t kShortestToken = 22; // 22 * 6 = 132 bits
constexpr std::size_t kLongestToken = 128;

bool IsTokenCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// HTTP's token characters (RFC 9110): names of methods and headers.
bool IsTchar(char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Whether line (without its CR LF) can begin a request line; complete: the
// whole line has come.
bool RequestLineFits(std::string_view line, bool complete)
{
    const std::size_t methodEnd = line.find(' ');
    const std::string_view method = line.substr(0, methodEnd);
    if (!std::all_of(method.begin(), method.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        return false;
    if (methodEnd == std::string_view::npos)
        return !complete && method.size() <= 16;
    if (method.empty())
        return false;
    const std::string_view rest = line.substr(methodEnd + 1);
    const std::size_t targetEnd = rest.find(' ');
    const std::string_view target = rest.substr(0, targetEnd);
    if (!std::all_of(target.begin(), target.end(), [](char c) { return c > ' ' && c < '\x7F'; }))
        return false;
    if (targetEnd == std::string_view::npos)
        return !complete;
    if (target.empty())
        return false;
    const std::string_view version = rest.substr(targetEnd + 1);
    for (const std::string_view known : {"HTTP/1.1", "HTTP/1.0"}) {
        if (complete ? version == known : known.starts_with(version))
            return true;
    }
    return false;
}

// Whether line (without its CR LF) can begin a header line this server takes.
bool HeaderLineFits(std::string_view line, bool complete)
{
    const std::size_t colon = line.find(':');
    const std::string_view name = line.substr(0, colon);
    if (!std::all_of(name.begin(), name.end(), IsTchar))
        return false;
    if (colon == std::string_view::npos)
        return !complete;
    if (name.empty())
        return false;
    const std::string_view value = line.substr(colon + 1);
    if (!std::all_of(value.begin(), value.end(), [](char c) {
            return c == '\t' || (static_cast<unsigned char>(c) >= ' ' && c != '\x7F');
        }))
        return false;
    if (!complete)
        return true;
    if (EqualsIgnoringCase(name, "Transfer-Encoding") || EqualsIgnoringCase(name, "Upgrade"))
        return false;
    if (EqualsIgnoringCase(name, "Content-Length")) {
        const std::optional<std::int32_t> length = ParseInt32(Trimmed(value));
        return length && *length == 0;
    }
    return true;
}

} // namespace

std::string MakePlayerViewToken(const TRandomBytes& random)
{
    static_assert(kPlayerViewTokenBytes % 3 == 0, "whole base64 groups, no padding");
    std::vector<std::uint8_t> bytes(kPlayerViewTokenBytes);
    random(bytes);
    std::string token;
    token.reserve(kPlayerViewTokenBytes / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t group = std::uint32_t{bytes[i]} << 16 |
                                    std::uint32_t{bytes[i + 1]} << 8 | std::uint32_t{bytes[i + 2]};
        for (int shift = 18; shift >= 0; shift -= 6)
            token += kAlphabet[(group >> shift) & 0x3F];
    }
    return token;
}

bool IsPlayerViewToken(std::string_view text)
{
    return text.size() >= kShortestToken && text.size() <= kLongestToken &&
           std::all_of(text.begin(), text.end(), IsTokenCharacter);
}

bool TokensEqual(std::string_view expected, std::string_view given)
{
    // Every byte of expected is compared whatever came before; only the
    // lengths, which are no secret, steer the loop.
    volatile unsigned char differ = expected.size() == given.size() ? 0 : 1;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const unsigned char g = i < given.size() ? static_cast<unsigned char>(given[i]) : 0;
        differ = differ | static_cast<unsigned char>(static_cast<unsigned char>(expected[i]) ^ g);
    }
    return differ == 0;
}

TPlayerRequest ClassifyPlayerRequest(std::string_view method, std::string_view path,
                                     std::string_view token)
{
    if (path.size() > kPlayerViewMaxPathBytes || path.empty() || path.front() != '/')
        return TPlayerRequest::Refused;
    if (method != "GET" && method != "HEAD")
        return TPlayerRequest::Refused;
    if (!std::all_of(path.begin(), path.end(), [](char c) { return c > ' ' && c < '\x7F'; }))
        return TPlayerRequest::Refused;
    if (!IsPlayerViewToken(token))
        return TPlayerRequest::Refused;

    const std::size_t query = path.find('?');
    path = path.substr(1, query == std::string_view::npos ? std::string_view::npos : query - 1);
    const std::size_t slash = path.find('/');
    const std::string_view given = path.substr(0, slash);
    if (!TokensEqual(token, given))
        return TPlayerRequest::Refused;
    const std::string_view rest = slash == std::string_view::npos ? "" : path.substr(slash);
    if (rest.empty() || rest == "/")
        return TPlayerRequest::Page;
    if (rest == "/data")
        return TPlayerRequest::Data;
    if (rest == "/events")
        return TPlayerRequest::Events;
    return TPlayerRequest::NotFound;
}

int HttpStatus(TPlayerRequest request)
{
    switch (request) {
    case TPlayerRequest::Page:
    case TPlayerRequest::Data:
    case TPlayerRequest::Events:
        return 200;
    case TPlayerRequest::NotFound:
        return 404;
    case TPlayerRequest::Refused:
        break;
    }
    return 403;
}

TRequestHead ScreenRequestHead(std::string_view bytes)
{
    std::size_t lineStart = 0;
    bool first = true;
    while (true) {
        const std::size_t end = bytes.find("\r\n", lineStart);
        const bool complete = end != std::string_view::npos;
        const std::string_view line =
            bytes.substr(lineStart, complete ? end - lineStart : std::string_view::npos);
        // A lone CR or LF inside a line is no line end this server takes.
        const std::string_view body =
            !complete && line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
        if (body.find_first_of("\r\n") != std::string_view::npos)
            return TRequestHead::Refused;
        if (complete && line.empty() && !first) {
            if (end + 2 > kPlayerViewMaxRequestBytes)
                return TRequestHead::Refused;
            return end + 2 == bytes.size() ? TRequestHead::Complete : TRequestHead::Refused;
        }
        if (!(first ? RequestLineFits(body, complete) : HeaderLineFits(body, complete)))
            return TRequestHead::Refused;
        if (!complete)
            return bytes.size() < kPlayerViewMaxRequestBytes ? TRequestHead::Partial
                                                             : TRequestHead::Refused;
        first = false;
        lineStart = end + 2;
    }
}

TRequestLine RequestLineOf(std::string_view head)
{
    const std::string_view line = head.substr(0, head.find("\r\n"));
    const std::size_t methodEnd = line.find(' ');
    if (methodEnd == std::string_view::npos)
        return {};
    const std::string_view rest = line.substr(methodEnd + 1);
    return {line.substr(0, methodEnd), rest.substr(0, rest.find(' '))};
}

std::string ServerSentEvent(std::string_view data)
{
    std::string event;
    event.reserve(data.size() + 8);
    event += "data: ";
    event += data;
    event += "\n\n";
    return event;
}

std::string PlayerViewLink(std::string_view host, int port, std::string_view token)
{
    std::string link = "http://";
    if (host.find(':') != std::string_view::npos)
        link.append("[").append(host).append("]");
    else
        link += host;
    link += ":" + std::to_string(port) + "/";
    link += token;
    return link;
}

namespace {

// 0 best: a private network; 1 any other; 2 link-local (169.254/16). No
// value for what is not a usable IPv4 address.
std::optional<int> LinkRank(const TInterfaceAddress& address)
{
    if (!address.Up || address.Loopback || address.Ipv4.empty())
        return std::nullopt;
    std::array<int, 4> octet{};
    std::string_view rest = address.Ipv4;
    for (std::size_t i = 0; i < octet.size(); ++i) {
        const std::size_t dot = rest.find('.');
        if ((dot == std::string_view::npos) != (i == octet.size() - 1))
            return std::nullopt;
        const std::optional<std::int32_t> value = ParseInt32(rest.substr(0, dot));
        if (!value || *value < 0 || *value > 255)
            return std::nullopt;
        octet[i] = *value;
        rest = dot == std::string_view::npos ? std::string_view{} : rest.substr(dot + 1);
    }
    if (octet[0] == 127 || octet[0] == 0)
        return std::nullopt;
    if (octet[0] == 10 || (octet[0] == 172 && octet[1] >= 16 && octet[1] <= 31) ||
        (octet[0] == 192 && octet[1] == 168))
        return 0;
    if (octet[0] == 169 && octet[1] == 254)
        return 2;
    return 1;
}

} // namespace

std::string PickLinkAddress(const std::vector<TInterfaceAddress>& addresses)
{
    const TInterfaceAddress* best = nullptr;
    int bestRank = 3;
    for (const TInterfaceAddress& address : addresses) {
        const std::optional<int> rank = LinkRank(address);
        if (rank && *rank < bestRank) {
            best = &address;
            bestRank = *rank;
        }
    }
    return best ? best->Ipv4 : std::string("127.0.0.1");
}

} // namespace mecovnik
