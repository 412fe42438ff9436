// Real copies of the program started side by side (offscreen, each test with
// its own private runtime directory): which one runs, how a later one hands
// over, and what a crash or a hostile client leaves behind.
#include "app/instance_protocol.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

namespace {

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
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000 && request("Vesk") != QByteArrayLiteral("FOUND\n"))
            QTest::qWait(20);
        return p;
    }

    // Sends raw bytes and returns the reply, or what came before the hang-up.
    QByteArray send(const QByteArray& bytes, int waitMs = 3000) const
    {
        QLocalSocket s;
        s.connectToServer(socket());
        if (!s.waitForConnected(1000))
            return QByteArrayLiteral("<no server>");
        s.write(bytes);
        s.waitForBytesWritten(1000);
        QByteArray reply;
        QElapsedTimer t;
        t.start();
        while (!reply.endsWith('\n') && s.state() == QLocalSocket::ConnectedState &&
               t.elapsed() < waitMs) {
            if (s.waitForReadyRead(100))
                reply += s.readAll();
        }
        return reply + s.readAll();
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
    void hostileClientsDoNotStopIt();
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
    QElapsedTimer t;
    t.start();
    QProcess* second = c.start();
    QVERIFY(second->waitForFinished(5000));
    const qint64 ms = t.elapsed();
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
    QCOMPARE(second->readAllStandardError(), QByteArray());
    QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
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
    // The About window is loaded hidden, under its own caption.
    QCOMPARE(c.request("About"), QByteArrayLiteral("FOUND\n"));
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
    QElapsedTimer t;
    t.start();
    int running = 20;
    while (t.elapsed() < 8000) {
        running = 0;
        for (QProcess* p : all)
            running += p->state() == QProcess::Running;
        if (running <= 1)
            break;
        QTest::qWait(50);
    }
    QTest::qWait(500);
    running = 0;
    for (QProcess* p : all) {
        running += p->state() == QProcess::Running;
        if (p->state() == QProcess::NotRunning)
            QCOMPARE(p->exitCode(), 0);
    }
    QCOMPARE(running, 1);
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
}

void SingleCopy::hostileClientsDoNotStopIt()
{
    Copies c;
    QProcess* first = c.startFirst();

    // A silent client is cut off after about two seconds...
    QLocalSocket silent;
    silent.connectToServer(c.socket());
    QVERIFY(silent.waitForConnected(1000));
    // ...and meanwhile the running copy still answers others.
    QCOMPARE(c.request("Vesk"), QByteArrayLiteral("FOUND\n"));
    QElapsedTimer t;
    t.start();
    while (silent.state() == QLocalSocket::ConnectedState && t.elapsed() < 4000)
        silent.waitForDisconnected(100);
    QCOMPARE(silent.state(), QLocalSocket::UnconnectedState);
    QVERIFY2(t.elapsed() < 2600, qPrintable(QString::number(t.elapsed())));

    // An oversize request, garbage and a request of another version get no answer.
    QCOMPARE(c.send(QByteArray(1024 * 1024, 'V')), QByteArray());
    QCOMPARE(c.send(QByteArray("\x00\xFF\x01garbage\n", 11)), QByteArray());
    QCOMPARE(c.send(QByteArrayLiteral("VESK9\tRESTORE\tVesk\t-\n")), QByteArray());
    // Nine clients at once: at most eight are served, none hangs the copy.
    std::vector<std::unique_ptr<QLocalSocket>> crowd;
    for (int i = 0; i < 9; ++i) {
        crowd.push_back(std::make_unique<QLocalSocket>());
        crowd.back()->connectToServer(c.socket());
        crowd.back()->waitForConnected(1000);
    }
    crowd.clear();

    // Once they are gone, the next real request is answered.
    QTRY_COMPARE_WITH_TIMEOUT(c.request("Vesk"), QByteArrayLiteral("FOUND\n"), 3000);
    QCOMPARE(first->state(), QProcess::Running);
}

void SingleCopy::hungFirstCopyCostsOnlyTheDeadline()
{
    Copies c;
    QProcess* first = c.startFirst();
    ::kill(static_cast<pid_t>(first->processId()), SIGSTOP);
    QElapsedTimer t;
    t.start();
    QProcess* second = c.start();
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(t.elapsed() < 2500, qPrintable(QString::number(t.elapsed())));
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
