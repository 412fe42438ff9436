// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// One copy of the calculator per user and display.
//
// The first copy takes an exclusive lock on a file in a directory that is the
// user's alone (the runtime directory, else one of the program's own in the
// cache directory) and holds it for its whole life; the kernel drops it when
// the process ends, however it ends, so nothing is ever left stale. Next to
// the lock it listens on a Unix-domain socket that only its own user can
// reach, served from the event loop without ever blocking it. A later copy
// finds the lock taken, connects (retrying until a short deadline, since the
// first copy may not be listening yet), asks the first copy to restore its
// window with a given caption, and ends.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace vesk {

// The previous-instance query and the hand-over, as the application sees them.
class InstanceGuard {
  public:
    virtual ~InstanceGuard() = default;
    // True when another copy is running. When it answers false, this copy is
    // the running one from now on and answers the copies started after it.
    // Asked again, it gives the same answer.
    virtual bool previousInstance() = 0;
    // Asks the running copy to restore its top-level window captioned so.
    // Silent and bounded in time, whatever happens.
    virtual void handOver(const QString& caption) = 0;
};

// The directories the copies of one user may meet in, best first, and the
// name of their lock and socket there ("<name>.lock", "<name>.socket").
struct InstancePlaces {
    struct Directory {
        QString what; // "runtime directory", as an error message names it
        QString path;
        // Made, private, when missing; the system makes the runtime directory.
        bool make = false;
    };
    QString name;
    std::vector<Directory> directories;

    // The user's runtime directory (inside a Flatpak, the one the app's
    // instances share), then one of the program's own in the user's cache
    // directory, named for this machine since a home directory may be shared
    // between machines. For the windowing platform in use and the X display
    // the toolkit opened.
    static InstancePlaces forThisSession(const QString& platform, const QString& x11Display);
};

class LocalInstanceGuard : public QObject, public InstanceGuard {
    Q_OBJECT

  public:
    // Restores the window with the caption using the launch's token; true when
    // a window was found.
    using Restore = std::function<bool(const QString& caption, const QByteArray& token)>;

    LocalInstanceGuard(InstancePlaces places, QByteArray launchToken);
    // What to do with a later copy's request, once this copy runs.
    void onRestore(Restore restore) { restore_ = std::move(restore); }
    ~LocalInstanceGuard() override;

    bool previousInstance() override;
    void handOver(const QString& caption) override;
    // True when the running copy died during the hand-over and this copy took
    // its lock: this copy is to run instead.
    bool tookOver() const { return tookOver_; }
    // Why this copy cannot tell whether another runs, when no directory was
    // safe to meet in; empty otherwise. Such a copy must not run: it could
    // be a second one.
    const QString& failure() const { return failure_; }

    // How long a second copy keeps trying to reach the first.
    static constexpr std::chrono::milliseconds kHandOverDeadline{2000};
    // How long the first copy waits for a connected client's whole request.
    static constexpr std::chrono::milliseconds kRequestTimeout{2000};
    // Clients served at once. A newcomer beyond it pushes out the one that has
    // been silent longest: a real request arrives within milliseconds of its
    // connection, so idle connections cannot starve it.
    static constexpr std::size_t kMaxClients = 8;
    // New clients taken at each wake-up of the listener.
    static constexpr int kAcceptsPerWakeUp = 64;
    // How long the listener rests when the process is out of descriptors.
    static constexpr std::chrono::milliseconds kRestWhenExhausted{100};

  private:
    struct Client {
        int fd;
        QSocketNotifier* notifier;
        QTimer* timeout;
        QByteArray request;
        std::chrono::steady_clock::time_point lastHeard;
    };
    using Clients = std::list<Client>;

    // Takes the lock and listens in the first directory that is safe to
    // use; true when another copy holds the lock there.
    bool lock();
    enum class Taken { Mine, Held, Unusable };
    Taken take(const InstancePlaces::Directory& directory, QString& why);
    void leave();
    void accept();
    enum class Heard { More, Done };
    Heard hear(int fd, QByteArray& line);
    void read(Clients::iterator client);
    // Whether a dropped client's notifier can go at once, or must wait for
    // the event loop since it (or its timer) may be signalling.
    enum class Now { Free, Later };
    void drop(Clients::iterator client, Now now = Now::Later);

    InstancePlaces places_;
    int directoryFd_ = -1; // where the copies meet, held open
    std::string socketName_;
    std::string socketAddress_;
    QString failure_;
    QByteArray token_;
    Restore restore_;
    std::optional<bool> previous_;
    bool tookOver_ = false;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QSocketNotifier* listener_ = nullptr;
    Clients clients_;
};

} // namespace vesk
