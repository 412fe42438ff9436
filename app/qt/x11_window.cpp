// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/x11_window.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>

namespace vesk::x11 {
namespace {

constexpr std::uint32_t kAllDesktops = 0xFFFFFFFF;
// How long the program waits for its own short connection's answer.
constexpr std::chrono::milliseconds kServerTimeDeadline{200};

QByteArray& displayName()
{
    static QByteArray name;
    return name;
}
constexpr std::uint32_t kFromAnApplication = 1; // a request's source indication
constexpr std::uint32_t kToTheWindowManager =
    XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;

// A reply of libxcb's, freed with free().
template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <class T> Reply<T> owned(T* reply)
{
    return Reply<T>(reply, &std::free);
}

xcb_connection_t* connection()
{
    const auto* app = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return app != nullptr ? app->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t rootOf(xcb_connection_t* c, xcb_window_t window)
{
    const auto reply = owned(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A window's 32-bit number property, such as a workspace's number.
std::optional<std::uint32_t> cardinal(xcb_connection_t* c, xcb_window_t window, const char* name)
{
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom(c, name), XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
        return std::nullopt;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

// A message about `window` for the window manager (format 32) or for every
// client listening on the root (format 8).
xcb_client_message_event_t message(xcb_connection_t* c, xcb_window_t window, const char* type,
                                   std::uint8_t format)
{
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = format;
    m.window = window;
    m.type = atom(c, type);
    return m;
}

void sendToRoot(xcb_connection_t* c, xcb_window_t root, const xcb_client_message_event_t& m,
                std::uint32_t mask)
{
    xcb_send_event(c, 0, root, mask, reinterpret_cast<const char*>(&m));
}

// The toolkit's connection, the window and its root, where X11 is in use.
struct Target {
    xcb_connection_t* c;
    xcb_window_t window, root;
};

std::optional<Target> target(WId window)
{
    if (!inUse())
        return std::nullopt;
    xcb_connection_t* c = connection();
    const auto id = static_cast<xcb_window_t>(window);
    const xcb_window_t root = rootOf(c, id);
    if (root == XCB_WINDOW_NONE)
        return std::nullopt;
    return Target{c, id, root};
}

// The server's time now: the stamp on the notice of a change to a property of
// a window of our own. The toolkit reads every event of its own connection, so
// this takes a short one of its own, to the same display, and waits for the
// notice no longer than a moment: without it, the request goes out unstamped.
std::optional<quint32> serverTime(xcb_window_t root)
{
    const auto deadline = std::chrono::steady_clock::now() + kServerTimeDeadline;
    xcb_connection_t* c =
        xcb_connect(displayName().isEmpty() ? nullptr : displayName().constData(), nullptr);
    std::optional<quint32> time;
    if (xcb_connection_has_error(c) == 0) {
        const xcb_window_t probe = xcb_generate_id(c);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c, 0, probe, root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, 0,
                          XCB_CW_EVENT_MASK, &events);
        xcb_change_property(c, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                            "");
        xcb_flush(c);
        while (!time && xcb_connection_has_error(c) == 0) {
            const auto event = owned(xcb_poll_for_event(c));
            if (!event) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now());
                pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
                if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                    break;
                continue;
            }
            const auto* notice = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && notice->window == probe)
                time = notice->time;
        }
    }
    xcb_disconnect(c); // destroys the probe window too
    return time;
}

} // namespace

void useDisplay(const QByteArray& name)
{
    displayName() = name;
}

bool inUse()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") && connection() != nullptr;
}

void bringToCurrentWorkspace(WId window)
{
    const auto t = target(window);
    if (!t)
        return;
    const auto current = cardinal(t->c, t->root, "_NET_CURRENT_DESKTOP");
    const auto own = cardinal(t->c, t->window, "_NET_WM_DESKTOP");
    if (!current || !own || *own == *current || *own == kAllDesktops)
        return;
    xcb_client_message_event_t m = message(t->c, t->window, "_NET_WM_DESKTOP", 32);
    m.data.data32[0] = *current;
    m.data.data32[1] = kFromAnApplication;
    sendToRoot(t->c, t->root, m, kToTheWindowManager);
    xcb_flush(t->c);
}

void activate(WId window, std::optional<quint32> time)
{
    const auto t = target(window);
    if (!t)
        return;
    xcb_client_message_event_t m = message(t->c, t->window, "_NET_ACTIVE_WINDOW", 32);
    m.data.data32[0] = kFromAnApplication;
    m.data.data32[1] = time ? *time : serverTime(t->root).value_or(XCB_CURRENT_TIME);
    sendToRoot(t->c, t->root, m, kToTheWindowManager);
    xcb_flush(t->c);
}

void sendStartupMessage(WId window, const QByteArray& text)
{
    const auto t = target(window);
    if (!t)
        return;
    // In pieces of 20 bytes, the first typed _BEGIN, the text ending in a NUL.
    xcb_client_message_event_t piece = message(t->c, t->window, "_NET_STARTUP_INFO_BEGIN", 8);
    const xcb_atom_t more = atom(t->c, "_NET_STARTUP_INFO");
    const QByteArray bytes = text + '\0';
    for (qsizetype sent = 0; sent < bytes.size(); sent += 20) {
        std::memset(piece.data.data8, 0, sizeof piece.data.data8);
        std::memcpy(piece.data.data8, bytes.constData() + sent,
                    static_cast<std::size_t>(std::min<qsizetype>(20, bytes.size() - sent)));
        sendToRoot(t->c, t->root, piece, XCB_EVENT_MASK_PROPERTY_CHANGE);
        piece.type = more;
    }
    xcb_flush(t->c);
}

} // namespace vesk::x11
