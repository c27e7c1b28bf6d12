#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// A connection that has not sent a whole request this long after it opened
// or after its last answer is closed (idle or too slow).
inline constexpr int kPlayerViewIdleSeconds = 10;
// An event stream whose viewer has not taken what was sent this long is
// closed: the phone is gone or asleep; it reconnects when it wakes.
inline constexpr int kPlayerViewStalledSeconds = 30;
// The ports a user may choose: none of the system's own below 1024.
inline constexpr int kPlayerViewLowestPort = 1024;
inline constexpr int kPlayerViewHighestPort = 65535;

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

// What the bytes of a request received so far are.
enum class TRequestHead : std::uint8_t
{
    Partial,  // a request head so far, not yet ended by an empty line
    Complete, // one whole request head and nothing after it
    Refused,  // not a request this server takes: malformed, too long, with a
              // body, an upgrade, or more than one request at once
};

// Screens the bytes of one request head as they come, before any parser sees
// them: a request line "METHOD SP target SP HTTP/1.0|1.1", header lines
// "name: value", every line ended by CR LF, an empty line at the end, all in
// at most kPlayerViewMaxRequestBytes. The method is capital letters, the
// target printable ASCII without spaces, a name the token characters of HTTP,
// a value without control characters but tab. A request with a body
// (Content-Length other than 0, Transfer-Encoding) or asking for an Upgrade is
// refused, and so are bytes after the empty line (the server answers one
// request at a time). Partial means nothing wrong has come yet.
[[nodiscard]] TRequestHead ScreenRequestHead(std::string_view bytes);

// The method and target of a head that ScreenRequestHead found complete.
struct TRequestLine
{
    std::string_view Method;
    std::string_view Target;
};
[[nodiscard]] TRequestLine RequestLineOf(std::string_view head);

// One server-sent event carrying data, which must hold no line break:
// "data: <data>\n\n".
[[nodiscard]] std::string ServerSentEvent(std::string_view data);

// The players' link: "http://<host>:<port>/<token>"; an IPv6 host goes in
// brackets.
[[nodiscard]] std::string PlayerViewLink(std::string_view host, int port, std::string_view token);

// An address of one of the computer's network interfaces.
struct TInterfaceAddress
{
    std::string Ipv4; // dotted quad; empty for an address of another kind
    bool Up = false;  // the interface is up and running
    bool Loopback = false;
};

// The address the players' phones can reach the computer at: an IPv4 address
// of an interface that is up and not loopback, a private-network one
// (10/8, 172.16/12, 192.168/16) before any other and link-local (169.254/16)
// last, the first in the given order among equals; "127.0.0.1" when there is
// none (no network: the link works on this computer only).
[[nodiscard]] std::string PickLinkAddress(const std::vector<TInterfaceAddress>& addresses);

} // namespace mecovnik
