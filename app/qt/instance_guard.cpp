// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/instance_guard.h"

#include "app/qt/instance_protocol.h"
#include "app/qt/local_socket.h"

#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vesk {
namespace {

using Clock = local_socket::Clock;

// The runtime directory only counts when it is ours alone.
bool privateDirectory(const QString& path)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

std::string native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// True while the process may open kDescriptorReserve more than `fd`.
bool spareDescriptorAbove(int fd)
{
    constexpr rlim_t kDescriptorReserve = 16;
    rlimit limit{};
    return ::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           static_cast<rlim_t>(fd) + kDescriptorReserve < limit.rlim_cur;
}

} // namespace

InstancePaths InstancePaths::in(const QString& directory, const QString& name)
{
    if (directory.isEmpty() || !privateDirectory(directory))
        return {};
    InstancePaths paths{directory + QLatin1Char('/') + name + QStringLiteral(".lock"),
                        directory + QLatin1Char('/') + name + QStringLiteral(".socket")};
    if (QFile::encodeName(paths.socket).size() > instance::kMaxSocketPath)
        return {};
    return paths;
}

InstancePaths InstancePaths::forThisSession(const QString& platform, const QString& x11Display)
{
    const QString name =
        instance::instanceName(platform, qEnvironmentVariable("WAYLAND_DISPLAY"), x11Display);
    const QString flatpak = qEnvironmentVariable("FLATPAK_ID");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!flatpak.isEmpty() && !runtime.isEmpty())
        return in(runtime + QStringLiteral("/app/") + flatpak, name);
    // Qt checks that the directory is the user's own with mode 0700, and falls
    // back to a private one of its own making; never to /tmp itself.
    return in(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), name);
}

LocalInstanceGuard::LocalInstanceGuard(InstancePaths paths, QByteArray launchToken)
    : paths_(std::move(paths)), token_(std::move(launchToken))
{
}

LocalInstanceGuard::~LocalInstanceGuard()
{
    while (!clients_.empty())
        drop(clients_.begin());
    if (listenFd_ >= 0) {
        delete listener_;
        ::close(listenFd_);
        // Removed while the lock is still held, so it is ours to remove; the
        // lock file itself stays.
        ::unlink(native(paths_.socket).c_str());
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool LocalInstanceGuard::previousInstance()
{
    if (!previous_)
        previous_ = lock();
    return *previous_;
}

bool LocalInstanceGuard::lock()
{
    if (!paths_.usable())
        return false; // no safe place to meet: run unguarded
    const int fd =
        ::open(native(paths_.lock).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    // The file is never removed: a removed lock file would let two copies
    // lock two different files of the same name.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    lockFd_ = fd;
    listen();
    return false;
}

void LocalInstanceGuard::listen()
{
    // A socket file left by a copy that died is ours to remove: we hold the lock.
    const std::string path = native(paths_.socket);
    ::unlink(path.c_str());
    listenFd_ = local_socket::listenAt(path);
    if (listenFd_ < 0)
        return; // later copies will find no one to hand over to, and end
    listener_ = new QSocketNotifier(listenFd_, QSocketNotifier::Read, this);
    connect(listener_, &QSocketNotifier::activated, this, &LocalInstanceGuard::accept);
}

// Takes a bounded number of new clients at each wake-up, so that a flood of
// connections cannot keep the event loop (the window, signals, the clients
// already taken) waiting; the rest wait in the kernel's queue for the next
// turn. When the process is out of descriptors or memory, the listener rests
// briefly instead of waking again at once.
void LocalInstanceGuard::accept()
{
    for (int i = 0; i < kAcceptsPerWakeUp; ++i) {
        const int fd = local_socket::acceptNext(listenFd_);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                listener_->setEnabled(false);
                QTimer::singleShot(kRestWhenExhausted, this, [this] {
                    if (listener_ != nullptr)
                        listener_->setEnabled(true);
                });
            }
            return;
        }
        // A request often comes with its connection, and a flood's
        // connections are mostly closed already: both are done with here,
        // and only a client still to speak is kept.
        // A client is kept only while the process has descriptors to spare:
        // the toolkit needs some of its own, and fails hard without them.
        QByteArray line;
        if (local_socket::peerUid(fd) != ::getuid() || hear(fd, line) == Heard::Done ||
            !spareDescriptorAbove(fd)) {
            ::close(fd);
            continue;
        }
        if (clients_.size() >= kMaxClients)
            drop(std::min_element(
                     clients_.begin(), clients_.end(),
                     [](const Client& a, const Client& b) { return a.lastHeard < b.lastHeard; }),
                 Now::Free);
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        auto* timeout = new QTimer(notifier);
        timeout->setSingleShot(true);
        clients_.push_back({fd, notifier, timeout, line, Clock::now()});
        const auto client = std::prev(clients_.end());
        connect(notifier, &QSocketNotifier::activated, this, [this, client] { read(client); });
        // The whole request must arrive in time; trickling bytes buys nothing.
        connect(timeout, &QTimer::timeout, this, [this, client] { drop(client); });
        timeout->start(kRequestTimeout);
    }
}

// Reads what has arrived of one bounded line, without ever blocking, and
// answers a whole request. Done when the client is to go: answered, too
// long-winded, malformed or gone.
LocalInstanceGuard::Heard LocalInstanceGuard::hear(int fd, QByteArray& line)
{
    char bytes[instance::kMaxRequest + 1];
    const auto room = static_cast<std::size_t>(instance::kMaxRequest + 1 - line.size());
    const ssize_t n = ::recv(fd, bytes, room, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return Heard::More;
    if (n <= 0)
        return Heard::Done;
    line.append(bytes, n);
    const qsizetype end = line.indexOf('\n');
    if (end < 0 && line.size() <= instance::kMaxRequest)
        return Heard::More; // wait for the rest of the line
    // One request per connection: whatever follows its line is ignored.
    const auto request = end < 0 ? std::nullopt : instance::parseRequest(line.left(end + 1));
    if (request) {
        const bool found = restore_ && restore_(request->caption, request->token);
        local_socket::sendAll(fd, found ? instance::kFound : instance::kNotFound, Clock::now());
    }
    return Heard::Done;
}

void LocalInstanceGuard::read(Clients::iterator client)
{
    if (hear(client->fd, client->request) == Heard::Done)
        drop(client);
    else
        client->lastHeard = Clock::now();
}

void LocalInstanceGuard::drop(Clients::iterator client, Now now)
{
    client->timeout->stop();
    client->notifier->setEnabled(false);
    if (now == Now::Free)
        delete client->notifier; // and its timer
    else
        client->notifier->deleteLater(); // it, or its timer, may be signalling right now
    ::close(client->fd);
    clients_.erase(client);
}

// The hand-over is done only once the running copy has answered. Until the
// deadline, a copy that is not answering is asked again, and should it have
// died (its lock is free), this copy takes the lock and is the running copy.
void LocalInstanceGuard::handOver(const QString& caption)
{
    if (!paths_.usable())
        return;
    const auto deadline = Clock::now() + kHandOverDeadline;
    const std::string path = native(paths_.socket);
    const std::string request = instance::formatRequest({caption, token_}).toStdString();
    while (true) {
        // The first copy may have the lock but not be listening yet.
        if (const int fd = local_socket::connectTo(path); fd >= 0) {
            const bool answered = local_socket::sendAll(fd, request, deadline) &&
                                  local_socket::readLine(fd, 64, deadline).ends_with('\n');
            ::close(fd);
            if (answered)
                return; // found or not, there is nothing more to do
        }
        if (!lock()) {
            tookOver_ = true;
            return;
        }
        if (deadline - Clock::now() <= std::chrono::milliseconds(50))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace vesk
