// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/x11_window.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

// The toolkit hands out its X connection, but not the X protocol library's
// calls: these few are looked up in that library, which is loaded whenever the
// toolkit draws through X11, so that the program neither links it nor needs
// its headers to build. The structures are the X protocol's own, fixed on the
// wire.
struct xcb_connection_t;

namespace vesk::x11 {
namespace {

using Window = std::uint32_t;
using Atom = std::uint32_t;

struct Cookie {
    unsigned sequence;
};

struct AtomReply {
    std::uint8_t responseType, pad;
    std::uint16_t sequence;
    std::uint32_t length;
    Atom atom;
};

struct TreeReply {
    std::uint8_t responseType, pad;
    std::uint16_t sequence;
    std::uint32_t length;
    Window root, parent;
};

struct PropertyReply {
    std::uint8_t responseType, format;
    std::uint16_t sequence;
    std::uint32_t length;
    Atom type;
    std::uint32_t bytesAfter;
    std::uint32_t valueLength;
    std::uint8_t pad[12];
    // the value follows
};
static_assert(sizeof(PropertyReply) == 32);

struct ClientMessage {
    std::uint8_t responseType, format;
    std::uint16_t sequence;
    Window window;
    Atom type;
    union {
        std::uint8_t data8[20];
        std::uint32_t data32[5];
    } data;
};
static_assert(sizeof(ClientMessage) == 32);

struct PropertyNotify {
    std::uint8_t responseType, pad;
    std::uint16_t sequence;
    Window window;
    Atom atom;
    std::uint32_t time;
};

constexpr std::uint8_t kClientMessage = 33;
constexpr std::uint8_t kPropertyNotify = 28;
constexpr std::uint32_t kSubstructureNotify = 0x80000, kSubstructureRedirect = 0x100000;
constexpr std::uint32_t kPropertyChange = 0x400000;
constexpr std::uint32_t kEventMaskAttribute = 0x800;
constexpr std::uint16_t kInputOnly = 2;
constexpr std::uint8_t kAppend = 2;
constexpr Atom kWmName = 39, kString = 31, kCardinal = 6;
constexpr std::uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr std::uint32_t kFromAnApplication = 1; // a request's source indication

struct Xcb {
    Cookie (*internAtom)(xcb_connection_t*, std::uint8_t, std::uint16_t, const char*);
    AtomReply* (*internAtomReply)(xcb_connection_t*, Cookie, void**);
    Cookie (*queryTree)(xcb_connection_t*, Window);
    TreeReply* (*queryTreeReply)(xcb_connection_t*, Cookie, void**);
    Cookie (*getProperty)(xcb_connection_t*, std::uint8_t, Window, Atom, Atom, std::uint32_t,
                          std::uint32_t);
    PropertyReply* (*getPropertyReply)(xcb_connection_t*, Cookie, void**);
    Cookie (*sendEvent)(xcb_connection_t*, std::uint8_t, Window, std::uint32_t, const char*);
    int (*flush)(xcb_connection_t*);
    xcb_connection_t* (*connect)(const char*, int*);
    int (*hasError)(xcb_connection_t*);
    void (*disconnect)(xcb_connection_t*);
    std::uint32_t (*generateId)(xcb_connection_t*);
    Cookie (*createWindow)(xcb_connection_t*, std::uint8_t, Window, Window, std::int16_t,
                           std::int16_t, std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t,
                           std::uint32_t, std::uint32_t, const void*);
    Cookie (*changeProperty)(xcb_connection_t*, std::uint8_t, Window, Atom, Atom, std::uint8_t,
                             std::uint32_t, const void*);
    void* (*waitForEvent)(xcb_connection_t*);
};

template <class F> bool resolve(void* library, const char* name, F& function)
{
    function = reinterpret_cast<F>(::dlsym(library, name));
    return function != nullptr;
}

const Xcb* xcb()
{
    static const std::optional<Xcb> calls = []() -> std::optional<Xcb> {
        void* library = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
        Xcb x{};
        if (library == nullptr || !resolve(library, "xcb_intern_atom", x.internAtom) ||
            !resolve(library, "xcb_intern_atom_reply", x.internAtomReply) ||
            !resolve(library, "xcb_query_tree", x.queryTree) ||
            !resolve(library, "xcb_query_tree_reply", x.queryTreeReply) ||
            !resolve(library, "xcb_get_property", x.getProperty) ||
            !resolve(library, "xcb_get_property_reply", x.getPropertyReply) ||
            !resolve(library, "xcb_send_event", x.sendEvent) ||
            !resolve(library, "xcb_flush", x.flush) ||
            !resolve(library, "xcb_connect", x.connect) ||
            !resolve(library, "xcb_connection_has_error", x.hasError) ||
            !resolve(library, "xcb_disconnect", x.disconnect) ||
            !resolve(library, "xcb_generate_id", x.generateId) ||
            !resolve(library, "xcb_create_window", x.createWindow) ||
            !resolve(library, "xcb_change_property", x.changeProperty) ||
            !resolve(library, "xcb_wait_for_event", x.waitForEvent))
            return std::nullopt;
        return x;
    }();
    return calls ? &*calls : nullptr;
}

xcb_connection_t* connection()
{
    const auto* app = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return app != nullptr ? app->connection() : nullptr;
}

Atom atom(xcb_connection_t* c, const char* name)
{
    const Xcb& x = *xcb();
    AtomReply* reply = x.internAtomReply(
        c, x.internAtom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const Atom a = reply != nullptr ? reply->atom : 0;
    std::free(reply);
    return a;
}

Window rootOf(xcb_connection_t* c, Window window)
{
    const Xcb& x = *xcb();
    TreeReply* reply = x.queryTreeReply(c, x.queryTree(c, window), nullptr);
    const Window root = reply != nullptr ? reply->root : 0;
    std::free(reply);
    return root;
}

// A window's 32-bit number property, such as a workspace's number.
std::optional<std::uint32_t> cardinal(xcb_connection_t* c, Window window, const char* name)
{
    const Xcb& x = *xcb();
    PropertyReply* reply =
        x.getPropertyReply(c, x.getProperty(c, 0, window, atom(c, name), kCardinal, 0, 1), nullptr);
    std::optional<std::uint32_t> value;
    if (reply != nullptr && reply->format == 32 && reply->valueLength == 1) {
        std::uint32_t v;
        std::memcpy(&v, reply + 1, sizeof v);
        value = v;
    }
    std::free(reply);
    return value;
}

// A message about `window` for the window manager (format 32) or for every
// client listening on the root (format 8), sent to the root window.
ClientMessage message(xcb_connection_t* c, Window window, const char* type, std::uint8_t format)
{
    ClientMessage m{};
    m.responseType = kClientMessage;
    m.format = format;
    m.window = window;
    m.type = atom(c, type);
    return m;
}

void sendToRoot(xcb_connection_t* c, Window root, const ClientMessage& m, std::uint32_t mask)
{
    xcb()->sendEvent(c, 0, root, mask, reinterpret_cast<const char*>(&m));
}

// The toolkit's connection, the window and its root, where X11 is in use.
struct Target {
    xcb_connection_t* c;
    Window window, root;
};

std::optional<Target> target(WId window)
{
    if (!inUse())
        return std::nullopt;
    xcb_connection_t* c = connection();
    const auto id = static_cast<Window>(window);
    const Window root = rootOf(c, id);
    if (root == 0)
        return std::nullopt;
    return Target{c, id, root};
}

// The server's time now: the stamp on the notice of a change to a property of
// a window of our own. The toolkit reads every event of its own connection, so
// this takes a short one of its own.
std::optional<quint32> serverTime(Window root)
{
    const Xcb& x = *xcb();
    xcb_connection_t* c = x.connect(nullptr, nullptr);
    std::optional<quint32> time;
    if (x.hasError(c) == 0) {
        const Window probe = x.generateId(c);
        x.createWindow(c, 0, probe, root, -1, -1, 1, 1, 0, kInputOnly, 0, kEventMaskAttribute,
                       &kPropertyChange);
        x.changeProperty(c, kAppend, probe, kWmName, kString, 8, 0, "");
        x.flush(c);
        while (!time) {
            auto* event = static_cast<PropertyNotify*>(x.waitForEvent(c));
            if (event == nullptr)
                break; // the connection broke
            if ((event->responseType & 0x7f) == kPropertyNotify && event->window == probe)
                time = event->time;
            std::free(event);
        }
    }
    x.disconnect(c); // destroys the probe window too
    return time;
}

} // namespace

bool inUse()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") && connection() != nullptr &&
           xcb() != nullptr;
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
    ClientMessage m = message(t->c, t->window, "_NET_WM_DESKTOP", 32);
    m.data.data32[0] = *current;
    m.data.data32[1] = kFromAnApplication;
    sendToRoot(t->c, t->root, m, kSubstructureNotify | kSubstructureRedirect);
    xcb()->flush(t->c);
}

void activate(WId window, std::optional<quint32> time)
{
    const auto t = target(window);
    if (!t)
        return;
    ClientMessage m = message(t->c, t->window, "_NET_ACTIVE_WINDOW", 32);
    m.data.data32[0] = kFromAnApplication;
    m.data.data32[1] = time ? *time : serverTime(t->root).value_or(0);
    sendToRoot(t->c, t->root, m, kSubstructureNotify | kSubstructureRedirect);
    xcb()->flush(t->c);
}

void sendStartupMessage(WId window, const QByteArray& text)
{
    const auto t = target(window);
    if (!t)
        return;
    // In pieces of 20 bytes, the first typed _BEGIN, the text ending in a NUL.
    ClientMessage piece = message(t->c, t->window, "_NET_STARTUP_INFO_BEGIN", 8);
    const Atom more = atom(t->c, "_NET_STARTUP_INFO");
    const QByteArray bytes = text + '\0';
    for (qsizetype sent = 0; sent < bytes.size(); sent += 20) {
        std::memset(piece.data.data8, 0, sizeof piece.data.data8);
        std::memcpy(piece.data.data8, bytes.constData() + sent,
                    static_cast<std::size_t>(std::min<qsizetype>(20, bytes.size() - sent)));
        sendToRoot(t->c, t->root, piece, kPropertyChange);
        piece.type = more;
    }
    xcb()->flush(t->c);
}

} // namespace vesk::x11
