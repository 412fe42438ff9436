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

#include <csignal>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
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

class Copies {
  public:
    Copies()
    {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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

    QProcess* start()
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env_);
        p->start(QStringLiteral(VESK_BINARY), {});
        p->waitForStarted();
        processes_.push_back(std::move(p));
        return processes_.back().get();
    }

    // Starts a copy and waits until it answers requests.
    QProcess* startFirst()
    {
        QProcess* p = start();
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
    QTemporaryDir dir_;
    QProcessEnvironment env_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

} // namespace

class SingleCopy : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void secondCopyHandsOverSilently();
    void searchIsExact();
    void crashLeavesNothingStale();
    void copiesStartedTogether();
    void slowClientsAreCut_data();
    void slowClientsAreCut();
    void hostileClientsDoNotStopIt();
    void idleClientsDoNotStarveTheHandOver();
    void aNewcomerPushesOutTheLongestIdle();
    void hungFirstCopyCostsOnlyTheDeadline();
    void filesArePrivate();
    void stoppedBySignalItTidiesUp();
    void noDisplayIsOneLine_data();
    void noDisplayIsOneLine();
};

void SingleCopy::secondCopyHandsOverSilently()
{
    Copies c;
    QProcess* first = c.startFirst();
    QProcess* second = c.start();
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

void SingleCopy::crashLeavesNothingStale()
{
    Copies c;
    QProcess* first = c.startFirst();
    first->kill(); // SIGKILL: no chance to tidy up
    QVERIFY(first->waitForFinished(2000));
    QVERIFY(QFileInfo::exists(c.lock()));
    QVERIFY(QFileInfo::exists(c.socket()));
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
    QVERIFY2(open < qsizetype(vesk::LocalInstanceGuard::kMaxClients),
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
    if (::getuid() != 0 || !QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        QSKIP("becoming another user needs root and the system's python3");
    QProcess other;
    other.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QStringLiteral("/usr/bin/python3"),
                 QStringLiteral("-c"),
                 QStringLiteral("import socket,sys\n"
                                "s=socket.socket(socket.AF_UNIX)\n"
                                "try:\n s.connect(sys.argv[1]); print('connected')\n"
                                "except OSError as e: print(e.errno)"),
                 c.socket()});
    QVERIFY(other.waitForFinished(5000));
    QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArrayLiteral("13")); // EACCES
}

void SingleCopy::stoppedBySignalItTidiesUp()
{
    Copies c;
    QProcess* first = c.startFirst();
    first->terminate(); // SIGTERM
    QVERIFY(first->waitForFinished(3000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(!QFileInfo::exists(c.socket()));
    QVERIFY(QFileInfo::exists(c.lock())); // never removed, by design
    c.startFirst();
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

QTEST_GUILESS_MAIN(SingleCopy)
#include "single_copy_test.moc"
