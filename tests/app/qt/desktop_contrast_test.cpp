// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Both windows in the desktop's contrast, as a stand-in desktop portal on the
// test's own session bus (the test runs under dbus-run-session) tells it: read
// as the program starts, and followed while it runs. Every text is measured in
// the windows' pixels against its ground; asked for nothing, the pixels are
// those of the design.
#include "app/qt/about_window.h"
#include "app/qt/desktop_contrast.h"
#include "ui/contrast.h"
#include "ui/qt/main_window.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using vesk::layout::Contrast;

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kGroup = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("contrast");

} // namespace

// The portal's settings, as the desktop's own would answer them; an older
// portal knows Read only, which wraps the value in one more variant.
class StandInPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

  public:
    StandInPortal(uint contrast, bool readOne) : contrast_(contrast), readOne_(readOne)
    {
        bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                             QStringLiteral("stand-in portal"));
        registered_ =
            bus_.registerObject(
                kPath, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) &&
            bus_.registerService(kService);
    }
    ~StandInPortal() override
    {
        bus_.unregisterService(kService);
        bus_.unregisterObject(kPath);
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in portal"));
    }

    bool registered() const { return registered_; }

    // The user changes the setting while the program runs.
    void set(uint contrast)
    {
        contrast_ = contrast;
        Q_EMIT SettingChanged(kGroup, kKey, QDBusVariant(contrast));
    }

  public Q_SLOTS:
    QDBusVariant ReadOne(const QString& group, const QString& key)
    {
        if (!readOne_) {
            sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("no ReadOne here"));
            return {};
        }
        return value(group, key);
    }
    QDBusVariant Read(const QString& group, const QString& key)
    {
        return QDBusVariant(QVariant::fromValue(value(group, key)));
    }

  Q_SIGNALS:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

  private:
    QDBusVariant value(const QString& group, const QString& key)
    {
        if (group != kGroup || key != kKey)
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                           QStringLiteral("no such setting"));
        return QDBusVariant(contrast_);
    }

    uint contrast_;
    bool readOne_;
    bool registered_ = false;
    QDBusConnection bus_{QString()};
};

namespace {

// The contrast of a control's text to its ground, as drawn: its ground is
// its commonest colour, its text the colour that stands out most from it
// (antialiased edges stand out less). A control with one colour has none.
double textContrast(QWidget& w)
{
    QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (qobject_cast<QPushButton*>(&w) || qobject_cast<QLineEdit*>(&w))
        shot = shot.copy(shot.rect().adjusted(4, 4, -4, -4)); // inside the frame
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y) & 0xFFFFFF];
    const QRgb ground =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    const auto rgb = [](QRgb c) {
        return vesk::Rgb{std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))};
    };
    double most = 0;
    for (auto it = counts.keyValueBegin(); it != counts.keyValueEnd(); ++it)
        most = std::max(most, vesk::layout::ContrastRatio(rgb(ground), rgb(it->first)));
    return most;
}

// Every text of a window: labels, buttons and the text box, by name.
QList<QWidget*> texts(QWidget& window)
{
    QList<QWidget*> found;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w) ||
            qobject_cast<QLineEdit*>(w))
            if (!(qobject_cast<QLabel*>(w) && qobject_cast<QLabel*>(w)->text().isEmpty()))
                found.append(w);
    return found;
}

} // namespace

class DesktopContrastTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void readAtStart_data();
    void readAtStart();
    void followedWhileRunning();
    void noPortal();
};

void DesktopContrastTest::readAtStart_data()
{
    QTest::addColumn<uint>("setting");
    QTest::addColumn<bool>("readOne");
    QTest::addColumn<Contrast>("read");
    QTest::newRow("no preference: designed") << 0u << true << Contrast::Designed;
    QTest::newRow("more contrast") << 1u << true << Contrast::More;
    QTest::newRow("less contrast (an unknown value): designed") << 2u << true << Contrast::Designed;
    QTest::newRow("an older portal (Read only), more contrast") << 1u << false << Contrast::More;
}

void DesktopContrastTest::readAtStart()
{
    QFETCH(uint, setting);
    QFETCH(bool, readOne);
    QFETCH(Contrast, read);
    StandInPortal portal(setting, readOne);
    QVERIFY(portal.registered());
    vesk::DesktopContrast contrast;
    QSignalSpy told(&contrast, &vesk::DesktopContrast::changed);
    QVERIFY(told.wait(5000));
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.at(0).at(0).value<Contrast>(), read);
    QCOMPARE(contrast.contrast(), read);
}

// Both windows painted as the setting changes: more contrast, every text at
// 7:1 or more, the results included in their own colours; back to no
// preference, every pixel as designed.
void DesktopContrastTest::followedWhileRunning()
{
    StandInPortal portal(0, true);
    QVERIFY(portal.registered());
    vesk::MainWindow form;
    std::uint16_t enter = 13; // results in every label, the method word in its colour
    form.handlers().txtVesk_KeyPress(enter);
    vesk::AboutWindow about;
    form.show();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage designedMain = form.grab().toImage();
    const QImage designedAbout = about.grab().toImage();
    double designedLeast = 21;
    for (QWidget* w : texts(form))
        designedLeast = std::min(designedLeast, textContrast(*w));

    vesk::DesktopContrast contrast;
    QObject::connect(&contrast, &vesk::DesktopContrast::changed, &form, [&](Contrast c) {
        form.setContrast(c);
        about.setContrast(c);
    });
    QSignalSpy told(&contrast, &vesk::DesktopContrast::changed);
    QVERIFY(told.wait(5000)); // no preference, as read at the start
    QCOMPARE(form.grab().toImage(), designedMain);

    portal.set(1);
    QVERIFY(told.wait(5000));
    QCOMPARE(contrast.contrast(), Contrast::More);
    for (QWidget* window : {static_cast<QWidget*>(&form), static_cast<QWidget*>(&about)}) {
        const QList<QWidget*> all = texts(*window);
        QVERIFY(all.size() >= 4);
        for (QWidget* w : all)
            QVERIFY2(textContrast(*w) >= 7.0, qPrintable(QStringLiteral("%1: %2:1")
                                                             .arg(w->objectName())
                                                             .arg(textContrast(*w), 0, 'f', 2)));
    }
    auto* method = form.findChild<QLabel*>(QStringLiteral("lblMethod"));
    QVERIFY(method != nullptr);
    qInfo("least designed contrast %.2f:1; result labels under more contrast: %.2f:1",
          designedLeast, textContrast(*method));

    portal.set(0);
    QVERIFY(told.wait(5000));
    QCOMPARE(form.grab().toImage(), designedMain);
    QCOMPARE(about.grab().toImage(), designedAbout);
}

// With no portal on the bus the windows stay as designed, and nothing waits
// for an answer.
void DesktopContrastTest::noPortal()
{
    QElapsedTimer made;
    made.start();
    vesk::DesktopContrast contrast;
    QVERIFY(made.elapsed() < 100);
    QSignalSpy told(&contrast, &vesk::DesktopContrast::changed);
    QVERIFY(!told.wait(1000));
    QCOMPARE(contrast.contrast(), Contrast::Designed);
}

QTEST_MAIN(DesktopContrastTest)
#include "desktop_contrast_test.moc"
