// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/icon.h"

#include "window_icon.h" // written by make_icons

#include <QImage>
#include <QPixmap>

namespace vesk {

// Each size is read where it lies, in the pixel format the window system's
// pixmaps use, so that making the icon only copies it.
QIcon calculatorIcon()
{
    QIcon icon;
    for (const window_icon::Size& size : window_icon::kSizes)
        icon.addPixmap(
            QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(size.pixels), size.side,
                                      size.side, QImage::Format_ARGB32_Premultiplied)));
    return icon;
}

} // namespace vesk
