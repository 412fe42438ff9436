// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/scroll_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vesk {

void ScrollBar::keyPressEvent(QKeyEvent* event)
{
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

void ScrollBar::mousePressEvent(QMouseEvent* event)
{
    const int before = sliderPosition();
    bool told = false;
    const auto watch = connect(this, &QAbstractSlider::sliderMoved, this, [&told] { told = true; });
    QScrollBar::mousePressEvent(event);
    disconnect(watch);
    if (!told && isSliderDown() && sliderPosition() != before)
        Q_EMIT sliderMoved(sliderPosition());
}

} // namespace vesk
