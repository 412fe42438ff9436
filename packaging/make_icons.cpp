// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Writes the calculator icon for installing: PNG files for the desktop's icon
// theme and a Windows .ico, all from the same 32 x 32 picture, in every size
// of the icon.
//   make_icons OUTPUT_DIR NAME
// writes OUTPUT_DIR/hicolor/<size>x<size>/apps/NAME.png and OUTPUT_DIR/NAME.ico;
//   make_icons --web OUTPUT_DIR
// writes the sizes an installed web app wants, OUTPUT_DIR/icon-<size>.png.
#include "assets/little_endian.h"
#include "ui/qt/icon_picture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

namespace {

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return bytes;
}

// The standard 16-colour palette, in its usual order, which the picture keeps to.
constexpr QRgb kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                               0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                               0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The picture itself as an .ico's bitmap entry: 4 bits a pixel in the
// standard palette, rows from the bottom up, then the 1-bit mask of what is
// transparent. Empty when the picture has a colour outside the palette.
QByteArray bitmap16(const QImage& picture)
{
    const int w = picture.width(), h = picture.height();
    QByteArray out;
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, w);
    put32(out, 2 * h); // the colours, then the mask
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // uncompressed
    put32(out, (w / 2 + w / 8) * h);
    for (int i = 0; i < 4; ++i)
        put32(out, i == 2 ? 16 : 0); // resolution, colours used (16), important
    for (QRgb c : kPalette)
        put32(out, c); // blue, green, red, 0
    QByteArray mask;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; x += 2) {
            int pair = 0;
            for (int half = 0; half < 2; ++half) {
                const QRgb c = picture.pixel(x + half, y);
                const QRgb* at = std::find(std::begin(kPalette), std::end(kPalette), c & 0xFFFFFF);
                if (qAlpha(c) == 255 && at == std::end(kPalette))
                    return {};
                pair = pair << 4 | (qAlpha(c) == 255 ? int(at - kPalette) : 0);
            }
            out.append(char(pair));
        }
        for (int x = 0; x < w; x += 8) {
            int bits = 0;
            for (int i = 0; i < 8; ++i)
                bits = bits << 1 | (qAlpha(picture.pixel(x + i, y)) == 255 ? 0 : 1);
            mask.append(char(bits));
        }
    }
    return out + mask;
}

// An .ico with the picture's own 16-colour bitmap at its own size, and every
// other size as PNG, as Windows has read them since Vista.
QByteArray ico(std::span<const int> sizes)
{
    const QImage picture = vesk::iconImage(32);
    std::vector<QByteArray> images;
    for (int size : sizes) {
        images.push_back(size == picture.width() ? bitmap16(picture) : png(vesk::iconImage(size)));
        if (images.back().isEmpty())
            return {};
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, int(sizes.size()));
    qsizetype offset = 6 + 16 * qsizetype(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const bool bitmap = sizes[i] == picture.width();
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i])); // 0 stands for 256
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(bitmap ? 16 : 0)).append(char(0)); // colours in the palette
        put16(out, 1);                                     // colour planes
        put16(out, bitmap ? 4 : 32);                       // bits per pixel
        put32(out, images[i].size());
        put32(out, offset);
        offset += images[i].size();
    }
    for (const QByteArray& image : images)
        out += image;
    return out;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: make_icons OUTPUT_DIR NAME\n       make_icons --web OUTPUT_DIR\n");
        return 2;
    }
    if (qstrcmp(argv[1], "--web") == 0) {
        const QString dir = QString::fromLocal8Bit(argv[2]);
        for (int size : {192, 512})
            if (!QDir().mkpath(dir) || !write(QStringLiteral("%1/icon-%2.png").arg(dir).arg(size),
                                              png(vesk::iconImage(size))))
                return 1;
        return 0;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : vesk::kIconSizes) {
        const QString sizeDir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(dir).arg(size);
        if (!QDir().mkpath(sizeDir) ||
            !write(sizeDir + QLatin1Char('/') + name + QStringLiteral(".png"),
                   png(vesk::iconImage(size))))
            return 1;
    }
    const QByteArray icon = ico(vesk::kIconSizes);
    if (icon.isEmpty())
        return 1;
    return write(dir + QLatin1Char('/') + name + QStringLiteral(".ico"), icon) ? 0 : 1;
}
