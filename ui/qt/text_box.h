// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace vesk {

// A single-line text box that shows each typed character to its owner before
// taking it. The owner gets the character code by reference (Return and the
// keypad's Enter give 13) and withholds the key by setting it to 0.
class TextBox : public QLineEdit {
    Q_OBJECT

  public:
    using KeyPress = std::function<void(std::uint16_t& keyAscii)>;

    explicit TextBox(QWidget* parent = nullptr) : QLineEdit(parent) {}
    void onKeyPress(KeyPress handler) { keyPress_ = std::move(handler); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    KeyPress keyPress_;
};

} // namespace vesk
