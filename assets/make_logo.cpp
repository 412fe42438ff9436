// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Makes the About window's logo: the maker's name in large heavy serif letters,
// embossed, as a 220 x 47 pixel, 8-bit, 256-colour, uncompressed bitmap that
// uses four colours. Run: make_logo OUTPUT.bmp (needs a serif bold face; the
// committed picture was made with Liberation Serif Bold).
#include "assets/little_endian.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kWidth = 220;
constexpr int kHeight = 47;

// Palette indexes; the other 252 entries are black and unused.
enum : std::uint8_t { Background, Letter, Highlight, Shadow };
constexpr std::array<std::array<std::uint8_t, 3>, 4> kColours{{
    {192, 192, 192}, // light grey background
    {0, 0, 0},       // black letters
    {255, 255, 255}, // white highlight on the upper left edges
    {128, 128, 128}, // mid grey shadow on the lower right edges
}};

// The letters as a mask, the largest size that fits with a margin.
QImage letters(const QString& name)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setWeight(QFont::Black);
    font.setStyleStrategy(QFont::NoAntialias);
    int pixels = kHeight;
    for (; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        const QRect box = QFontMetrics(font).tightBoundingRect(name);
        if (box.width() <= kWidth - 12 && box.height() <= kHeight - 6)
            break;
    }
    font.setPixelSize(pixels);
    const QRect box = QFontMetrics(font).tightBoundingRect(name);
    QImage mask(kWidth, kHeight, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter p(&mask);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText((kWidth - box.width()) / 2 - box.left(), (kHeight - box.height()) / 2 - box.top(),
               name);
    return mask;
}

QByteArray bitmap(const QImage& mask)
{
    auto on = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight && qGray(mask.pixel(x, y)) > 127;
    };
    const int stride = (kWidth + 3) / 4 * 4;
    const std::uint32_t paletteBytes = 256 * 4;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    const std::uint32_t imageBytes = std::uint32_t(stride) * kHeight;

    QByteArray out;
    out.append("BM", 2);
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, kWidth);
    put32(out, kHeight); // bottom-up rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // BI_RGB: uncompressed
    put32(out, imageBytes);
    put32(out, 3780); // 96 dots per inch
    put32(out, 3780);
    put32(out, 256);
    put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        const auto c = i < int(kColours.size()) ? kColours[i] : std::array<std::uint8_t, 3>{};
        out.append(char(c[2])).append(char(c[1])).append(char(c[0])).append(char(0));
    }
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < stride; ++x) {
            std::uint8_t index = Background;
            if (x >= kWidth)
                index = 0;
            else if (on(x, y))
                index = Letter;
            else if (on(x + 1, y + 1) || on(x + 1, y) || on(x, y + 1))
                index = Highlight; // just outside an upper or left edge
            else if (on(x - 1, y - 1) || on(x - 1, y) || on(x, y - 1))
                index = Shadow; // just outside a lower or right edge
            out.append(char(index));
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_logo OUTPUT.bmp\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bitmap(letters(QStringLiteral("Quarvane")))) < 0) {
        std::fprintf(stderr, "make_logo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
