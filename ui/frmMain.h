// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window's handlers: the vesk factor in, the speed out. Written once,
// with no toolkit; each front-end makes the controls of main_layout.h and
// routes its events here.
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

#include "model/results.h"
#include "ui/main_layout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// What the application does on the main window's life events and buttons.
class Shell {
  public:
    virtual void load() = 0;
    virtual void unload() = 0;
    virtual void exitClicked() = 0;
    virtual void aboutClicked() = 0;

  protected:
    ~Shell() = default;
};

using layout::ScrollAction;

// Where a step takes the position, held within the scroll bar's range.
int Stepped(int position, ScrollAction action);

// The factor a scroll position stands for, as the text box shows it.
std::string PositionShown(int position);

// The three results as one announcement, in the window's order, each by
// what it means: "Multiple of c: 1.5, Metres per second: 449,688,687,
// Method: Established", in the language in use.
std::string ResultsSaid(std::string_view light, std::string_view metres, std::string_view method);

class frmMain {
  public:
    using Id = main_layout::Id;

    // The window's controls as the handlers read and write them, each by its
    // row in the layout; a front-end provides them.
    class Controls {
      public:
        // A text box's text, UTF-8.
        virtual std::string Text(Id control) const = 0;
        // A text box's text or a label's caption.
        virtual void SetText(Id control, std::string_view text) = 0;
        // A scroll bar's position: where its thumb is, also while it is dragged.
        virtual int Value(Id control) const = 0;
        // Moves a scroll bar's thumb, telling no one: frmMain itself runs the
        // change handler inside its assignments, as the design relies on.
        virtual void SetValue(Id control, int position) = 0;
        virtual void SetForeColor(Id control, Rgb colour) = 0;
        // After every recalculation, once the three results are written;
        // `said` is how they read to a screen reader (ResultsSaid).
        virtual void ResultsShown(const std::string& said) { (void)said; }

      protected:
        ~Controls() = default;
    };

    explicit frmMain(Controls& controls, Shell* shell = nullptr) : c_(controls), shell_(shell) {}

    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void cmdExit_Click();
    void cmdAbout_Click();
    void txtVesk_KeyPress(std::uint16_t& KeyAscii);
    void hsbVesk_Change();
    void hsbVesk_Scroll();

    // The scroll bar's own behaviour, for a front-end whose scroll bar leaves
    // it to the program: a step moves the thumb and, when the position
    // changed, runs the change handler; a held thumb runs the scroll handler at
    // each move, and the change handler on release if it ends elsewhere.
    void hsbVesk_Step(ScrollAction action);
    void hsbVesk_Track(int position);
    void hsbVesk_Release(int position);

  private:
    void Recalculate();
    void PositionToText();
    // The assignment of the position, with the change notification inside it
    // when the position changes, and none when it does not.
    void SetPosition(int position);

    Controls& c_;
    Shell* shell_;
    std::optional<int> dragFrom_;
};

} // namespace vesk
