// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What the display tests need of X that the command-line tools do not give.
//   xprobe time           prints the X server's time now, as a launcher reads
//                         it to stamp a startup id (one property change)
//   xprobe startup FILE   appends each startup notification message sent on
//                         the display to FILE, a line each, until killed
//   xprobe window TITLE   shows a window that, like any application's, stamps
//                         each key and click into _NET_WM_USER_TIME, which a
//                         window manager weighs against later activations
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int printTime(Display* d)
{
    const Window w = XCreateWindow(d, DefaultRootWindow(d), -1, -1, 1, 1, 0, 0, InputOnly,
                                   CopyFromParent, 0, nullptr);
    XSelectInput(d, w, PropertyChangeMask);
    XChangeProperty(d, w, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent e;
    do
        XNextEvent(d, &e);
    while (e.type != PropertyNotify);
    std::printf("%lu\n", e.xproperty.time);
    return 0;
}

// Messages come in pieces of 20 bytes: the first typed _NET_STARTUP_INFO_BEGIN,
// the rest _NET_STARTUP_INFO, the last ending in a NUL.
int watchStartup(Display* d, const char* file)
{
    const Atom begin = XInternAtom(d, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(d, "_NET_STARTUP_INFO", False);
    XSelectInput(d, DefaultRootWindow(d), PropertyChangeMask);
    XSync(d, False);
    std::string message;
    while (true) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != ClientMessage || e.xclient.format != 8)
            continue;
        if (e.xclient.message_type == begin)
            message.clear();
        else if (e.xclient.message_type != more)
            continue;
        const char* piece = e.xclient.data.b;
        const std::size_t length = strnlen(piece, 20);
        message.append(piece, length);
        if (length < 20) {
            if (FILE* out = std::fopen(file, "a")) {
                std::fprintf(out, "%s\n", message.c_str());
                std::fclose(out);
            }
            message.clear();
        }
    }
}

int userWindow(Display* d, const char* title)
{
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 600, 500, 200, 80, 0, 0,
                                         WhitePixel(d, DefaultScreen(d)));
    XStoreName(d, w, title);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False),
                    XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    XSelectInput(d, w, KeyPressMask | ButtonPressMask);
    const Atom userTime = XInternAtom(d, "_NET_WM_USER_TIME", False);
    XMapWindow(d, w);
    while (true) {
        XEvent e;
        XNextEvent(d, &e);
        const Time t = e.type == KeyPress      ? e.xkey.time
                       : e.type == ButtonPress ? e.xbutton.time
                                               : CurrentTime;
        if (t == CurrentTime)
            continue;
        const long value = static_cast<long>(t);
        XChangeProperty(d, w, userTime, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
        XFlush(d);
    }
}

} // namespace

int main(int argc, char** argv)
{
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr)
        return 2;
    if (argc == 2 && std::strcmp(argv[1], "time") == 0)
        return printTime(d);
    if (argc == 3 && std::strcmp(argv[1], "startup") == 0)
        return watchStartup(d, argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "window") == 0)
        return userWindow(d, argv[2]);
    std::fprintf(stderr, "usage: xprobe time | xprobe startup FILE | xprobe window TITLE\n");
    return 2;
}
