// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Both windows in every shipped language, as Qt draws them: every text fits
// its control in the control's own font, measured by the toolkit (and again
// at a device pixel ratio of 2), and the figures of the shared Enter table are
// those of English to the byte.
#include "app/about_layout.h"
#include "app/qt/about_window.h"
#include "tests/ui/enter_table.h"
#include "ui/language.h"
#include "ui/main_layout.h"
#include "ui/qt/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>

using namespace vesk;

class Languages : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { language::Use(language::kEnglish); }
    void textsFit_data();
    void textsFit();
    void figuresAsInEnglish_data() { textsFit_data(); }
    void figuresAsInEnglish();
};

void Languages::textsFit_data()
{
    QTest::addColumn<QString>("tag");
    for (const std::string_view tag : language::Shipped())
        QTest::newRow(std::string(tag).c_str()) << QString::fromLatin1(tag.data(), tag.size());
}

// Where a text of the window does not fit, its name and by how much.
QStringList overflowing(QWidget& window)
{
    QStringList wrong;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QSize text = label->fontMetrics().size(Qt::TextSingleLine, label->text());
        if (text.width() > label->contentsRect().width() ||
            text.height() > label->contentsRect().height())
            wrong << QStringLiteral("%1 \"%2\": %3 > %4")
                         .arg(label->objectName(), label->text())
                         .arg(text.width())
                         .arg(label->contentsRect().width());
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize text =
            button->fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, button->text());
        if (text.width() > room.width() || text.height() > room.height())
            wrong << QStringLiteral("%1 \"%2\": %3 > %4")
                         .arg(button->objectName(), button->text())
                         .arg(text.width())
                         .arg(room.width());
    }
    return wrong;
}

void Languages::textsFit()
{
    QFETCH(QString, tag);
    language::Use(tag.toStdString());
    MainWindow form;
    AboutWindow about;
    // The method label shows either word: each in its turn.
    auto* method = form.findChild<QLabel*>(QStringLiteral("lblMethod"));
    for (const char* word : main_layout::kMethodWords) {
        method->setText(QString::fromUtf8(language::Text(language::kMainWindow, word)));
        const QStringList wrong = overflowing(form) + overflowing(about);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    }
    QCOMPARE(form.windowTitle(), QStringLiteral("Vesk"));
    QCOMPARE(about.windowTitle(), QString::fromUtf8(language::Text(language::kAboutWindow,
                                                                   about_layout::kWindow.caption)));
}

void Languages::figuresAsInEnglish()
{
    QFETCH(QString, tag);
    language::Use(tag.toStdString());
    MainWindow form;
    auto* box = form.findChild<QLineEdit*>(QStringLiteral("txtVesk"));
    const auto shown = [&](const char* name) {
        return form.findChild<QLabel*>(QLatin1String(name))->text();
    };
    for (const test::EnterRow& row : test::kEnterRows) {
        if (row.method == nullptr)
            continue;
        box->setText(QString::fromUtf8(row.typed));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(shown("lblLight"), QString::fromUtf8(row.light));
        QCOMPARE(shown("lblMetres"), QString::fromUtf8(row.metres));
        QCOMPARE(shown("lblMethod"),
                 QString::fromUtf8(language::Text(language::kMainWindow, row.method)));
    }
}

QTEST_MAIN(Languages)
#include "languages_test.moc"
