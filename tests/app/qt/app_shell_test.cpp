// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Start-up's order with a stand-in for the running copy, the ways to end, and
// the About window: its layout, modality, hiding and re-creation.
#include "app/application.h"
#include "app/qt/about_window.h"
#include "app/qt/instance_guard.h"
#include "app/qt/qt_platform.h"
#include "tests/ui/designed_places.h"
#include "tests/ui/enter_table.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace vesk;

namespace {

// Answers the previous-instance query as told and notes what it was asked,
// with the main window's caption at that moment.
class FakeGuard : public InstanceGuard {
  public:
    explicit FakeGuard(bool running) : running_(running) {}

    bool previousInstance() override
    {
        log << QStringLiteral("query");
        return running_;
    }
    void handOver(const QString& caption) override
    {
        log << QStringLiteral("restore %1 as '%2'").arg(caption, form->windowTitle());
    }

    QStringList log;
    MainWindow* form = nullptr;

  private:
    bool running_;
};

struct Started {
    explicit Started(bool running)
        : guard(running), shell(guard, [this] { ++ends; }), app(shell), form(&app)
    {
        guard.form = &form;
        shell.setMainWindow(form);
    }
    FakeGuard guard;
    int ends = 0;
    QtPlatform shell;
    Application app;
    MainWindow form;
};

// Runs `check` on the About window once it shows modally, then `leave` it.
void whileShown(std::function<void(AboutWindow&)> check)
{
    QTimer::singleShot(0, [check] {
        auto* about = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
        QVERIFY(about != nullptr);
        check(*about);
    });
}

} // namespace

class AppShellTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void firstCopyLoadsAboutHidden();
    void secondCopyHandsOverAndEnds();
    void exitAndCloseEnd();
    void aboutLayout_data();
    void aboutLayout();
    void aboutLines();
    void aboutShowsModallyAtTheMainWindow();
    void okHidesAndKeeps();
    void closeDestroysAndNextClickRecreates();
    void escapeHides();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void onlyTheMainWindowIsRestored_data();
    void onlyTheMainWindowIsRestored();
};

void AppShellTest::firstCopyLoadsAboutHidden()
{
    Started s(false);
    QSignalSpy shown(&s.form, &MainWindow::resultsShown);
    s.form.handlers().Form_Load();
    QCOMPARE(s.guard.log, QStringList{QStringLiteral("query")});
    QVERIFY(s.shell.about() != nullptr);
    QVERIFY(!s.shell.about()->isVisible());
    QVERIFY(!s.form.isVisible()); // the caller shows it after Form_Load
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Vesk"));
    QCOMPARE(s.ends, 0);
    QCOMPARE(shown.count(), 0); // nothing is computed at start-up
    QCOMPARE(s.form.findChild<QLabel*>(QStringLiteral("lblLight"))->text(), QStringLiteral("0"));
}

void AppShellTest::secondCopyHandsOverAndEnds()
{
    Started s(true);
    s.form.handlers().Form_Load();
    QCOMPARE(s.guard.log,
             QStringList({QStringLiteral("query"), QStringLiteral("restore Vesk as 'bye bye'")}));
    QCOMPARE(s.ends, 1); // the unload ended the program inside Form_Load
    QVERIFY(s.app.ended());
    QVERIFY(s.shell.about() == nullptr);
    QVERIFY(!s.form.isVisible());
    QVERIFY(!s.form.testAttribute(Qt::WA_WState_Created)); // no window ever reached the screen
}

void AppShellTest::exitAndCloseEnd()
{
    {
        Started s(false);
        s.form.handlers().Form_Load();
        s.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.form));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdExit"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(s.ends, 1);
    }
    {
        // Alt+X is the button's access key (pressed for real in the display
        // tests; simulated keys do not reach access keys).
        Started s(false);
        auto* exit = s.form.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        QCOMPARE(QKeySequence::mnemonic(exit->text()), QKeySequence(Qt::ALT | Qt::Key_X));
        exit->animateClick();
        QTRY_COMPARE(s.ends, 1);
    }
    {
        Started s(false);
        s.form.handlers().Form_Load();
        s.form.show();
        QVERIFY(s.form.close());
        QCOMPARE(s.ends, 1);
    }
}

void AppShellTest::aboutLayout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    const auto row = [](const char* name, const char* kind, const char* text, bool bold) {
        const vesk::test::DesignedPlace p = vesk::test::placeOf(vesk::test::kAboutAt96, name);
        QTest::newRow(name) << QString::fromLatin1(kind) << QRect(p.x, p.y, p.width, p.height)
                            << QString::fromUtf8(text) << bold;
    };
    row("Label1", "QLabel", "Vesk Calculator 1.1", false);
    row("cmdExit", "QPushButton", "&OK", true);
    row("Label2", "QLabel", "Copyright \u00A9 1997 Quarvane.", false);
    row("Label3", "QLabel", "Email: quarvane@example.org", false);
    row("Image1", "vesk::Picture", "", false);
}

void AppShellTest::aboutLayout()
{
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    AboutWindow about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.size(), QSize(281, 226));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(about.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(192, 192, 192));

    auto* w = about.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(w != nullptr);
    QVERIFY(w->inherits(kind.toLatin1().constData()));
    QCOMPARE(w->geometry(), geometry);
    QCOMPARE(w->font().bold(), bold);
    QCOMPARE(w->font().pointSizeF(), 8.25);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QCOMPARE(label->text(), text);
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    if (QTest::currentDataTag() == QByteArray("Image1")) {
        const QImage logo = static_cast<Picture*>(w)->image();
        QCOMPARE(logo.size(), QSize(220, 47));
        QSet<QRgb> colours;
        for (int y = 0; y < logo.height(); ++y)
            for (int x = 0; x < logo.width(); ++x)
                colours.insert(logo.pixel(x, y) & 0xFFFFFF);
        QCOMPARE(colours, QSet<QRgb>({0xC0C0C0, 0x000000, 0xFFFFFF, 0x808080}));
    }
}

void AppShellTest::aboutLines()
{
    AboutWindow about;
    const struct {
        const char* name;
        QRect pixels;
        QColor colour;
    } lines[] = {
        {"Line1", {8, 8, 264, 1}, QColor(128, 128, 128)},
        {"Line2", {8, 9, 1, 208}, QColor(128, 128, 128)},
        {"Line3", {8, 216, 264, 1}, QColor(255, 255, 255)},
        {"Line4", {272, 8, 1, 208}, QColor(255, 255, 255)},
        {"Line5", {16, 72, 248, 1}, QColor(255, 255, 255)},
        {"Line6", {16, 72, 1, 80}, QColor(255, 255, 255)},
        {"Line7", {16, 152, 248, 1}, QColor(128, 128, 128)},
        {"Line8", {264, 72, 1, 80}, QColor(128, 128, 128)},
        {"Line9", {16, 160, 248, 1}, QColor(255, 255, 255)},
        {"Line10", {16, 208, 248, 1}, QColor(128, 128, 128)},
        {"Line11", {16, 160, 1, 48}, QColor(255, 255, 255)},
        {"Line12", {264, 160, 1, 48}, QColor(128, 128, 128)},
    };
    for (const auto& l : lines) {
        auto* line = about.findChild<QWidget*>(QString::fromLatin1(l.name));
        QVERIFY2(line != nullptr, l.name);
        QCOMPARE(line->geometry(), l.pixels);
        QVERIFY(line->autoFillBackground());
        QCOMPARE(line->palette().color(QPalette::Window), l.colour);
    }
}

void AppShellTest::aboutShowsModallyAtTheMainWindow()
{
    Started s(false);
    s.form.handlers().Form_Load();
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    s.form.move(300, 200);
    bool checked = false;
    whileShown([&](AboutWindow& about) {
        QCOMPARE(about.pos(), s.form.pos());
        QCOMPARE(about.windowModality(), Qt::ApplicationModal);
        QCOMPARE(about.focusWidget()->objectName(), QStringLiteral("cmdExit"));
        // The main window takes no input meanwhile: a click on its Exit
        // button, delivered as the window system would, does nothing.
        auto* exit = s.form.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        QTest::mouseClick(s.form.windowHandle(), Qt::LeftButton, {}, exit->geometry().center());
        QCOMPARE(s.ends, 0);
        checked = true;
        about.findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
    });
    s.form.handlers().cmdAbout_Click();
    QVERIFY(checked);
    QVERIFY(!s.shell.about()->isVisible());
}

void AppShellTest::okHidesAndKeeps()
{
    Started s(false);
    s.form.handlers().Form_Load();
    s.form.show();
    AboutWindow* first = s.shell.about();
    whileShown([](AboutWindow& about) {
        QTest::keyClick(about.focusWidget(), Qt::Key_Space);
        QVERIFY(!about.isVisible());
    });
    s.form.handlers().cmdAbout_Click();
    QCOMPARE(s.shell.about(), first); // hidden, not destroyed
    whileShown([](AboutWindow& about) {
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        QCOMPARE(QKeySequence::mnemonic(ok->text()), QKeySequence(Qt::ALT | Qt::Key_O));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    s.form.handlers().cmdAbout_Click();
    QCOMPARE(s.shell.about(), first);
    QVERIFY(!first->isVisible());
}

void AppShellTest::closeDestroysAndNextClickRecreates()
{
    Started s(false);
    s.form.handlers().Form_Load();
    s.form.show();
    QPointer<AboutWindow> first = s.shell.about();
    QImage before;
    whileShown([&](AboutWindow& about) {
        before = about.grab().toImage();
        about.close();
    });
    s.form.handlers().cmdAbout_Click();
    QTRY_VERIFY(first.isNull()); // destroyed once back in the event loop
    QImage after;
    whileShown([&](AboutWindow& about) {
        QVERIFY(&about != first.data());
        after = about.grab().toImage();
        about.findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
    });
    s.form.handlers().cmdAbout_Click();
    QVERIFY(s.shell.about() != nullptr);
    QCOMPARE(after, before); // created anew, looking the same
    // Exit still ends at once afterwards.
    s.form.handlers().cmdExit_Click();
    QCOMPARE(s.ends, 1);
}

void AppShellTest::escapeHides()
{
    Started s(false);
    s.form.handlers().Form_Load();
    s.form.show();
    whileShown([](AboutWindow& about) { QTest::keyClick(&about, Qt::Key_Escape); });
    s.form.handlers().cmdAbout_Click();
    QVERIFY(!s.shell.about()->isVisible());
}

using test::FocusBy;
Q_DECLARE_METATYPE(FocusBy)

void AppShellTest::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<FocusBy>("by");
    for (const test::FocusedButton& row : test::kFocusedButtons)
        QTest::newRow(row.name) << row.about << row.by;
}

void AppShellTest::enterPressesTheFocusedButton()
{
    QFETCH(bool, about);
    QFETCH(FocusBy, by);
    Started s(false);
    s.form.handlers().Form_Load();
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    const auto focusAndEnter = [by](QWidget& window, QWidget* tabFrom) {
        auto* button = window.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        if (by == FocusBy::Click) {
            QTest::mousePress(button, Qt::LeftButton);
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
        } else if (by == FocusBy::Tab) {
            tabFrom->setFocus(Qt::OtherFocusReason);
            for (int i = 0; i < 5 && (i == 0 || window.focusWidget() != button); ++i)
                QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(window.focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
    };
    if (about) {
        whileShown([&](AboutWindow& window) {
            focusAndEnter(window, window.findChild<QPushButton*>(QStringLiteral("cmdExit")));
            QVERIFY(!window.isVisible());
        });
        s.form.handlers().cmdAbout_Click();
        QVERIFY(!s.shell.about()->isVisible());
        QCOMPARE(s.ends, 0);
    } else {
        focusAndEnter(s.form, s.form.findChild<QWidget*>(QStringLiteral("txtVesk")));
        QCOMPARE(s.ends, 1);
    }
}

// A later copy's request, by caption: only the main window's own, exactly.
void AppShellTest::onlyTheMainWindowIsRestored_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("restored");
    QTest::newRow("main_window") << "Vesk" << true;
    QTest::newRow("about_window") << "About" << false;
    QTest::newRow("other_case") << "vesk" << false;
    QTest::newRow("trailing_blank") << "Vesk " << false;
    QTest::newRow("leaving_copy") << "bye bye" << false;
}

void AppShellTest::onlyTheMainWindowIsRestored()
{
    QFETCH(QString, caption);
    QFETCH(bool, restored);
    Started s(false);
    s.form.handlers().Form_Load();
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    s.form.showMinimized();
    QCOMPARE(s.shell.restore(caption, {}), restored);
    QCOMPARE(s.form.isMinimized(), !restored);
    QVERIFY(!s.shell.about()->isVisible());
}

QTEST_MAIN(AppShellTest)
#include "app_shell_test.moc"
