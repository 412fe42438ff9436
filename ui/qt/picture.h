// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

namespace vesk {

// An image control: shows its picture at its own size from the top-left
// corner, never stretched to the control, and enlarged pixel for pixel on
// screens with more device pixels, so pixel art stays crisp.
class Picture : public QWidget {
    Q_OBJECT

  public:
    explicit Picture(QWidget* parent = nullptr) : QWidget(parent) {}

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

} // namespace vesk
