// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The credits window in Qt widgets, made from about_layout.h. Its button hides
// it again; closing it with the title bar's button destroys it instead.
#pragma once

#include "ui/contrast.h"

#include <QWidget>

#include <vector>

class QPushButton;

namespace vesk {

class AboutWindow : public QWidget {
    Q_OBJECT

  public:
    // Creates the window and its controls from the layout table, hidden.
    AboutWindow();

    // Shows the window, taking all input from the program's other windows, and
    // returns once it is hidden or closed. The window may be gone by then.
    void showModal();

    void cmdExit_Click();

    // Paints the window in the colours for `contrast`.
    void setContrast(layout::Contrast contrast);

  Q_SIGNALS:
    // The program (not the window system) has hidden the window.
    void hidden();

  protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* cmdExit_;
    std::vector<QWidget*> controls_;
};

} // namespace vesk
