// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollBar>

namespace vesk {

// A horizontal scroll bar whose keys move the thumb the way they point: Left
// and Up step towards the minimum, Right and Down towards the maximum, Page Up
// and Page Down by the large step, Home and End to the ends. (QScrollBar turns
// Left and Right around, since scroll bars normally never have the focus.)
// Every move of the held thumb is told through sliderMoved, the jump of a
// middle click (or Shift and the left button) included, which QScrollBar
// leaves untold.
class ScrollBar : public QScrollBar {
    Q_OBJECT

  public:
    explicit ScrollBar(QWidget* parent = nullptr) : QScrollBar(Qt::Horizontal, parent) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace vesk
