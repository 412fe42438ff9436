// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The two ways in: typing a factor with Enter, and the scroll bar, kept in step,
// driven through the real widgets.
#include "model/number_text.h"
#include "model/results.h"
#include "tests/ui/enter_table.h"
#include "tests/ui/qt/typing.h"
#include "ui/VESKCONS.h"
#include "ui/qt/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

using vesk::MainWindow;

namespace {

struct Window {
    Window()
    {
        form.show();
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("window not active");
        box = form.findChild<QLineEdit*>(QStringLiteral("txtVesk"));
        bar = form.findChild<QScrollBar*>(QStringLiteral("hsbVesk"));
        light = form.findChild<QLabel*>(QStringLiteral("lblLight"));
        metres = form.findChild<QLabel*>(QStringLiteral("lblMetres"));
        method = form.findChild<QLabel*>(QStringLiteral("lblMethod"));
    }

    // Replaces the text by typing, as a user would, then presses Enter.
    void enter(const QString& typed)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        vesk::test::type(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QColor methodColour() const { return method->palette().color(method->foregroundRole()); }

    QRect thumb() const { return part(QStyle::SC_ScrollBarSlider); }

    // Where a part of the scroll bar (arrow, trough, thumb) is drawn now.
    QRect part(QStyle::SubControl control) const
    {
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.orientation = bar->orientation();
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        opt.subControls = QStyle::SC_All;
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, control, bar);
    }

    MainWindow form;
    QLineEdit* box;
    QScrollBar* bar;
    QLabel* light;
    QLabel* metres;
    QLabel* method;
};

const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 255, 0);

} // namespace

class FrmMainInput : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { VESKCONS::bFromText = false; }
    void cleanup() { QCOMPARE(VESKCONS::bFromText, false); }

    void enterReachesTheHandlers_data();
    void enterReachesTheHandlers();
    void enterWhereTheBarIs_data();
    void enterWhereTheBarIs();
    void enterThatMovesTheBarRecalculatesTwice();
    void resultLabelsKeepCreationCaptionsUntilInput();
    void typingWithoutEnterRecomputesNothing();
    void otherKeysReachTheTextBox();
    void keypadEnterCounts();
    void longTextIsKeptWhole();
    void scrollSteps_data();
    void scrollSteps();
    void arrowAndTroughClicks();
    void dragFollowsTextAndResultsOnRelease();
    void middleClickJumpFollowsTextAndResultsOnRelease();
    void methodColourAtNine();
    void writeOrder();
};

// The Enter table itself is the handlers' (tests/ui/frmMain_test.cpp); here,
// that a real key press reaches them and the widgets show what they wrote.
void FrmMainInput::enterReachesTheHandlers_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(vesk::test::kEnterRows)); ++i)
        if (vesk::test::kEnterRows[i].method != nullptr)
            QTest::newRow(vesk::test::kEnterRows[i].name) << i;
}

void FrmMainInput::enterReachesTheHandlers()
{
    QFETCH(int, row);
    const vesk::test::EnterRow& r = vesk::test::kEnterRows[row];
    Window w;
    w.enter(QString::fromUtf8(r.typed));
    QCOMPARE(w.box->text(), QString::fromUtf8(r.after));
    QCOMPARE(w.bar->value(), r.position);
    QCOMPARE(w.method->text(), QString::fromUtf8(r.method));
    QCOMPARE(w.methodColour(), QColor(r.colour.r, r.colour.g, r.colour.b));
    QCOMPARE(w.light->text(), QString::fromUtf8(r.light));
    QCOMPARE(w.metres->text(), QString::fromUtf8(r.metres));
    QCOMPARE(w.box->text().contains(QLatin1Char('\r')), false);
}

// Enter where the bar already is (the first Enter in a new window, or the
// text of the position the user moved to): the results are shown once and the
// bar reports no change. (The next move writing its text as usual is the
// handlers' own test.)
void FrmMainInput::enterWhereTheBarIs_data()
{
    QTest::addColumn<int>("position"); // -1: as the window starts
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("light");
    QTest::addColumn<QString>("metres");
    QTest::newRow("first_enter") << -1 << QStringLiteral("0") << QStringLiteral("0.00")
                                 << QString();
    QTest::newRow("after_a_move") << 1500 << QStringLiteral(" 1.5") << QStringLiteral("3.86")
                                  << QStringLiteral("1,158,226,009");
}

void FrmMainInput::enterWhereTheBarIs()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(QString, light);
    QFETCH(QString, metres);
    Window w;
    if (position >= 0)
        w.bar->setValue(position);
    QCOMPARE(w.box->text(), text);
    QSignalSpy shown(&w.form, &MainWindow::resultsShown);
    QSignalSpy changed(w.bar, &QScrollBar::valueChanged);
    w.box->setFocus();
    QTest::keyClick(w.box, Qt::Key_Return);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(w.box->text(), text);
    QCOMPARE(w.light->text(), light);
    QCOMPARE(w.metres->text(), metres);
    QCOMPARE(w.method->text(), QStringLiteral("Established"));
    QCOMPARE(w.methodColour(), kGreen);
}

void FrmMainInput::enterThatMovesTheBarRecalculatesTwice()
{
    Window w;
    QSignalSpy shown(&w.form, &MainWindow::resultsShown);
    w.enter(QStringLiteral("2.5"));
    QCOMPARE(shown.count(), 2);
    // The change handler ran inside the assignment and left the typed text
    // alone: the scroll bar's own text would have been " 2.5".
    QCOMPARE(w.box->text(), QStringLiteral("2.5"));
    QCOMPARE(w.bar->value(), 2500);
}

void FrmMainInput::resultLabelsKeepCreationCaptionsUntilInput()
{
    Window w;
    QCOMPARE(w.light->text(), QStringLiteral("0"));
    QCOMPARE(w.metres->text(), QStringLiteral("0"));
    QCOMPARE(w.method->text(), QString());
    QCOMPARE(w.methodColour(), kYellow);
    QCOMPARE(w.box->text(), QStringLiteral("0"));
}

void FrmMainInput::typingWithoutEnterRecomputesNothing()
{
    Window w;
    QSignalSpy shown(&w.form, &MainWindow::resultsShown);
    w.box->setFocus();
    QTest::keyClicks(w.box, QStringLiteral("7"));
    QCOMPARE(w.box->text(), QStringLiteral("07"));
    QCOMPARE(shown.count(), 0);
    QCOMPARE(w.light->text(), QStringLiteral("0"));
    QCOMPARE(w.bar->value(), 0);
    // The next scroll replaces the typed text with the position's.
    w.bar->setFocus();
    QTest::keyClick(w.bar, Qt::Key_PageDown);
    QCOMPARE(w.bar->value(), 100);
    QCOMPARE(w.box->text(), QStringLiteral(" .1"));
    QCOMPARE(shown.count(), 1);
}

void FrmMainInput::otherKeysReachTheTextBox()
{
    Window w;
    QSignalSpy shown(&w.form, &MainWindow::resultsShown);
    w.box->setFocus();
    w.box->selectAll();
    QTest::keyClicks(w.box, QStringLiteral("x9.5 \t?"));
    QTest::keyClick(w.box, Qt::Key_Left);
    QTest::keyClick(w.box, Qt::Key_Backspace);
    QTest::keyClick(w.box, Qt::Key_Escape);
    QCOMPARE(w.box->text(), QStringLiteral("x9.5?"));
    QCOMPARE(shown.count(), 0);
}

void FrmMainInput::keypadEnterCounts()
{
    Window w;
    w.box->setFocus();
    w.box->selectAll();
    QTest::keyClicks(w.box, QStringLiteral("3"));
    QTest::keyClick(w.box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(w.bar->value(), 3000);
    QCOMPARE(w.box->text(), QStringLiteral("3"));
}

// Nothing typed or pasted is cut off, however long: Qt's own limit is 32767.
void FrmMainInput::longTextIsKeptWhole()
{
    Window w;
    const QString pasted = QStringLiteral("0.5") + QString(40000, QLatin1Char('1'));
    w.box->setFocus();
    w.box->selectAll();
    w.box->insert(pasted);
    QCOMPARE(w.box->text().size(), pasted.size());
    QTest::keyClick(w.box, Qt::Key_Return);
    QCOMPARE(w.box->text(), pasted);
    QCOMPARE(w.bar->value(), 511); // 0.5111... in thousandths
}

void FrmMainInput::scrollSteps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("arrow_right") << 1499 << int(Qt::Key_Right) << 1500 << " 1.5";
    QTest::newRow("arrow_left") << 6 << int(Qt::Key_Left) << 5 << " .005";
    QTest::newRow("page_down") << 400 << int(Qt::Key_PageDown) << 500 << " .5";
    QTest::newRow("page_up") << 100 << int(Qt::Key_PageUp) << 0 << " 0";
    QTest::newRow("end") << 0 << int(Qt::Key_End) << 9999 << " 9.999";
    QTest::newRow("home") << 9000 << int(Qt::Key_Home) << 0 << " 0";
    QTest::newRow("stops_at_top") << 9999 << int(Qt::Key_Right) << 9999 << " 9";
}

void FrmMainInput::scrollSteps()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, position);
    QFETCH(QString, text);
    Window w;
    w.bar->setValue(start == 9999 ? 9000 : start); // a program assignment moves the text too
    w.bar->setValue(start);
    w.box->setText(QStringLiteral(" 9"));
    w.bar->setFocus();
    QTest::keyClick(w.bar, Qt::Key(key));
    QCOMPARE(w.bar->value(), position);
    QCOMPARE(w.box->text(), text);
}

void FrmMainInput::arrowAndTroughClicks()
{
    Window w;
    w.bar->setValue(2000);
    QTest::mouseClick(w.bar, Qt::LeftButton, {}, w.part(QStyle::SC_ScrollBarAddLine).center());
    QCOMPARE(w.bar->value(), 2001);
    QCOMPARE(w.box->text(), QStringLiteral(" 2.001"));
    const QRect addPage = w.part(QStyle::SC_ScrollBarAddPage);
    QTest::mouseClick(w.bar, Qt::LeftButton, {}, QPoint(addPage.right() - 2, addPage.center().y()));
    QCOMPARE(w.bar->value(), 2101);
    QCOMPARE(w.box->text(), QStringLiteral(" 2.101"));
    QCOMPARE(w.light->text(), QString::fromStdString(vesk::ResultsFor(" 2.101").multipleOfC));
}

void FrmMainInput::dragFollowsTextAndResultsOnRelease()
{
    Window w;
    w.bar->setValue(1000);
    const QString lightBefore = w.light->text();
    QSignalSpy shown(&w.form, &MainWindow::resultsShown);
    const QPoint start = w.thumb().center();
    QTest::mousePress(w.bar, Qt::LeftButton, {}, start);
    QStringList texts;
    for (int dx : {20, 40, 60}) {
        QTest::mouseMove(w.bar, start + QPoint(dx, 0));
        texts << w.box->text();
        QCOMPARE(w.box->text(),
                 QString::fromStdString(vesk::PositionText(w.bar->sliderPosition() / 1000.0f)));
        QCOMPARE(w.light->text(), lightBefore);
    }
    QCOMPARE(shown.count(), 0);
    QCOMPARE(w.bar->value(), 1000); // the value moves on release only
    QVERIFY(texts[0] != texts[1] && texts[1] != texts[2]);
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, start + QPoint(60, 0));
    QCOMPARE(shown.count(), 1);
    QVERIFY(w.bar->value() > 1000);
    QCOMPARE(w.box->text(), texts[2]);
    QCOMPARE(w.light->text(),
             QString::fromStdString(vesk::ResultsFor(texts[2].toStdString()).multipleOfC));
}

// A middle click in the trough jumps the thumb there: the text follows at
// once, the results on release.
void FrmMainInput::middleClickJumpFollowsTextAndResultsOnRelease()
{
    Window w;
    QVERIFY(w.bar->style()->styleHint(QStyle::SH_ScrollBar_MiddleClickAbsolutePosition));
    w.bar->setValue(1000);
    const QString lightBefore = w.light->text();
    QSignalSpy shown(&w.form, &MainWindow::resultsShown);
    const QRect addPage = w.part(QStyle::SC_ScrollBarAddPage);
    const QPoint at(addPage.left() + addPage.width() / 2, addPage.center().y());
    QTest::mousePress(w.bar, Qt::MiddleButton, {}, at);
    const int jumped = w.bar->sliderPosition();
    QVERIFY(jumped > 1100);
    QCOMPARE(w.box->text(), QString::fromStdString(vesk::PositionText(jumped / 1000.0f)));
    QCOMPARE(w.light->text(), lightBefore);
    QCOMPARE(shown.count(), 0);
    QTest::mouseRelease(w.bar, Qt::MiddleButton, {}, at);
    QCOMPARE(w.bar->value(), jumped);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(w.light->text(),
             QString::fromStdString(vesk::ResultsFor(w.box->text().toStdString()).multipleOfC));
}

void FrmMainInput::methodColourAtNine()
{
    Window w;
    w.enter(QStringLiteral("9"));
    QCOMPARE(w.method->text(), QStringLiteral("Established"));
    QCOMPARE(w.methodColour(), kGreen);
    w.enter(QStringLiteral("9.001"));
    QCOMPARE(w.method->text(), QStringLiteral("Interpolated"));
    QCOMPARE(w.methodColour(), kYellow);
    w.bar->setFocus();
    QTest::keyClick(w.bar, Qt::Key_Left);
    QCOMPARE(w.box->text(), QStringLiteral(" 9"));
    QCOMPARE(w.method->text(), QStringLiteral("Established"));
    QCOMPARE(w.methodColour(), kGreen);
}

namespace {

// Notes what the labels show at the moment the method label's colour changes.
class ColourWatch : public QObject {
  public:
    explicit ColourWatch(Window& w) : w_(w) { w.method->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::PaletteChange)
            seen << w_.method->text() + QLatin1Char('|') + w_.light->text() + QLatin1Char('|') +
                        w_.metres->text();
        return false;
    }

    QStringList seen;

  private:
    Window& w_;
};

} // namespace

// A recalculation writes the method's colour first, before its word and the
// two figures, so the word never shows in its old colour.
void FrmMainInput::writeOrder()
{
    Window w;
    ColourWatch watch(w);
    w.enter(QStringLiteral("5"));
    QCOMPARE(watch.seen, QStringList{QStringLiteral("|0|0")});
    QCOMPARE(w.method->text(), QStringLiteral("Established"));
    QCOMPARE(w.light->text(), QStringLiteral("213.75"));
    QCOMPARE(w.metres->text(), QStringLiteral("64,080,792,926"));
}

QTEST_MAIN(FrmMainInput)
#include "frmMain_input_test.moc"
