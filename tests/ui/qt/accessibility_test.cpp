// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What a screen reader is told about the main window: every control with a
// role and a name, the results as values that change with the input.
#include "ui/qt/main_window.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using vesk::MainWindow;

namespace {

QAccessibleInterface* child(QAccessibleInterface* window, const char* objectName)
{
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* c = window->child(i);
        if (c->object()->objectName() == QLatin1String(objectName))
            return c;
    }
    return nullptr;
}

} // namespace

class Accessibility : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void windowIsAWindow();
    void controls_data();
    void controls();
    void resultsAreReadAfterEnter();
    void scrollBarValue();
};

void Accessibility::windowIsAWindow()
{
    MainWindow form;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Vesk"));
}

void Accessibility::controls_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("cmdExit") << int(QAccessible::Button) << "Exit"
                             << "";
    QTest::newRow("cmdAbout") << int(QAccessible::Button) << "About"
                              << "";
    QTest::newRow("txtVesk") << int(QAccessible::EditableText) << "Vesk factor"
                             << "";
    QTest::newRow("hsbVesk") << int(QAccessible::ScrollBar) << "Vesk factor in thousandths"
                             << "";
    QTest::newRow("lblLight") << int(QAccessible::StaticText) << "0"
                              << "Multiple of c";
    QTest::newRow("lblMetres") << int(QAccessible::StaticText) << "0"
                               << "Metres per second";
    QTest::newRow("lblMethod") << int(QAccessible::StaticText) << ""
                               << "Method";
    QTest::newRow("Label1") << int(QAccessible::StaticText) << "Vesk"
                            << "";
    QTest::newRow("Label3") << int(QAccessible::StaticText) << "Multiple of c"
                            << "";
    QTest::newRow("Label4") << int(QAccessible::StaticText) << "m/sec"
                            << "";
}

void Accessibility::controls()
{
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QAccessibleInterface* c =
        child(QAccessible::queryAccessibleInterface(&form), QTest::currentDataTag());
    QVERIFY(c != nullptr);
    QCOMPARE(int(c->role()), role);
    QCOMPARE(c->text(QAccessible::Name), name);
    QCOMPARE(c->text(QAccessible::Description), description);
    QVERIFY(!c->state().invisible);
    QVERIFY(!c->state().disabled);
}

void Accessibility::resultsAreReadAfterEnter()
{
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* box = form.findChild<QLineEdit*>(QStringLiteral("txtVesk"));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("9.2"));
    QTest::keyClick(box, Qt::Key_Return);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QCOMPARE(child(window, "txtVesk")->text(QAccessible::Value), QStringLiteral("9.2"));
    QCOMPARE(child(window, "lblLight")->text(QAccessible::Name), QStringLiteral("1,649.75"));
    QCOMPARE(child(window, "lblMetres")->text(QAccessible::Name),
             QStringLiteral("494,583,354,970"));
    QCOMPARE(child(window, "lblMethod")->text(QAccessible::Name), QStringLiteral("Interpolated"));
}

void Accessibility::scrollBarValue()
{
    MainWindow form;
    form.findChild<QScrollBar*>(QStringLiteral("hsbVesk"))->setValue(1500);
    QAccessibleInterface* bar = child(QAccessible::queryAccessibleInterface(&form), "hsbVesk");
    QAccessibleValueInterface* value = bar->valueInterface();
    QVERIFY(value != nullptr);
    QCOMPARE(value->currentValue().toInt(), 1500);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 9999);
}

QTEST_MAIN(Accessibility)
#include "accessibility_test.moc"
