// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window as built: every control of its layout, checked on the live
// widgets in pixels (15 twips to the pixel).
#include "tests/ui/designed_places.h"
#include "ui/qt/main_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <limits>

using vesk::MainWindow;

class FrmMainLayout : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void window();
    void controls_data();
    void controls();
    void lines_data();
    void lines();
    void colours();
    void font();
    void tabOrderAndFirstFocus();
    void scrollBarRange();
};

void FrmMainLayout::window()
{
    MainWindow form;
    QCOMPARE(form.objectName(), QStringLiteral("frmMain"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Vesk"));
    QVERIFY(form.isWindow());
    QVERIFY(!form.isVisible()); // created hidden; the application shows it
    QCOMPARE(form.size(), QSize(315, 139));
    QCOMPARE(form.minimumSize(), QSize(315, 139));
    QCOMPARE(form.maximumSize(), QSize(315, 139));
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QCOMPARE(form.pos(), QPoint(134, 230)); // the designed place, 2010 x 3450 twips
    const QPalette p = form.palette();
    QVERIFY(form.autoFillBackground());
    QCOMPARE(p.color(QPalette::Window), QColor(128, 128, 128));
    const QIcon icon = form.windowIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(QSize(32, 32), 1.0).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(image.pixelColor(10, 7), QColor(255, 255, 0)); // the V on the display
}

void FrmMainLayout::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");

    const int left = int(Qt::AlignLeft | Qt::AlignTop);
    const auto row = [](const char* name, const char* kind, const char* text, int alignment) {
        const vesk::test::DesignedPlace p = vesk::test::placeOf(vesk::test::kMainAt96, name);
        QTest::newRow(name) << QString::fromLatin1(kind) << QRect(p.x, p.y, p.width, p.height)
                            << QString::fromUtf8(text) << alignment;
    };
    row("cmdExit", "QPushButton", "E&xit", 0);
    row("hsbVesk", "QScrollBar", "", 0);
    row("txtVesk", "QLineEdit", "0", left);
    row("Label4", "QLabel", "m/sec", left);
    row("lblLight", "QLabel", "0", left);
    row("lblMetres", "QLabel", "0", left);
    row("Label3", "QLabel", "Multiple of c", left);
    row("lblMethod", "QLabel", "", int(Qt::AlignRight | Qt::AlignTop));
    row("cmdAbout", "QPushButton", "&About", 0);
    row("Label1", "QLabel", "Vesk", left);
}

void FrmMainLayout::controls()
{
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, alignment);

    MainWindow form;
    auto* w = form.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(w != nullptr);
    QVERIFY(w->inherits(kind.toLatin1().constData()));
    QCOMPARE(w->geometry(), geometry);
    QVERIFY(w->isEnabled());
    QVERIFY(!w->isHidden());
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(int(label->alignment()), alignment);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QVERIFY(!label->wordWrap());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
        QCOMPARE(box->text(), text);
        QCOMPARE(int(box->alignment()), alignment);
        QCOMPARE(box->maxLength(), std::numeric_limits<int>::max()); // no length limit
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

void FrmMainLayout::lines_data()
{
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Line1") << QRect(16, 40, 280, 1);
    QTest::newRow("Line2") << QRect(16, 72, 280, 1);
}

void FrmMainLayout::lines()
{
    QFETCH(QRect, geometry);
    MainWindow form;
    auto* line = form.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(line != nullptr);
    QCOMPARE(line->geometry(), geometry);
    QVERIFY(line->autoFillBackground());
    QCOMPARE(line->backgroundRole(), QPalette::WindowText);
    QCOMPARE(line->focusPolicy(), Qt::NoFocus);
}

void FrmMainLayout::colours()
{
    MainWindow form;
    const QColor grey(128, 128, 128);
    const QColor yellow(255, 255, 0);
    const QPalette app = QApplication::palette();
    struct Expect {
        const char* name;
        QColor text;
    };
    const Expect labels[] = {
        {"Label4", app.color(QPalette::WindowText)},
        {"lblLight", yellow},
        {"lblMetres", yellow},
        {"Label3", app.color(QPalette::WindowText)},
        {"lblMethod", yellow},
        {"Label1", app.color(QPalette::ButtonText)},
    };
    for (const Expect& e : labels) {
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(e.name));
        QVERIFY2(label->autoFillBackground(), e.name);
        QCOMPARE(label->palette().color(label->backgroundRole()), grey);
        QCOMPARE(label->palette().color(label->foregroundRole()), e.text);
    }
    // System colours go through roles, so they follow the user's scheme.
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->foregroundRole(),
             QPalette::ButtonText);
    auto* exit = form.findChild<QPushButton*>(QStringLiteral("cmdExit"));
    QCOMPARE(exit->backgroundRole(), QPalette::Button);
    QCOMPARE(exit->foregroundRole(), QPalette::ButtonText);
    auto* box = form.findChild<QLineEdit*>(QStringLiteral("txtVesk"));
    QCOMPARE(box->palette().color(QPalette::Base), app.color(QPalette::Base));
    QCOMPARE(box->palette().color(QPalette::Text), app.color(QPalette::Text));
}

void FrmMainLayout::font()
{
    MainWindow form;
    // The designed face, or where it is missing the metric-compatible one that
    // stands in; and the face asked for is the face shown.
    const QString face = QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))
                             ? QStringLiteral("MS Sans Serif")
                             : QStringLiteral("Liberation Sans");
    QCOMPARE(QFontInfo(form.font()).family(), face);
    const QList<QWidget*> all = form.findChildren<QWidget*>();
    for (QWidget* w : all) {
        QCOMPARE(w->font().family(), face);
        QCOMPARE(w->font().pointSizeF(), 8.25);
        QVERIFY(w->font().bold());
    }
    // No caption is clipped: each fits its control (buttons lose the "&").
    for (QLabel* label : form.findChildren<QLabel*>()) {
        const int advance = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(advance <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(label->objectName()));
    }
    for (QPushButton* button : form.findChildren<QPushButton*>()) {
        const QString caption = button->text().remove(QLatin1Char('&'));
        QVERIFY(button->fontMetrics().horizontalAdvance(caption) + 8 <= button->width());
    }
    // The widest result fits its label.
    auto* metres = form.findChild<QLabel*>(QStringLiteral("lblMetres"));
    QVERIFY(metres->fontMetrics().horizontalAdvance(QStringLiteral("59,813,529,670,512")) <=
            metres->width());
    auto* light = form.findChild<QLabel*>(QStringLiteral("lblLight"));
    QVERIFY(light->fontMetrics().horizontalAdvance(QStringLiteral("199,516.46")) <= light->width());
    auto* method = form.findChild<QLabel*>(QStringLiteral("lblMethod"));
    QVERIFY(method->fontMetrics().horizontalAdvance(QStringLiteral("Interpolated")) <=
            method->width());
}

void FrmMainLayout::tabOrderAndFirstFocus()
{
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdExit"));
    const QStringList forward = {QStringLiteral("hsbVesk"), QStringLiteral("txtVesk"),
                                 QStringLiteral("cmdAbout"), QStringLiteral("cmdExit"),
                                 QStringLiteral("hsbVesk")};
    for (const QString& next : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    const QStringList backward = {QStringLiteral("cmdExit"), QStringLiteral("cmdAbout"),
                                  QStringLiteral("txtVesk")};
    for (const QString& next : backward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    // A click on a result label selects nothing into the focus.
    auto* light = form.findChild<QLabel*>(QStringLiteral("lblLight"));
    QTest::mouseClick(light, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtVesk"));
    QVERIFY(light->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
}

void FrmMainLayout::scrollBarRange()
{
    MainWindow form;
    auto* bar = form.findChild<QScrollBar*>(QStringLiteral("hsbVesk"));
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 9999);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 100);
    QVERIFY(!bar->hasTracking());
}

QTEST_MAIN(FrmMainLayout)
#include "frmMain_layout_test.moc"
