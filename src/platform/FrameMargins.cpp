#include "platform/FrameMargins.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace mecovnik {

namespace {

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The 32-bit items of a property, at most max of them.
std::optional<std::vector<std::uint32_t>> Property(xcb_connection_t* c, xcb_window_t window,
                                                   xcb_atom_t property, xcb_atom_t type,
                                                   std::uint32_t max)
{
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, max), nullptr));
    if (!reply || reply->format != 32 || reply->type != type)
        return std::nullopt;
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(items, items + count);
}

// True when a window manager runs that says it answers frame-extent requests.
bool ManagerAnswersRequests(xcb_connection_t* c, xcb_window_t root, xcb_atom_t request)
{
    const auto check = Property(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 1);
    if (!check || check->size() != 1)
        return false;
    // A manager that died leaves its check window's id behind; the window is gone.
    const auto alive =
        Property(c, (*check)[0], Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 1);
    if (!alive || alive->size() != 1 || (*alive)[0] != (*check)[0])
        return false;
    const auto supported = Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (!supported)
        return false;
    for (const std::uint32_t atom : *supported)
        if (atom == request)
            return true;
    return false;
}

// Frame margins the extents stand for; negative or absurd values count as none.
std::optional<QMargins> ToMargins(const std::vector<std::uint32_t>& extents)
{
    if (extents.size() != 4)
        return std::nullopt;
    for (const std::uint32_t e : extents)
        if (e > 1000)
            return std::nullopt;
    // _NET_FRAME_EXTENTS: left, right, top, bottom.
    return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                    static_cast<int>(extents[1]), static_cast<int>(extents[3]));
}

QMargins AskWindowManager(QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return {};
    xcb_connection_t* c = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem)
        return {};
    // The window is on the default screen of the connection Qt opened.
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extentsAtom = Atom(c, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extentsAtom == XCB_ATOM_NONE ||
        !ManagerAnswersRequests(c, root, request))
        return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);

    // The answer is a property on the window; Qt reads the connection's events
    // on its own, so the property is polled, for a quarter of a second at most.
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(250);
    for (;;) {
        if (const auto extents = Property(c, id, extentsAtom, XCB_ATOM_CARDINAL, 4))
            if (const auto margins = ToMargins(*extents))
                return *margins;
        if (steady_clock::now() >= deadline)
            return {};
        std::this_thread::sleep_for(milliseconds(2));
    }
}

} // namespace

QMargins FrameMargins(QWidget& window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !window.isVisible())
        return AskWindowManager(window);
    // Elsewhere the platform knows the frame once the native window exists.
    window.winId();
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

} // namespace mecovnik
