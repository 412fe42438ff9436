// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// At a device pixel ratio of 2 the pictures are enlarged pixel for pixel: the
// logo and the icon keep their few colours, with no blended edges. (The layout
// tests run again at this ratio for the places and the unclipped texts.)
#include "app/qt/about_window.h"
#include "ui/qt/main_window.h"

#include <QLabel>
#include <QSet>
#include <QTest>
#include <QWindow>

namespace {

QSet<QRgb> coloursIn(const QImage& image, const QRect& area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
    return colours;
}

} // namespace

class HighDpi : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void ratioIsTwo();
    void logoStaysCrisp();
    void iconStaysCrisp();
};

void HighDpi::ratioIsTwo()
{
    vesk::MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.devicePixelRatio(), 2.0);
    QCOMPARE(form.size(), QSize(315, 139));
    QCOMPARE(form.grab().size(), QSize(630, 278));
}

void HighDpi::logoStaysCrisp()
{
    vesk::AboutWindow about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* image = about.findChild<QWidget*>(QStringLiteral("Image1"));
    const QImage shot = image->grab().toImage();
    QCOMPARE(shot.size(), QSize(440, 94));
    QCOMPARE(coloursIn(shot, shot.rect()), QSet<QRgb>({0xC0C0C0, 0x000000, 0xFFFFFF, 0x808080}));
}

void HighDpi::iconStaysCrisp()
{
    vesk::MainWindow form;
    const QImage big = form.windowIcon().pixmap(QSize(32, 32), 2.0).toImage();
    QCOMPARE(big.size(), QSize(64, 64));
    // Transparent, black, light grey, white, grey and yellow: the picture's own.
    QSet<QRgb> colours;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            colours.insert(big.pixel(x, y));
    QCOMPARE(colours.size(), 6);
    QVERIFY(colours.contains(qRgb(255, 255, 0)));
}

QTEST_MAIN(HighDpi)
#include "high_dpi_test.moc"
