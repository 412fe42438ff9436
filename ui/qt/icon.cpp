// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/icon.h"

#include "assets/vesk.xpm"

#include <QPixmap>

namespace vesk {

QImage iconImage(int size)
{
    static const QImage picture(vesk_xpm);
    if (size == picture.width())
        return picture;
    return picture.scaled(size, size, Qt::IgnoreAspectRatio,
                          size > picture.width() ? Qt::FastTransformation
                                                 : Qt::SmoothTransformation);
}

QIcon calculatorIcon()
{
    // A window manager scales from the largest for anything bigger; a larger
    // one would only add to every start what a window property carries.
    constexpr int kLargestForAWindow = 128;
    QIcon icon;
    for (int size : kIconSizes)
        if (size <= kLargestForAWindow)
            icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

} // namespace vesk
