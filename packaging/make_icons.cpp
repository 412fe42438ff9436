// Writes the calculator icon for installing: PNG files for the desktop's icon
// theme and a Windows .ico, all from the same 32 x 32 picture, in every size
// of the icon.
//   make_icons OUTPUT_DIR NAME
// writes OUTPUT_DIR/hicolor/<size>x<size>/apps/NAME.png and OUTPUT_DIR/NAME.ico.
#include "assets/little_endian.h"
#include "ui/icon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

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

// An .ico whose images are stored as PNG, as Windows has read them since Vista.
QByteArray ico(std::span<const int> sizes)
{
    std::vector<QByteArray> images;
    for (int size : sizes)
        images.push_back(png(vesk::iconImage(size)));
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, int(sizes.size()));
    qsizetype offset = 6 + 16 * qsizetype(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i])); // 0 stands for 256
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(0)).append(char(0));
        put16(out, 1);  // colour planes
        put16(out, 32); // bits per pixel
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
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR NAME\n");
        return 2;
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
    return write(dir + QLatin1Char('/') + name + QStringLiteral(".ico"), ico(vesk::kIconSizes)) ? 0
                                                                                                : 1;
}
