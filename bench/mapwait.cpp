// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Starts a program and reports when its window titled TITLE is on the screen
// (viewable), in milliseconds from the start, and the program's resident
// memory once it has settled. Then ends the program.
//   mapwait TITLE PROGRAM [ARGS...]
// prints: <ms to mapped> <resident KiB>
// With MAPWAIT_LIBS=FILE in the environment, also writes the shared objects
// the program has mapped by then to FILE, one path a line.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool titled(Display* d, Window w, const char* title)
{
    char* name = nullptr;
    bool match = false;
    if (XFetchName(d, w, &name) && name != nullptr) {
        match = std::strcmp(name, title) == 0;
        XFree(name);
    }
    if (!match)
        return false;
    XWindowAttributes a{};
    return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

bool find(Display* d, Window w, const char* title, int depth)
{
    if (titled(d, w, title))
        return true;
    if (depth == 0)
        return false;
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n))
        return false;
    bool found = false;
    for (unsigned i = 0; i < n && !found; ++i)
        found = find(d, children[i], title, depth - 1);
    if (children)
        XFree(children);
    return found;
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = -1;
    while (status >> key)
        if (key == "VmRSS:" && status >> value)
            break;
    return value;
}

// The shared objects a process has mapped, sorted and without repeats.
void writeLibraries(pid_t pid, const char* file)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> libraries;
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos)
            libraries.insert(line.substr(slash));
    }
    std::ofstream out(file);
    for (const std::string& library : libraries)
        out << library << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: mapwait TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr)
        return 2;
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const int fd = ConnectionNumber(d);
    bool mapped = false;
    while (!mapped && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
        }
        mapped = find(d, root, argv[1], 3);
        if (!mapped) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            timeval tv{0, 1000};
            select(fd + 1, &fds, nullptr, nullptr, &tv);
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const long rss = residentKiB(pid);
    if (const char* file = std::getenv("MAPWAIT_LIBS"); file != nullptr && mapped)
        writeLibraries(pid, file);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    if (!mapped)
        return 1;
    std::printf("%.1f %ld\n", ms, rss);
    return 0;
}
