#include "app/instance_guard.h"

#include "app/instance_protocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {
namespace {

// The runtime directory only counts when it is ours alone.
bool privateDirectory(const QString& path)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

bool peerIsThisUser(QLocalSocket& socket)
{
    struct ucred cred {};
    socklen_t len = sizeof cred;
    const auto fd = static_cast<int>(socket.socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 &&
           cred.uid == ::getuid();
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

InstancePaths InstancePaths::forThisSession()
{
    const QString name = instance::instanceName(qEnvironmentVariable("WAYLAND_DISPLAY"),
                                                qEnvironmentVariable("DISPLAY"));
    const QString flatpak = qEnvironmentVariable("FLATPAK_ID");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!flatpak.isEmpty() && !runtime.isEmpty())
        return in(runtime + QStringLiteral("/app/") + flatpak, name);
    // Qt checks that the directory is the user's own with mode 0700, and falls
    // back to a private one of its own making; never to /tmp itself.
    return in(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), name);
}

LocalInstanceGuard::LocalInstanceGuard(InstancePaths paths, QByteArray launchToken, Restore restore)
    : paths_(std::move(paths)), token_(std::move(launchToken)), restore_(std::move(restore))
{
}

LocalInstanceGuard::~LocalInstanceGuard()
{
    if (server_ != nullptr)
        server_->close(); // removes the socket file; the lock file stays
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool LocalInstanceGuard::previousInstance()
{
    if (!paths_.usable())
        return false; // no safe place to meet: run unguarded
    const QByteArray lockPath = QFile::encodeName(paths_.lock);
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
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
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->setMaxPendingConnections(kMaxClients);
    // A socket file left by a copy that died is ours to remove: we hold the lock.
    QLocalServer::removeServer(paths_.socket);
    if (!server_->listen(paths_.socket))
        return; // later copies will find no one to hand over to, and end
    connect(server_, &QLocalServer::newConnection, this, &LocalInstanceGuard::accept);
}

void LocalInstanceGuard::accept()
{
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        if (clients_ >= kMaxClients || !peerIsThisUser(*client)) {
            client->abort();
            client->deleteLater();
            continue;
        }
        ++clients_;
        connect(client, &QObject::destroyed, this, [this] { --clients_; });
        serve(client);
    }
}

// Reads one bounded line without ever blocking the event loop, answers it, and
// hangs up; a client that is silent, too long-winded or malformed is dropped.
void LocalInstanceGuard::serve(QLocalSocket* client)
{
    auto* timeout = new QTimer(client);
    timeout->setSingleShot(true);
    connect(timeout, &QTimer::timeout, client, [client] {
        client->abort();
        client->deleteLater();
    });
    timeout->start(kRequestTimeout);

    auto buffer = std::make_shared<QByteArray>();
    connect(client, &QLocalSocket::readyRead, client, [this, client, buffer] {
        buffer->append(client->read(instance::kMaxRequest + 1 - buffer->size()));
        const qsizetype end = buffer->indexOf('\n');
        if (end < 0 && buffer->size() <= instance::kMaxRequest)
            return; // wait for the rest of the line
        const auto request = end < 0 ? std::nullopt : instance::parseRequest(buffer->left(end + 1));
        if (!request) {
            client->abort();
            client->deleteLater();
            return;
        }
        // One request per connection: whatever else the client sends is ignored.
        QObject::disconnect(client, &QLocalSocket::readyRead, nullptr, nullptr);
        const bool found = restore_ && restore_(request->caption, request->token);
        client->write(found ? instance::kFound : instance::kNotFound);
        client->disconnectFromServer();
    });
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    if (client->bytesAvailable() > 0)
        Q_EMIT client->readyRead();
}

void LocalInstanceGuard::restoreWindow(const QString& caption)
{
    if (!paths_.usable())
        return;
    const QDeadlineTimer deadline(kHandOverDeadline);
    QLocalSocket socket;
    // The first copy may have the lock but not be listening yet: try again.
    while (true) {
        socket.connectToServer(paths_.socket);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        socket.abort();
        if (deadline.remainingTime() <= 50)
            return;
        QThread::msleep(50);
    }
    socket.write(instance::formatRequest({caption, token_}));
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return;
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
    }
    // Found or not, there is nothing more to do: the hand-over reports nothing.
    socket.abort();
}

} // namespace vesk
