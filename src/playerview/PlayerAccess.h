#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace mecovnik {

// The port the players' view listens on unless the user chose another.
inline constexpr std::uint16_t kPlayerViewDefaultPort = 8765;
// Connections served at once, page, data and event streams together; more
// are closed at once. Room for a table of phones and a few stale ones.
inline constexpr int kPlayerViewMaxConnections = 64;
// The most bytes of one request (request line and headers); a longer one is
// refused unread.
inline constexpr std::size_t kPlayerViewMaxRequestBytes = 8 * 1024;
// The longest request path (query included) that is looked at.
inline constexpr std::size_t kPlayerViewMaxPathBytes = 256;
// An event stream with nothing new sends a comment this often, so a dropped
// phone is noticed and proxies keep the stream open.
inline constexpr int kPlayerViewKeepAliveSeconds = 15;

// Random bytes from a source fit for secrets (the system's, never a
// clock-seeded generator): fills the span.
using TRandomBytes = std::function<void(std::span<std::uint8_t>)>;

// Random bytes in a token: 144 bits.
inline constexpr std::size_t kPlayerViewTokenBytes = 18;

// A new token: kPlayerViewTokenBytes random bytes as URL-safe base64 (the
// letters, digits, '-' and '_'; no padding), 24 characters.
[[nodiscard]] std::string MakePlayerViewToken(const TRandomBytes& random);

// Whether text can be a token: 22 to 128 characters of URL-safe base64, so
// at least 128 bits. A stored token that is not one is made anew.
[[nodiscard]] bool IsPlayerViewToken(std::string_view text);

// Whether given equals expected, in a time that depends on their lengths
// only, never on where they first differ.
[[nodiscard]] bool TokensEqual(std::string_view expected, std::string_view given);

// What a request of the players' view asks for.
enum class TPlayerRequest : std::uint8_t
{
    Page,     // "/<token>" or "/<token>/": the page
    Data,     // "/<token>/data": the view's JSON
    Events,   // "/<token>/events": the view's JSON as server-sent events
    Refused,  // 403, empty body: no or a wrong token, another method, a
              // malformed or too long path
    NotFound, // 404: the right token, but nothing served there
};

// Decides a request from its method and path (a query after '?' is allowed
// and ignored). Only GET and HEAD are served. A path longer than
// kPlayerViewMaxPathBytes, not starting with '/', or holding anything but
// printable ASCII is refused before the token is looked at, and so is every
// request while the expected token is not a token (never serve an empty
// one).
[[nodiscard]] TPlayerRequest ClassifyPlayerRequest(std::string_view method, std::string_view path,
                                                   std::string_view token);

// The HTTP status of the answer: 200, 403 or 404.
[[nodiscard]] int HttpStatus(TPlayerRequest request);

} // namespace mecovnik
