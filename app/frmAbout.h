// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The credits window: the maker's logo, the product's name and version, a
// notice and a contact line, in an engraved frame, with one button that hides
// it again. Closing it with the title bar's button destroys it instead.
#pragma once

#include <QWidget>

class QPushButton;

namespace vesk {

class frmAbout : public QWidget {
    Q_OBJECT

  public:
    // Creates the window and its controls from the layout table, hidden.
    frmAbout();

    // Shows the window, taking all input from the program's other windows, and
    // returns once it is hidden or closed. The window may be gone by then.
    void showModal();

    void cmdExit_Click();

  Q_SIGNALS:
    // The program (not the window system) has hidden the window.
    void hidden();

  protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* cmdExit_;
};

} // namespace vesk
