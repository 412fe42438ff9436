#include "ui/icon.h"

#include "assets/vesk.xpm"

#include <QPixmap>

namespace vesk {

QImage iconImage(int size)
{
    const QImage picture(vesk_xpm);
    if (size == picture.width())
        return picture;
    return picture.scaled(size, size, Qt::IgnoreAspectRatio,
                          size > picture.width() ? Qt::FastTransformation
                                                 : Qt::SmoothTransformation);
}

QIcon calculatorIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

} // namespace vesk
