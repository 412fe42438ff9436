#pragma once

#include <QScrollBar>

namespace vesk {

// A horizontal scroll bar whose keys move the thumb the way they point: Left
// and Up step towards the minimum, Right and Down towards the maximum, Page Up
// and Page Down by the large step, Home and End to the ends. (QScrollBar turns
// Left and Right around, since scroll bars normally never have the focus.)
class ScrollBar : public QScrollBar {
  public:
    explicit ScrollBar(QWidget* parent = nullptr) : QScrollBar(Qt::Horizontal, parent) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vesk
