// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/local_socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vesk::local_socket {
namespace {

// A new socket and the address of `path` for it, or -1.
int socketFor(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

void closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

} // namespace

std::string addressIn(int directoryFd, const std::string& directory, const std::string& name)
{
    std::string path = directory + '/' + name;
    if (path.size() < sizeof sockaddr_un::sun_path)
        return path;
    return "/proc/self/fd/" + std::to_string(directoryFd) + '/' + name;
}

int listenAt(const std::string& path)
{
    sockaddr_un addr;
    const int fd = socketFor(path, addr);
    if (fd < 0)
        return -1;
    // On Linux the file that bind() creates takes the socket's own mode (less
    // the umask), so it is private from its first moment.
    if (::fchmod(fd, 0600) != 0 ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
        ::chmod(path.c_str(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        closeKeepingErrno(fd);
        return -1;
    }
    return fd;
}

int connectTo(const std::string& path)
{
    sockaddr_un addr;
    const int fd = socketFor(path, addr);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        closeKeepingErrno(fd);
        return -1;
    }
    return fd;
}

int acceptNext(int listener)
{
    while (true) {
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0 || (errno != EINTR && errno != ECONNABORTED))
            return fd;
    }
}

uid_t peerUid(int fd)
{
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return static_cast<uid_t>(-1);
    return cred.uid;
}

bool waitFor(int fd, short events, Clock::time_point deadline)
{
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0)
            return false;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool sendAll(int fd, const std::string& bytes, Clock::time_point deadline)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            sent += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else if (!waitFor(fd, POLLOUT, deadline))
            return false;
    }
    return true;
}

std::string readLine(int fd, std::size_t limit, Clock::time_point deadline)
{
    std::string line;
    char buffer[256];
    while (line.size() < limit && (line.empty() || line.back() != '\n')) {
        const ssize_t n = ::recv(fd, buffer, std::min(sizeof buffer, limit - line.size()), 0);
        if (n > 0) {
            const auto* newline = static_cast<const char*>(std::memchr(buffer, '\n', n));
            line.append(buffer,
                        newline != nullptr ? std::size_t(newline + 1 - buffer) : std::size_t(n));
            if (newline != nullptr)
                break;
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR) ||
                   !waitFor(fd, POLLIN, deadline)) {
            break;
        }
    }
    return line;
}

} // namespace vesk::local_socket
