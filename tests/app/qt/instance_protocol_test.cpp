// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The hand-over request, the launch's startup id and the names of the meeting
// files, without sockets or a display.
#include "app/qt/instance_guard.h"
#include "app/qt/instance_protocol.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTest>
#include <QWidget>

using namespace vesk;
using namespace vesk::instance;

class InstanceProtocol : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void roundTrip();
    void parse_data();
    void parse();
    void sizeBound();
    void names_data();
    void names();
    void places_data();
    void places();
    void launchTimes_data();
    void launchTimes();
    void launchComplete();
};

void InstanceProtocol::roundTrip()
{
    const Request plain{QStringLiteral("Vesk"), {}};
    QCOMPARE(formatRequest(plain), QByteArrayLiteral("VESK1\tRESTORE\tVesk\t-\n"));
    QCOMPARE(parseRequest(formatRequest(plain)), plain);
    const Request withToken{QStringLiteral("Vesk \u00E9t\u00E9"), QByteArrayLiteral("abc_TIME123")};
    QCOMPARE(parseRequest(formatRequest(withToken)), withToken);
}

void InstanceProtocol::parse_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\t-\n") << true;
    QTest::newRow("no_newline") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\t-") << false;
    QTest::newRow("other_version") << QByteArrayLiteral("VESK2\tRESTORE\tVesk\t-\n") << false;
    QTest::newRow("other_verb") << QByteArrayLiteral("VESK1\tQUIT\tVesk\t-\n") << false;
    QTest::newRow("lower_case_verb") << QByteArrayLiteral("VESK1\trestore\tVesk\t-\n") << false;
    QTest::newRow("tab_in_caption") << QByteArrayLiteral("VESK1\tRESTORE\tVe\tsk\t-\n") << false;
    QTest::newRow("nul_in_caption") << QByteArray("VESK1\tRESTORE\tVe\0sk\t-\n", 21) << false;
    QTest::newRow("carriage_return") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\t-\r\n") << false;
    QTest::newRow("invalid_utf8") << QByteArrayLiteral("VESK1\tRESTORE\tV\xC3\x28sk\t-\n") << false;
    QTest::newRow("empty_caption") << QByteArrayLiteral("VESK1\tRESTORE\t\t-\n") << false;
    QTest::newRow("missing_token") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\n") << false;
    QTest::newRow("empty_token") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\t\n") << false;
    QTest::newRow("blank_in_token") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\ta b\n") << false;
    QTest::newRow("two_lines") << QByteArrayLiteral("VESK1\tRESTORE\tVesk\t-\nX\n") << false;
    QTest::newRow("garbage") << QByteArrayLiteral("\xFF\xFE\x00\x01\n") << false;
}

void InstanceProtocol::parse()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QCOMPARE(parseRequest(line).has_value(), valid);
}

// A request may take up to 1024 bytes with its newline, not one more.
void InstanceProtocol::sizeBound()
{
    const QByteArray head = QByteArrayLiteral("VESK1\tRESTORE\t");
    const QByteArray tail = QByteArrayLiteral("\t-\n");
    const QByteArray fits = head + QByteArray(kMaxRequest - head.size() - tail.size(), 'V') + tail;
    QCOMPARE(fits.size(), 1024);
    QVERIFY(parseRequest(fits).has_value());
    const QByteArray over =
        head + QByteArray(kMaxRequest + 1 - head.size() - tail.size(), 'V') + tail;
    QCOMPARE(over.size(), 1025);
    QVERIFY(!parseRequest(over).has_value());
}

// By the windowing platform in use ("" for another, such as a test's
// offscreen one), the Wayland display and the X display the toolkit opened.
void InstanceProtocol::names_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("name");
    const struct {
        const char *row, *platform, *wayland, *x11, *name;
    } rows[] = {
        {"x11", "xcb", "", ":0", "vesk-_0"},
        {"x11_screen", "xcb", "", ":0.1", "vesk-_0"},
        {"local_prefix", "xcb", "", "unix:0", "vesk-_0"},
        {"local_prefix_screen", "xcb", "", "unix:0.0", "vesk-_0"},
        {"local_protocol", "xcb", "", "unix/:0", "vesk-_0"},
        {"leading_zero", "xcb", "", ":091", "vesk-_91"},
        {"plus_sign", "xcb", "", ":+91", "vesk-_91"},
        {"screen_zero", "xcb", "", ":91.0", "vesk-_91"},
        {"other_display", "xcb", "", ":1", "vesk-_1"},
        {"tcp_localhost_apart", "xcb", "", "localhost:0", "vesk-localhost_0"},
        {"remote", "xcb", "", "localhost:10.0", "vesk-localhost_10"},
        {"host_with_dots", "xcb", "", "my.host:1", "vesk-my.host_1"},
        {"unix_named_host", "xcb", "", "unixbox:0", "vesk-unixbox_0"},
        {"x11_ignores_wayland", "xcb", "wayland-0", ":1", "vesk-_1"},
        {"wayland_ignores_x11", "wayland", "wayland-3", ":1", "vesk-wayland-3"},
        {"wayland_default", "wayland", "", ":1", "vesk-wayland-0"},
        {"wayland_path", "wayland", "/run/user/7/wayland-1", "", "vesk-_run_user_7_wayland-1"},
        {"elsewhere_wayland_first", "", "wayland-0", ":1", "vesk-wayland-0"},
        {"elsewhere_x11_text", "", "", ":test", "vesk-_test"},
        {"none", "", "", "", "vesk-none"},
        {"hostile", "xcb", "", "../../x y:1", "vesk-x_y_1"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.row) << QString::fromUtf8(r.platform) << QString::fromUtf8(r.wayland)
                             << QString::fromUtf8(r.x11) << QString::fromUtf8(r.name);
}

void InstanceProtocol::names()
{
    QFETCH(QString, platform);
    QFETCH(QString, wayland);
    QFETCH(QString, x11);
    QFETCH(QString, name);
    QCOMPARE(instanceName(platform, wayland, x11), name);
    QVERIFY(!instanceName(platform, wayland, x11).contains(QLatin1Char('/')));
}

// Where copies look for each other, from the environment: the runtime
// directory, then the program's own in the cache directory, for this machine.
void InstanceProtocol::places_data()
{
    QTest::addColumn<QStringList>(
        "environment"); // XDG_RUNTIME_DIR, FLATPAK_ID, XDG_CACHE_HOME, HOME
    QTest::addColumn<QStringList>("directories");
    // "@" stands for this machine's directory name.
    const auto row = [](const char* name, std::initializer_list<const char*> environment,
                        std::initializer_list<const char*> directories) {
        const QString host =
            QStringLiteral("vesk-runtime-") + fileNamePart(QSysInfo::machineHostName());
        QStringList e, d;
        for (const char* text : environment)
            e << QString::fromUtf8(text);
        for (const char* text : directories)
            d << QString::fromUtf8(text).replace(QLatin1Char('@'), host);
        QTest::newRow(name) << e << d;
    };
    row("runtime", {"/run/user/7", "", "", "/home/u"}, {"/run/user/7", "/home/u/.cache/@"});
    row("flatpak", {"/run/user/7", "org.x", "/c", "/home/u"}, {"/run/user/7/app/org.x", "/c/@"});
    row("relative_cache_ignored", {"", "", "c", "/home/u"}, {"", "/home/u/.cache/@"});
    row("nothing_set", {"", "", "", ""}, {"", ""});
}

void InstanceProtocol::places()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, directories);
    const char* names[] = {"XDG_RUNTIME_DIR", "FLATPAK_ID", "XDG_CACHE_HOME", "HOME"};
    QList<QByteArray> saved;
    for (int i = 0; i < 4; ++i) {
        saved << qgetenv(names[i]);
        if (environment[i].isEmpty())
            qunsetenv(names[i]);
        else
            qputenv(names[i], environment[i].toLocal8Bit());
    }
    const InstancePlaces places =
        InstancePlaces::forThisSession(QStringLiteral("offscreen"), QStringLiteral(":3"));
    for (int i = 0; i < 4; ++i)
        qputenv(names[i], saved[i]);
    QCOMPARE(places.name, QStringLiteral("vesk-_3"));
    QStringList found;
    for (const auto& directory : places.directories)
        found << directory.path;
    QCOMPARE(found, directories);
    QCOMPARE(places.directories.back().make, true);
    QCOMPARE(places.directories.front().make, false);
}

void InstanceProtocol::launchTimes_data()
{
    QTest::addColumn<QByteArray>("startupId");
    QTest::addColumn<qint64>("time"); // -1: none
    QTest::newRow("stamped") << QByteArrayLiteral("launcher-42-host-vesk_TIME123456") << 123456LL;
    QTest::newRow("last_stamp_counts") << QByteArrayLiteral("a_TIME1_TIME2") << 2LL;
    QTest::newRow("largest") << QByteArrayLiteral("x_TIME4294967295") << 4294967295LL;
    QTest::newRow("zero") << QByteArrayLiteral("x_TIME0") << 0LL;
    QTest::newRow("no_stamp") << QByteArrayLiteral("launcher-42-host-vesk") << -1LL;
    QTest::newRow("empty") << QByteArray() << -1LL;
    QTest::newRow("stamp_without_time") << QByteArrayLiteral("x_TIME") << -1LL;
    QTest::newRow("letters") << QByteArrayLiteral("x_TIME12a") << -1LL;
    QTest::newRow("negative") << QByteArrayLiteral("x_TIME-5") << -1LL;
    QTest::newRow("beyond_32_bits") << QByteArrayLiteral("x_TIME4294967296") << -1LL;
    QTest::newRow("far_beyond") << QByteArrayLiteral("x_TIME99999999999999999999") << -1LL;
}

void InstanceProtocol::launchTimes()
{
    QFETCH(QByteArray, startupId);
    QFETCH(qint64, time);
    const std::optional<quint32> parsed = launchTime(startupId);
    QCOMPARE(parsed ? qint64(*parsed) : -1LL, time);
}

void InstanceProtocol::launchComplete()
{
    QCOMPARE(launchCompleteMessage("vesk-1_TIME5"), QByteArrayLiteral("remove: ID=vesk-1_TIME5"));
    QCOMPARE(launchCompleteMessage("a\"b\\c_TIME5"),
             QByteArrayLiteral("remove: ID=\"a\\\"b\\\\c_TIME5\""));
}

QTEST_MAIN(InstanceProtocol)
#include "instance_protocol_test.moc"
