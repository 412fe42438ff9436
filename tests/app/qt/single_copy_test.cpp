// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Real copies of the program started side by side (offscreen, each test with
// its own private runtime directory): which one runs, how a later one hands
// over, and what a crash or a hostile client leaves behind. Times asserted here
// are bounds on what the program promises (the 2 s deadlines), with room for a
// slow machine or a sanitizer build; how fast it really is, bench/ measures.
#include "app/qt/instance_guard.h"
#include "app/qt/instance_protocol.h"
#include "app/qt/local_socket.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <QSysInfo>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using vesk::local_socket::Clock;
constexpr auto kDeadline = vesk::LocalInstanceGuard::kHandOverDeadline;

// One raw client connection to the running copy.
class Connection {
  public:
    explicit Connection(const QString& path)
        : fd_(vesk::local_socket::connectTo(QFile::encodeName(path).toStdString()))
    {
    }
    ~Connection()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool connected() const { return fd_ >= 0; }
    bool send(const QByteArray& bytes)
    {
        return vesk::local_socket::sendAll(fd_, bytes.toStdString(), Clock::now() + kDeadline);
    }
    QByteArray reply(std::chrono::milliseconds wait = std::chrono::milliseconds(3000))
    {
        return QByteArray::fromStdString(
            vesk::local_socket::readLine(fd_, 64, Clock::now() + wait));
    }
    // True once the running copy has hung up on this connection.
    bool hungUp(std::chrono::milliseconds wait)
    {
        char byte;
        return vesk::local_socket::waitFor(fd_, POLLIN, Clock::now() + wait) &&
               ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
    }

  private:
    int fd_;
};

// A user of the tests' own: when they run as root, a throwaway one, made for
// the test and removed after it, for whom permissions count as they do for
// anyone, and for whom root can stand as another user; otherwise the user
// running the tests.
class TestUser {
  public:
    TestUser()
    {
        static int made = 0;
        name_ = QStringLiteral("vesk-t%1-%2").arg(::getpid()).arg(++made);
        if (::getuid() != 0)
            return;
        made_ = QProcess::execute(QStringLiteral("useradd"),
                                  {QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                                   QStringLiteral("--home-dir"), QStringLiteral("/nonexistent"),
                                   QStringLiteral("--user-group"), name_}) == 0;
        if (const passwd* pw = made_ ? ::getpwnam(qPrintable(name_)) : nullptr) {
            uid_ = pw->pw_uid;
            gid_ = pw->pw_gid;
        }
    }
    ~TestUser()
    {
        if (made_)
            QProcess::execute(QStringLiteral("userdel"), {name_});
    }
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    bool usable() const { return ::getuid() != 0 || uid_ != 0; }
    // True when the tests' own user is another user than the copies'.
    bool anotherStands() const { return uid_ != ::getuid(); }
    const QString& name() const { return name_; }
    void own(const QString& path) const
    {
        if (::lchown(QFile::encodeName(path).constData(), uid_, gid_) != 0)
            qWarning("cannot hand %s over", qPrintable(path));
    }
    // The program as this user runs it.
    void start(QProcess& p, const QString& binary) const
    {
        if (!anotherStands())
            return p.start(binary, {});
        p.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=%1").arg(uid_), QStringLiteral("--regid=%1").arg(gid_),
                 QStringLiteral("--clear-groups"), binary});
    }
    // The running copy's answer to a request made as this user to the socket
    // in `directory`, or "errno N" when the system refused the connection.
    QByteArray request(const QString& directory) const
    {
        int out[2];
        if (::pipe(out) != 0)
            return {};
        const QByteArray dir = QFile::encodeName(directory);
        const std::string line =
            vesk::instance::formatRequest({QStringLiteral("Vesk"), {}}).toStdString();
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(out[0]);
            if (anotherStands() &&
                (::setgroups(0, nullptr) != 0 || ::setresgid(gid_, gid_, gid_) != 0 ||
                 ::setresuid(uid_, uid_, uid_) != 0))
                ::_exit(1);
            const int fd = ::chdir(dir.constData()) == 0
                               ? vesk::local_socket::connectTo("vesk-_test.socket")
                               : -1;
            const std::string reply =
                fd < 0 ? "errno " + std::to_string(errno)
                : vesk::local_socket::sendAll(fd, line, Clock::now() + kDeadline)
                    ? vesk::local_socket::readLine(fd, 64, Clock::now() + kDeadline)
                    : std::string();
            ::_exit(::write(out[1], reply.data(), reply.size()) < 0 ? 1 : 0);
        }
        ::close(out[1]);
        QByteArray reply;
        char bytes[64];
        for (ssize_t n; (n = ::read(out[0], bytes, sizeof bytes)) > 0;)
            reply.append(bytes, n);
        ::close(out[0]);
        ::waitpid(child, nullptr, 0);
        return reply;
    }

  private:
    QString name_;
    bool made_ = false;
    uid_t uid_ = ::getuid();
    gid_t gid_ = ::getgid();
};

// Copies of the program in a private directory of their own, run by the
// tests' user, or by the user given (who then owns the directory).
class Copies {
  public:
    explicit Copies(const TestUser* user = nullptr) : user_(user)
    {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (user_ != nullptr) {
            // A copy of the program the user can reach wherever the build is.
            binary_ = dir_.path() + QStringLiteral("/vesk");
            QFile::copy(QStringLiteral(VESK_BINARY), binary_);
            user_->own(dir_.path());
            user_->own(binary_);
        }
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
        env_.insert(QStringLiteral("DISPLAY"), QStringLiteral(":test"));
        env_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    ~Copies()
    {
        for (auto& p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                ::kill(static_cast<pid_t>(p->processId()), SIGCONT);
                p->kill();
                p->waitForFinished(2000);
            }
        }
    }

    QString socket() const { return dir_.path() + QStringLiteral("/vesk-_test.socket"); }
    QString lock() const { return dir_.path() + QStringLiteral("/vesk-_test.lock"); }
    QString dir() const { return dir_.path(); }
    QProcessEnvironment& environment() { return env_; }

    QProcess* start(const QStringList& extraEnvironment = {})
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = env_;
        for (const QString& e : extraEnvironment)
            env.insert(e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
        p->setProcessEnvironment(env);
        if (user_ != nullptr)
            user_->start(*p, binary_);
        else
            p->start(binary_, {});
        p->waitForStarted();
        processes_.push_back(std::move(p));
        return processes_.back().get();
    }

    // Starts a copy and waits until it answers requests.
    QProcess* startFirst(const QStringList& extraEnvironment = {})
    {
        QProcess* p = start(extraEnvironment);
        if (!QTest::qWaitFor([this] { return request("Vesk") == QByteArrayLiteral("FOUND\n"); },
                             10000))
            qWarning("the first copy never answered");
        return p;
    }

    // Sends raw bytes and returns the reply, or what came before the hang-up.
    QByteArray send(const QByteArray& bytes) const
    {
        Connection c(socket());
        if (!c.connected())
            return QByteArrayLiteral("<no server>");
        c.send(bytes);
        return c.reply();
    }

    QByteArray request(const char* caption) const
    {
        return send(vesk::instance::formatRequest({QString::fromUtf8(caption), {}}));
    }

  private:
    const TestUser* user_;
    QTemporaryDir dir_;
    QString binary_ = QStringLiteral(VESK_BINARY);
    QProcessEnvironment env_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

} // namespace

class SingleCopy : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void secondCopyHandsOverSilently_data();
    void secondCopyHandsOverSilently();
    void searchIsExact();
    void theNextCopyRunsAfterAnEnd_data();
    void theNextCopyRunsAfterAnEnd();
    void copiesStartedTogether();
    void slowClientsAreCut_data();
    void slowClientsAreCut();
    void hostileClientsDoNotStopIt();
    void idleClientsDoNotStarveTheHandOver();
    void aNewcomerPushesOutTheLongestIdle();
    void hungFirstCopyCostsOnlyTheDeadline();
    void aDyingRunningCopyIsReplaced();
    void aFloodNeitherStarvesNorGrows();
    void manyClientsAtOnceAreAllAnswered();
#if !defined(VESK_SANITIZED)
    // (Not in a sanitized build: the sanitizers' own checks open descriptors,
    // a pipe to probe memory, and at the limit they fail and report errors
    // that are not the program's.)
    void outOfDescriptorsItRests();
#endif
    void malformedTokensAreLeftOut_data();
    void malformedTokensAreLeftOut();
    void aPrivatePlaceOrNone_data();
    void aPrivatePlaceOrNone();
    void filesArePrivate();
    void noDisplayIsOneLine_data();
    void noDisplayIsOneLine();
};

void SingleCopy::secondCopyHandsOverSilently_data()
{
    // Each copy in its user's language: the caption they find each other by
    // is the same in all.
    QTest::addColumn<QStringList>("running");
    QTest::addColumn<QStringList>("later");
    const auto in = [](const char* language, const char* locale) {
        return QStringList{QStringLiteral("LC_ALL="),
                           QStringLiteral("LANGUAGE=") + QLatin1String(language),
                           QStringLiteral("LANG=") + QLatin1String(locale)};
    };
    QTest::newRow("same_language") << QStringList() << QStringList();
    QTest::newRow("french_running_german_later")
        << in("fr", "fr_FR.UTF-8") << in("de", "de_DE.UTF-8");
    QTest::newRow("japanese_running_english_later") << in("ja", "ja_JP.UTF-8") << QStringList();
}

void SingleCopy::secondCopyHandsOverSilently()
{
    QFETCH(QStringList, running);
    QFETCH(QStringList, later);
    Copies c;
    QProcess* first = c.startFirst(running);
    QProcess* second = c.start(later);
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
    QCOMPARE(second->readAllStandardError(), QByteArray());
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
}

void SingleCopy::searchIsExact()
{
    Copies c;
    c.startFirst();
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
    QCOMPARE(c.request("vesk"), QByteArrayLiteral("NOTFOUND\n"));
    QCOMPARE(c.request("Vesk - draft"), QByteArrayLiteral("NOTFOUND\n"));
    QCOMPARE(c.request("bye bye"), QByteArrayLiteral("NOTFOUND\n"));
    // Only the main window can be restored: not the About window, loaded
    // hidden under its own caption.
    QCOMPARE(c.request("About"), QByteArrayLiteral("NOTFOUND\n"));
}

// However the running copy ends, the next one runs: the lock file stays (by
// design), and the socket only when the copy had no chance to tidy up.
void SingleCopy::theNextCopyRunsAfterAnEnd_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("socketLeft");
    QTest::newRow("killed") << int(SIGKILL) << true;
    QTest::newRow("terminated") << int(SIGTERM) << false;
}

void SingleCopy::theNextCopyRunsAfterAnEnd()
{
    QFETCH(int, signal);
    QFETCH(bool, socketLeft);
    Copies c;
    QProcess* first = c.startFirst();
    ::kill(static_cast<pid_t>(first->processId()), signal);
    QVERIFY(first->waitForFinished(3000));
    if (signal == SIGTERM) {
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);
    }
    QVERIFY(QFileInfo::exists(c.lock()));
    QCOMPARE(QFileInfo::exists(c.socket()), socketLeft);
    QProcess* next = c.startFirst();
    QTest::qWait(300);
    QCOMPARE(next->state(), QProcess::Running);
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
}

void SingleCopy::copiesStartedTogether()
{
    Copies c;
    std::vector<QProcess*> all;
    for (int i = 0; i < 20; ++i)
        all.push_back(c.start());
    const auto running = [&all] {
        return std::count_if(all.begin(), all.end(),
                             [](QProcess* p) { return p->state() == QProcess::Running; });
    };
    QTRY_VERIFY_WITH_TIMEOUT(running() <= 1, 20000);
    QTest::qWait(500);
    QCOMPARE(running(), 1);
    for (QProcess* p : all)
        if (p->state() == QProcess::NotRunning)
            QCOMPARE(p->exitCode(), 0);
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
}

// A client that says nothing, or part of a line, is cut off once the request
// timeout has passed since it connected; meanwhile others are served.
void SingleCopy::slowClientsAreCut_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("silent") << QByteArray();
    QTest::newRow("part_of_a_line") << QByteArrayLiteral("VESK1\tRESTORE\tVe");
}

void SingleCopy::slowClientsAreCut()
{
    QFETCH(QByteArray, sent);
    Copies c;
    c.startFirst();
    QElapsedTimer t;
    t.start();
    Connection slow(c.socket());
    QVERIFY(slow.connected());
    QVERIFY(slow.send(sent));
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
    QVERIFY(slow.hungUp(std::chrono::milliseconds(6000)));
    const auto timeout = vesk::LocalInstanceGuard::kRequestTimeout.count();
    QVERIFY2(t.elapsed() >= timeout - 100 && t.elapsed() < timeout + 3000,
             qPrintable(QString::number(t.elapsed())));
}

void SingleCopy::hostileClientsDoNotStopIt()
{
    Copies c;
    QProcess* first = c.startFirst();
    // An oversize request, garbage and a request of another version get no answer.
    QCOMPARE(c.send(QByteArray(1024 * 1024, 'V')), QByteArray());
    QCOMPARE(c.send(QByteArray("\x00\xFF\x01garbage\n", 11)), QByteArray());
    QCOMPARE(c.send(QByteArrayLiteral("VESK9\tRESTORE\tVesk\t-\n")), QByteArray());
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
    QCOMPARE(first->state(), QProcess::Running);
}

// A hundred idle connections of the same user cannot keep the next request
// from being answered within the hand-over's deadline.
void SingleCopy::idleClientsDoNotStarveTheHandOver()
{
    Copies c;
    QProcess* first = c.startFirst();
    std::vector<std::unique_ptr<Connection>> idle;
    for (int i = 0; i < 100; ++i) {
        idle.push_back(std::make_unique<Connection>(c.socket()));
        QVERIFY(idle.back()->connected());
    }
    Connection next(c.socket());
    QVERIFY(next.connected());
    QVERIFY(next.send(vesk::instance::formatRequest({QStringLiteral("Vesk"), {}})));
    QCOMPARE(next.reply(kDeadline), QByteArrayLiteral("FOUND\n"));
    // The running copy kept at most its cap of them.
    const auto open = std::count_if(idle.begin(), idle.end(), [](const auto& i) {
        return !i->hungUp(std::chrono::milliseconds(0));
    });
    QVERIFY2(open <= qsizetype(vesk::LocalInstanceGuard::kMaxClients),
             qPrintable(QString::number(open)));
    QCOMPARE(first->state(), QProcess::Running);
}

void SingleCopy::aNewcomerPushesOutTheLongestIdle()
{
    Copies c;
    c.startFirst();
    std::vector<std::unique_ptr<Connection>> idle;
    for (std::size_t i = 0; i < vesk::LocalInstanceGuard::kMaxClients; ++i) {
        idle.push_back(std::make_unique<Connection>(c.socket()));
        QTest::qWait(20); // accepted one after the other
    }
    // The oldest speaks, so the second oldest is now the longest idle.
    QVERIFY(idle[0]->send(QByteArrayLiteral("VESK1")));
    QTest::qWait(20);
    Connection newcomer(c.socket());
    QVERIFY(newcomer.connected());
    QVERIFY(idle[1]->hungUp(std::chrono::milliseconds(1000)));
    for (std::size_t i = 0; i < idle.size(); ++i)
        if (i != 1)
            QVERIFY2(!idle[i]->hungUp(std::chrono::milliseconds(50)),
                     qPrintable(QString::number(i)));
    QVERIFY(newcomer.send(vesk::instance::formatRequest({QStringLiteral("Vesk"), {}})));
    QCOMPARE(newcomer.reply(), QByteArrayLiteral("FOUND\n"));
}

void SingleCopy::hungFirstCopyCostsOnlyTheDeadline()
{
    Copies c;
    QProcess* first = c.startFirst();
    ::kill(static_cast<pid_t>(first->processId()), SIGSTOP);
    QElapsedTimer t;
    t.start();
    QProcess* second = c.start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
    // The deadline, and the start-up of a copy on a slow or instrumented build.
    QVERIFY2(t.elapsed() < kDeadline.count() + 4000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(second->readAllStandardError(), QByteArray());
    ::kill(static_cast<pid_t>(first->processId()), SIGCONT);
}

void SingleCopy::filesArePrivate()
{
    Copies c;
    c.startFirst();
    const QFileInfo dir(c.dir());
    QCOMPARE(dir.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                  QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
             QFile::Permissions());
    const QFileInfo lock(c.lock());
    QCOMPARE(lock.permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
             QFile::Permissions());
    const QFileInfo socket(c.socket());
    QVERIFY(socket.exists());
    QCOMPARE(socket.permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
             QFile::Permissions());
    QCOMPARE(socket.ownerId(), ::getuid());
    // Another user cannot connect (needs root to become one).
    const TestUser other;
    if (!other.anotherStands())
        QSKIP("becoming another user needs root");
    QCOMPARE(other.request(c.dir()), QByteArrayLiteral("errno 13")); // EACCES
    // Opened to others once the copy runs, the socket lets them connect: the
    // copy itself hangs up on them, by their user id, and serves its own.
    QVERIFY(::chmod(QFile::encodeName(c.dir()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(c.socket()).constData(), 0777) == 0);
    QCOMPARE(other.request(c.dir()), QByteArray());
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
}

void SingleCopy::noDisplayIsOneLine_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QByteArray>("begins");
    QTest::newRow("no_display_named") << QString() << QByteArrayLiteral("vesk: no display");
    QTest::newRow("display_not_there")
        << QStringLiteral(":987") << QByteArrayLiteral("vesk: cannot open a window: ");
}

void SingleCopy::noDisplayIsOneLine()
{
    QFETCH(QString, display);
    QFETCH(QByteArray, begins);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VESK_BINARY), {});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QByteArray err = p.readAllStandardError();
    QVERIFY2(err.startsWith(begins), err.constData());
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.endsWith('\n'));
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
}

namespace {

long residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

#if !defined(VESK_SANITIZED)
// Clock ticks the process has run, user and system.
long cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    stat.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
    return fields.size() > 13 ? fields[12].toLong() + fields[13].toLong() : -1;
}
#endif

// Child processes that connect and hang up as fast as they can until killed.
std::vector<pid_t> flood(const QString& socket, int processes)
{
    std::vector<pid_t> children;
    const std::string path = QFile::encodeName(socket).toStdString();
    for (int i = 0; i < processes; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            while (true) {
                const int fd = vesk::local_socket::connectTo(path);
                if (fd >= 0)
                    ::close(fd);
            }
        }
        children.push_back(child);
    }
    return children;
}

} // namespace

// The running copy hangs and then dies while a later copy hands over: the
// later copy does not give up, but takes the lock and runs in its place.
void SingleCopy::aDyingRunningCopyIsReplaced()
{
    Copies c;
    QProcess* first = c.startFirst();
    ::kill(static_cast<pid_t>(first->processId()), SIGSTOP);
    QProcess* later = c.start();
    QTest::qWait(800);
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(2000));
    QVERIFY(
        QTest::qWaitFor([&] { return c.request("Vesk") == QByteArrayLiteral("FOUND\n"); }, 10000));
    QCOMPARE(later->state(), QProcess::Running);
    QCOMPARE(later->readAllStandardError(), QByteArray());
}

// A same-user flood of connections: every legitimate request is still
// answered, the running copy's memory stays put, and it still stops on
// SIGTERM. How fast the answers come under the flood depends on the share of
// processor the copy gets (twelve busy processes on two cores, other tests
// beside them, a sanitized build), so those figures are the benchmark's; here
// each request has ample time, and none may go unanswered.
void SingleCopy::aFloodNeitherStarvesNorGrows()
{
    Copies c;
    QProcess* first = c.startFirst();
    const long before = residentKiB(first->processId());
    const std::vector<pid_t> children = flood(c.socket(), 12);
    QTest::qWait(500);
    // Each asks as a later copy does, connecting again while the queue is
    // full and asking again when a connection is cut.
    const auto request = vesk::instance::formatRequest({QStringLiteral("Vesk"), {}});
    int answered = 0;
    for (int i = 0; i < 20; ++i) {
        const auto deadline = Clock::now() + 5 * kDeadline;
        bool found = false;
        while (!found && Clock::now() < deadline) {
            Connection next(c.socket());
            found = next.connected() && next.send(request) &&
                    next.reply(std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - Clock::now())) == QByteArrayLiteral("FOUND\n");
            if (!found)
                QTest::qWait(10);
        }
        answered += found ? 1 : 0;
    }
    const long after = residentKiB(first->processId());
    first->terminate();
    const bool stopped = first->waitForFinished(5000);
    for (pid_t child : children) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    QCOMPARE(answered, 20);
    QVERIFY2(after - before < 10 * 1024,
             qPrintable(QStringLiteral("%1 -> %2 KiB").arg(before).arg(after)));
    QVERIFY(stopped);
}

void SingleCopy::manyClientsAtOnceAreAllAnswered()
{
    Copies c;
    c.startFirst();
    std::vector<std::unique_ptr<Connection>> all;
    for (int i = 0; i < 200; ++i) {
        all.push_back(std::make_unique<Connection>(c.socket()));
        QVERIFY(all.back()->connected());
        QVERIFY(all.back()->send(vesk::instance::formatRequest({QStringLiteral("Vesk"), {}})));
    }
    int answered = 0;
    for (auto& connection : all)
        answered += connection->reply(kDeadline) == QByteArrayLiteral("FOUND\n") ? 1 : 0;
    QCOMPARE(answered, 200);
}

// Out of descriptors, the running copy rests between tries instead of
// spinning, and answers again once it has them back.
#if !defined(VESK_SANITIZED)
void SingleCopy::outOfDescriptorsItRests()
{
    Copies c;
    QProcess* first = c.startFirst();
    const qint64 pid = first->processId();
    // The copy's descriptors once it has settled: its first paint, which may
    // come after its first answer, starts the toolkit's drawing threads, and
    // each takes one. (At the limit the toolkit cannot start one and dies.)
    const auto descriptors = [pid] {
        return QDir(QStringLiteral("/proc/%1/fd").arg(pid))
            .entryList(QDir::NoDotAndDotDot | QDir::System)
            .size();
    };
    qsizetype open = descriptors();
    for (int i = 0; i < 20 && (QTest::qWait(250), descriptors() != open); ++i)
        open = descriptors();
    const auto limit = [pid](const QString& soft) {
        return QProcess::execute(QStringLiteral("prlimit"),
                                 {QStringLiteral("--pid"), QString::number(pid),
                                  QStringLiteral("--nofile=%1:").arg(soft)}) == 0;
    };
    const QString before = QString::number(sysconf(_SC_OPEN_MAX)); // the copy inherited ours
    if (!limit(QString::number(open + 3)))
        QSKIP("prlimit cannot set the running copy's limit here");
    std::vector<std::unique_ptr<Connection>> waiting;
    for (int i = 0; i < 20; ++i)
        waiting.push_back(std::make_unique<Connection>(c.socket()));
    QTest::qWait(200);
    const long ticks = cpuTicks(pid);
    QTest::qWait(1000);
    const long used = cpuTicks(pid) - ticks;
    QVERIFY2(first->state() == QProcess::Running,
             qPrintable(QStringLiteral("exit %1 (%2): %3")
                            .arg(first->exitCode())
                            .arg(QLatin1String(
                                first->exitStatus() == QProcess::CrashExit ? "crash" : "normal"))
                            .arg(QString::fromLocal8Bit(first->readAllStandardError()))));
    QVERIFY2(limit(before), qPrintable(before));
    waiting.clear();
    QVERIFY2(used < 20, qPrintable(QStringLiteral("%1 ticks in a second").arg(used)));
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
}
#endif

// A launcher's startup id or token that is malformed, too long or not plain
// ASCII is left out of the request, which still goes out. This test stands in
// for the running copy and reads what the later copy sends.
void SingleCopy::malformedTokensAreLeftOut_data()
{
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QByteArray>("token");
    QTest::newRow("blank_in_startup_id")
        << "DESKTOP_STARTUP_ID=l/v/1-0-my host_TIME0" << QByteArray();
    QTest::newRow("too_long") << QStringLiteral("DESKTOP_STARTUP_ID=") +
                                     QString(1100, QLatin1Char('x'))
                              << QByteArray();
    QTest::newRow("not_ascii") << QStringLiteral("XDG_ACTIVATION_TOKEN=t\u00F6k") << QByteArray();
    QTest::newRow("well_formed") << "DESKTOP_STARTUP_ID=launch_TIME42"
                                 << QByteArrayLiteral("launch_TIME42");
}

void SingleCopy::malformedTokensAreLeftOut()
{
    QFETCH(QString, environment);
    QFETCH(QByteArray, token);
    Copies c;
    const int lock =
        ::open(QFile::encodeName(c.lock()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) == 0);
    const int listener = vesk::local_socket::listenAt(QFile::encodeName(c.socket()).toStdString());
    QVERIFY(listener >= 0);
    QProcess* later = c.start({environment});
    QVERIFY(vesk::local_socket::waitFor(listener, POLLIN, Clock::now() + std::chrono::seconds(10)));
    const int fd = vesk::local_socket::acceptNext(listener);
    QVERIFY(fd >= 0);
    const QByteArray line = QByteArray::fromStdString(
        vesk::local_socket::readLine(fd, 2048, Clock::now() + std::chrono::seconds(5)));
    vesk::local_socket::sendAll(fd, "FOUND\n", Clock::now() + kDeadline);
    ::close(fd);
    ::close(listener);
    ::close(lock);
    const auto request = vesk::instance::parseRequest(line);
    QVERIFY2(request.has_value(), line.left(80).constData());
    QCOMPARE(request->caption, QStringLiteral("Vesk"));
    QCOMPARE(request->token, token);
    QVERIFY(later->waitForFinished(10000));
    QCOMPARE(later->exitCode(), 0);
}

namespace {

enum class Setup {
    LongPath,
    ReadOnlyRuntime,
    OpenRuntime,
    RuntimeOfAnother,
    UnsetAndTmpTaken,
    UnsetAndTmpRedirected,
    DirectoryAtLock,
    ReadOnlyLock,
    DirectoryAtSocket,
    Nowhere,
};
enum class Where { Runtime, Cache, Nowhere };

} // namespace

// Whatever is wrong with the runtime directory or the names in it, the copies
// of one user agree on one private place to meet, or, where there is none,
// neither runs: one line on standard error and status 1, never a second
// window or one that another copy could not find.
void SingleCopy::aPrivatePlaceOrNone_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Where>("where");
    QTest::newRow("path_too_long_for_a_socket") << Setup::LongPath << Where::Runtime;
    QTest::newRow("read_only_runtime") << Setup::ReadOnlyRuntime << Where::Cache;
    QTest::newRow("runtime_open_to_others") << Setup::OpenRuntime << Where::Cache;
    QTest::newRow("runtime_of_another_user") << Setup::RuntimeOfAnother << Where::Cache;
    QTest::newRow("unset_tmp_taken") << Setup::UnsetAndTmpTaken << Where::Cache;
    QTest::newRow("unset_tmp_redirected") << Setup::UnsetAndTmpRedirected << Where::Cache;
    QTest::newRow("directory_at_lock") << Setup::DirectoryAtLock << Where::Cache;
    QTest::newRow("read_only_lock") << Setup::ReadOnlyLock << Where::Cache;
    QTest::newRow("directory_at_socket") << Setup::DirectoryAtSocket << Where::Cache;
    QTest::newRow("nowhere") << Setup::Nowhere << Where::Nowhere;
}

void SingleCopy::aPrivatePlaceOrNone()
{
    QFETCH(Setup, setup);
    QFETCH(Where, where);
    const TestUser user;
    QVERIFY(user.usable());
    const bool byAnother = setup == Setup::RuntimeOfAnother || setup == Setup::UnsetAndTmpTaken ||
                           setup == Setup::UnsetAndTmpRedirected;
    if (byAnother && !user.anotherStands())
        QSKIP("another user's part needs root");

    Copies c(&user);
    QString runtime = c.dir() + QStringLiteral("/run");
    const QString home = c.dir() + QStringLiteral("/home");
    if (setup == Setup::LongPath)
        runtime = c.dir() + QLatin1Char('/') + QString(100, QLatin1Char('r'));
    const QString tmp = QStringLiteral("/tmp/runtime-") + user.name();
    for (const QString& dir : {runtime, home}) {
        QVERIFY(QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        user.own(dir);
    }
    const auto at = [&runtime](const char* name) {
        return runtime + QLatin1Char('/') + QLatin1String(name);
    };
    const auto mode = [](const QString& path, mode_t m) {
        return ::chmod(QFile::encodeName(path).constData(), m) == 0;
    };
    QProcessEnvironment& env = c.environment();
    env.remove(QStringLiteral("XDG_CACHE_HOME"));
    env.remove(QStringLiteral("FLATPAK_ID"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    switch (setup) {
    case Setup::LongPath:
        break;
    case Setup::ReadOnlyRuntime:
        QVERIFY(mode(runtime, 0500));
        break;
    case Setup::OpenRuntime:
        QVERIFY(mode(runtime, 0755));
        break;
    case Setup::RuntimeOfAnother:
        QVERIFY(::lchown(QFile::encodeName(runtime).constData(), 0, 0) == 0);
        break;
    case Setup::UnsetAndTmpTaken:
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        QVERIFY(QDir().mkdir(tmp, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        break;
    case Setup::UnsetAndTmpRedirected:
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        QVERIFY(QFile::link(c.dir(), tmp));
        break;
    case Setup::DirectoryAtLock:
        QVERIFY(QDir().mkdir(at("vesk-_test.lock")));
        user.own(at("vesk-_test.lock"));
        break;
    case Setup::ReadOnlyLock: {
        QFile lock(at("vesk-_test.lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        user.own(lock.fileName());
        QVERIFY(mode(lock.fileName(), 0400));
        break;
    }
    case Setup::DirectoryAtSocket:
        QVERIFY(QDir().mkdir(at("vesk-_test.socket")));
        user.own(at("vesk-_test.socket"));
        break;
    case Setup::Nowhere:
        QVERIFY(mode(runtime, 0500) && mode(home, 0500));
        break;
    }
    const auto cleanUp = qScopeGuard([&] {
        mode(runtime, 0700);
        mode(home, 0700);
        if (QFileInfo(tmp).isSymLink())
            QFile::remove(tmp);
        else
            QDir(tmp).removeRecursively();
    });

    QProcess* first = c.start();
    const QString meeting = where == Where::Runtime
                                ? runtime
                                : home + QStringLiteral("/.cache/vesk-runtime-") +
                                      vesk::instance::fileNamePart(QSysInfo::machineHostName());
    if (where == Where::Nowhere) {
        for (QProcess* p : {first, c.start()}) {
            QVERIFY(p->waitForFinished(10000));
            QCOMPARE(p->exitCode(), 1);
            const QByteArray err = p->readAllStandardError();
            QVERIFY2(err.startsWith("vesk: cannot make sure only one copy runs: ") &&
                         err.count('\n') == 1,
                     err.constData());
        }
        return;
    }
    QVERIFY2(QTest::qWaitFor([&] { return user.request(meeting) == "FOUND\n"; }, 10000),
             qPrintable(QString::fromLocal8Bit(first->readAllStandardError())));
    QProcess* second = c.start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardError(), QByteArray());
    QCOMPARE(first->state(), QProcess::Running); // one window, the first copy's
    QCOMPARE(user.request(meeting), QByteArrayLiteral("FOUND\n"));
}

QTEST_GUILESS_MAIN(SingleCopy)
#include "single_copy_test.moc"
