// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/picture.h"

#include <QPainter>

namespace vesk {

void Picture::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), image_.size()), image_);
}

} // namespace vesk
