// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The window and the command line never disagree: each text is typed into
// the window and entered, and given to the program as a factor; the text box,
// the multiple of c, the metres per second and the method word must read the
// same in both.
#include "tests/ui/enter_table.h"
#include "tests/ui/qt/typing.h"
#include "ui/qt/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

class CliAgreement : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void sameTexts_data();
    void sameTexts();
};

void CliAgreement::sameTexts_data()
{
    QTest::addColumn<QString>("typed");
    for (const vesk::test::EnterRow& row : vesk::test::kEnterRows)
        QTest::newRow(row.name) << QString::fromUtf8(row.typed);
    for (const char* t : {"12abc", "0", "9.9999", "9.0005", "-0", ".5e1", "  7 "})
        QTest::newRow(t) << QString::fromUtf8(t);
}

void CliAgreement::sameTexts()
{
    QFETCH(QString, typed);
    vesk::MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* box = form.findChild<QLineEdit*>(QStringLiteral("txtVesk"));
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    vesk::test::type(box, typed);
    QTest::keyClick(box, Qt::Key_Return);
    const auto label = [&](const char* name) {
        return form.findChild<QLabel*>(QLatin1String(name))->text();
    };
    const QString window = box->text() + QLatin1Char('\t') + label("lblLight") + QLatin1Char('\t') +
                           label("lblMetres") + QLatin1Char('\t') + label("lblMethod") +
                           QLatin1Char('\n');

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(VESK_BINARY), {QStringLiteral("--"), typed});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), window);
}

QTEST_MAIN(CliAgreement)
#include "cli_agreement_test.moc"
