// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window: the vesk factor in, the speed out.
//
// How one input travels:
//   Enter in txtVesk -> txtVesk_KeyPress: withholds the key, holds the text
//     within 0 to 9.9999 ("0" / "9.9999"), raises VESKCONS::bFromText and sets
//     hsbVesk to the factor in thousandths. If that changes the position,
//     hsbVesk_Change runs inside the assignment, sees the flag, leaves the text
//     alone, lowers the flag and calls Recalculate; the key handler then
//     lowers the flag itself and calls Recalculate again.
//   A move of hsbVesk -> hsbVesk_Change: writes the position / 1000 into
//     txtVesk (" 1.5") and calls Recalculate. While the thumb is dragged,
//     hsbVesk_Scroll only keeps the text in step; the results follow on release.
//   Recalculate -> reads txtVesk, and writes lblMethod's colour and word, then
//     lblLight, then lblMetres, from vesk::ResultsFor.
// The text box is the one source of the factor; the scroll bar only feeds it.
// Start-up, exit and the About button belong to the application (Shell).
#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QPushButton;

namespace vesk {

class ScrollBar;
class TextBox;
class frmMain;

// What the application does on the main window's life events and buttons.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void load(frmMain& form) = 0;
    virtual void unload(frmMain& form) = 0;
    virtual void exitClicked(frmMain& form) = 0;
    virtual void aboutClicked(frmMain& form) = 0;
};

class frmMain : public QWidget {
    Q_OBJECT

  public:
    // What to build. A copy that hands over to a running one never shows its
    // window, so it needs only the window and its caption; the controls (whose
    // text box alone would load every font on the system) are left out.
    enum class Build { Everything, WindowOnly };

    // Creates the window and its controls from the layout table, hidden.
    explicit frmMain(Shell* shell = nullptr, Build build = Build::Everything);

    // The controls the code uses, by their names.
    struct Controls {
        QPushButton* cmdExit;
        ScrollBar* hsbVesk;
        TextBox* txtVesk;
        QLabel* lblLight;
        QLabel* lblMetres;
        QLabel* lblMethod;
        QPushButton* cmdAbout;
    };

    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void cmdExit_Click();
    void cmdAbout_Click();
    void txtVesk_KeyPress(std::uint16_t& KeyAscii);
    void hsbVesk_Change();
    void hsbVesk_Scroll();

  Q_SIGNALS:
    // After every recalculation, once the three result labels are written.
    void resultsShown();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Recalculate();
    void PositionToText();

    Shell* shell_;
    Controls c_{};
};

} // namespace vesk
