// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Makes a window and its controls from its layout table as elements of the
// page, through page.js: a label, a text box, a scroll bar, a button or a
// picture for each row, in tab order, and the lines. The page's events for a
// window come back to its Form.
#pragma once

#include "model/results.h"
#include "ui/layout.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vesk::web {

class Form {
  public:
    // Makes the window, hidden. A label without text of its own in the table
    // (the About window's title line) takes `extraText`.
    Form(const layout::Window& window, std::span<const layout::Control> controls,
         std::span<const layout::Line> lines, const std::string& extraText = {});
    // Takes the window off the page.
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void show();
    void showModal();
    void hide();
    // The window's outer top-left corner on the page, and a move there.
    int left() const;
    int top() const;
    void move(int left, int top);

    std::string text(std::size_t row) const;
    void setText(std::size_t row, std::string_view text);
    // A scroll bar's range of positions.
    void setRange(std::size_t row, int lowest, int highest);
    // A scroll bar's thumb at `position`, which a screen reader reads out as
    // `shown`.
    void setValue(std::size_t row, int position, std::string_view shown);
    void setForeColor(std::size_t row, Rgb colour);

    // A button of the window was pressed; its close box (or Escape) was.
    std::function<void(std::size_t row)> clicked;
    std::function<void()> closeBox;
    // A character typed in a text box, before the box takes it: set to 0 to
    // withhold it.
    std::function<void(std::size_t row, std::uint16_t& character)> keyPressed;
    // A scroll bar stepped by the user; its thumb dragged to a position, and
    // let go there.
    std::function<void(std::size_t row, layout::ScrollAction action)> stepped;
    std::function<void(std::size_t row, int position)> tracked;
    std::function<void(std::size_t row, int position)> released;

  private:
    int handle_;
};

// The user's languages as the browser gives them, in the order preferred:
// the program's texts, and the page's, in the best that is shipped, which
// the page is told of.
void useBrowsersLanguage();

// The page was laid out anew (the browser's window changed size, a scroll bar
// came or went), which may have moved the windows.
void onPageLaidOut(std::function<void()> laidOut);

// Tells a screen reader, politely, after what it is saying.
void announce(std::string_view text);

// Runs `woken` after `ms` milliseconds, on the page's one timer for the
// program: a later call replaces an earlier one, and stopWaking() ends it.
void wakeAfter(double ms, std::function<void()> woken);
void stopWaking();

// The program's end: its windows give way to a line saying so, and no event
// of the page reaches the program any more.
void endPage();
bool pageEnded();

} // namespace vesk::web
