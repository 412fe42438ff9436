// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/icon_picture.h"

#include "assets/vesk.xpm"

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

} // namespace vesk
