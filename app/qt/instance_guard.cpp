// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/instance_guard.h"

#include "app/qt/instance_protocol.h"
#include "app/qt/local_socket.h"
#include "ui/language.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
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

std::string native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

using language::NC_;

// A message of the program's own, in the language in use.
QString text(const char* english)
{
    return QString::fromUtf8(language::Text(language::kCommandLine, english));
}

QString otherUsers()
{
    // TRANSLATORS: of a directory, in an error.
    return text(NC_("command line", "open to other users"));
}

// True when no other user can add, remove or swap entries in the directory:
// it is the user's or the system's, and others cannot write it, or only
// under the sticky bit's rule (as in /tmp).
bool trusted(const struct stat& st)
{
    return S_ISDIR(st.st_mode) && (st.st_uid == ::getuid() || st.st_uid == 0) &&
           ((st.st_mode & 022) == 0 || (st.st_mode & S_ISVTX) != 0);
}

// The directory open, when it is the user's alone and writable: owned by the
// user, with no access for anyone else. One the program makes for itself is
// made 0700 and is made private again should its mode have been widened.
// -1, and why not, otherwise.
int openPrivateDirectory(const InstancePlaces::Directory& directory, QString& why)
{
    if (!directory.path.startsWith(QLatin1Char('/'))) {
        why = directory.path.isEmpty()
                  // TRANSLATORS: of a directory, in an error.
                  ? text(NC_("command line", "not set"))
                  // TRANSLATORS: of a directory, in an error.
                  : text(NC_("command line", "not an absolute path"));
        return -1;
    }
    const std::string path = native(directory.path);
    if (directory.make) {
        const std::string parent = path.substr(0, std::max<std::size_t>(path.rfind('/'), 1));
        struct stat st {};
        if ((::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) ||
            ::stat(parent.c_str(), &st) != 0) {
            why = QString::fromStdString(parent) + QStringLiteral(": ") + errorText(errno);
            return -1;
        }
        if (!trusted(st)) {
            why = QString::fromStdString(parent) + QStringLiteral(": ") + otherUsers();
            return -1;
        }
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            why = errorText(errno);
            return -1;
        }
    }
    const int fd = ::open(path.c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | (directory.make ? O_NOFOLLOW : 0));
    if (fd < 0) {
        why = errorText(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::getuid())
        // TRANSLATORS: of a directory, in an error.
        why = text(NC_("command line", "owned by another user"));
    else if ((st.st_mode & 077) != 0 && !(directory.make && ::fchmod(fd, 0700) == 0))
        why = otherUsers();
    else if (::faccessat(fd, ".", W_OK | X_OK, 0) != 0)
        why = errorText(errno);
    else
        return fd;
    ::close(fd);
    return -1;
}

// True when nothing is at `name` in the directory, or a file of the type.
bool freeFor(int directoryFd, const std::string& name, mode_t type)
{
    struct stat st {};
    if (::fstatat(directoryFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    return (st.st_mode & S_IFMT) == type;
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

InstancePlaces InstancePlaces::forThisSession(const QString& platform, const QString& x11Display)
{
    InstancePlaces places;
    places.name =
        instance::instanceName(platform, qEnvironmentVariable("WAYLAND_DISPLAY"), x11Display);
    const QString flatpak = qEnvironmentVariable("FLATPAK_ID");
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!flatpak.isEmpty() && !runtime.isEmpty())
        runtime += QStringLiteral("/app/") + flatpak;
    // TRANSLATORS: the directory the program's lock is in, in an error.
    places.directories.push_back({text(NC_("command line", "runtime directory")), runtime, false});

    // Not Qt's own fallback in /tmp: another user can make that first.
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!cache.startsWith(QLatin1Char('/'))) {
        const QString home = qEnvironmentVariable("HOME");
        cache = home.startsWith(QLatin1Char('/'))
                    ? QDir::cleanPath(home + QStringLiteral("/.cache"))
                    : QString();
    }
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    if (!cache.isEmpty())
        cache +=
            QStringLiteral("/vesk-runtime-") + instance::fileNamePart(QString::fromLocal8Bit(host));
    // TRANSLATORS: the directory the program's lock is in, in an error.
    places.directories.push_back({text(NC_("command line", "cache directory")), cache, true});
    return places;
}

LocalInstanceGuard::LocalInstanceGuard(InstancePlaces places, QByteArray launchToken)
    : places_(std::move(places)), token_(std::move(launchToken))
{
}

LocalInstanceGuard::~LocalInstanceGuard()
{
    while (!clients_.empty())
        drop(clients_.begin());
    leave();
}

// Stops listening (removing the socket, which is ours to remove while the
// lock is held), and lets go of the lock and the directory. The lock file
// itself stays.
void LocalInstanceGuard::leave()
{
    if (listenFd_ >= 0) {
        delete listener_;
        listener_ = nullptr;
        ::close(listenFd_);
        listenFd_ = -1;
        ::unlinkat(directoryFd_, socketName_.c_str(), 0);
    }
    for (int* fd : {&lockFd_, &directoryFd_})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
}

bool LocalInstanceGuard::previousInstance()
{
    if (!previous_)
        previous_ = lock();
    return *previous_;
}

bool LocalInstanceGuard::lock()
{
    leave();
    failure_.clear();
    QStringList problems;
    for (const InstancePlaces::Directory& directory : places_.directories) {
        QString why;
        switch (take(directory, why)) {
        case Taken::Mine:
            return false;
        case Taken::Held:
            return true;
        case Taken::Unusable:
            problems << directory.what + QLatin1Char(' ') + directory.path + QStringLiteral(": ") +
                            why;
        }
    }
    failure_ = QString::fromStdString(language::Fill(
        language::Text(language::kCommandLine,
                       // TRANSLATORS: an error; %s is the list of the
                       // directories tried, each with why it would not do.
                       NC_("command line", "cannot make sure only one copy runs: no private "
                                           "directory for its lock (%s)")),
        problems.join(QStringLiteral("; ")).toStdString()));
    return false;
}

// The lock file is never removed: a removed lock file would let two copies
// lock two different files of the same name. A directory whose lock or socket
// name something else has taken is passed over, by every copy alike.
LocalInstanceGuard::Taken LocalInstanceGuard::take(const InstancePlaces::Directory& directory,
                                                   QString& why)
{
    directoryFd_ = openPrivateDirectory(directory, why);
    if (directoryFd_ < 0)
        return Taken::Unusable;
    const auto unusable = [this, &why](QString reason) {
        why = std::move(reason);
        leave();
        return Taken::Unusable;
    };
    const std::string lockName = native(places_.name) + ".lock";
    socketName_ = native(places_.name) + ".socket";
    socketAddress_ = local_socket::addressIn(directoryFd_, native(directory.path), socketName_);
    if (!freeFor(directoryFd_, lockName, S_IFREG) || !freeFor(directoryFd_, socketName_, S_IFSOCK))
        // TRANSLATORS: of a directory, in an error.
        return unusable(
            text(NC_("command line", "its lock or socket name is taken by something else")));
    const int fd =
        ::openat(directoryFd_, lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return unusable(errorText(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Taken::Held : unusable(errorText(error));
    }
    lockFd_ = fd;
    // A socket left by a copy that died is ours to remove: we hold the lock.
    ::unlinkat(directoryFd_, socketName_.c_str(), 0);
    listenFd_ = local_socket::listenAt(socketAddress_);
    if (listenFd_ < 0)
        return unusable(errorText(errno));
    listener_ = new QSocketNotifier(listenFd_, QSocketNotifier::Read, this);
    connect(listener_, &QSocketNotifier::activated, this, &LocalInstanceGuard::accept);
    return Taken::Mine;
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
    if (directoryFd_ < 0)
        return;
    const auto deadline = Clock::now() + kHandOverDeadline;
    const std::string request = instance::formatRequest({caption, token_}).toStdString();
    while (true) {
        // The first copy may have the lock but not be listening yet.
        if (const int fd = local_socket::connectTo(socketAddress_); fd >= 0) {
            const bool answered = local_socket::sendAll(fd, request, deadline) &&
                                  local_socket::readLine(fd, 64, deadline).ends_with('\n');
            ::close(fd);
            if (answered)
                return; // found or not, there is nothing more to do
        }
        if (!lock()) {
            tookOver_ = failure_.isEmpty();
            return;
        }
        if (deadline - Clock::now() <= std::chrono::milliseconds(50))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace vesk
