#include "playerview/PlayerAccess.h"

#include <algorithm>
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

} // namespace mecovnik
