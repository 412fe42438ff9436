// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The credits window with the Win32 API, made from about_layout.h: a top-level
// window owned by the main window. Its button (and Esc) hides it again;
// closing it with the title bar's button destroys it instead.
#pragma once

#include "app/version.h"
#include "ui/win32/form.h"

#include <functional>

namespace vesk::win32 {

class AboutWindow {
  public:
    static constexpr const wchar_t* kClass = version::kAboutIdWide;

    // Creates the window hidden; `destroyed` is told when its close box has
    // destroyed it (the object goes with it).
    AboutWindow(HINSTANCE instance, HWND owner, std::function<void()> destroyed);
    ~AboutWindow();

    HWND window() const { return form_.window(); }

    // Shows the window, taking all input from its owner, and returns once it
    // is hidden or destroyed. `self` may be gone by then: the caller keeps
    // only a pointer it is told about.
    static void showModal(AboutWindow* self);

    void cmdExit_Click();

    // Every message of the window, in its procedure.
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void drawLogo(const DRAWITEMSTRUCT& item);

    Form form_;
    HINSTANCE instance_;
    HWND owner_;
    HBITMAP logo_ = nullptr;
    std::function<void()> destroyed_;
};

// Takes one message from the queue and delivers it, letting a window's dialog
// manager have the keys of its controls first (Tab, access keys, Esc). False
// when the program is asked to quit.
bool deliverNextMessage();

} // namespace vesk::win32
