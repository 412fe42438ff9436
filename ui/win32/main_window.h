// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window with the Win32 API: made from main_layout.h, with its
// messages routed to the handlers of frmMain, whose reads and writes it
// carries out on the standard controls.
#pragma once

#include "ui/frmMain.h"
#include "ui/win32/form.h"

namespace vesk::win32 {

class MainWindow : private frmMain::Controls {
  public:
    // What to build: a copy that hands over never shows its window, so it
    // needs only the window and its caption.
    enum class Build { Everything, WindowOnly };

    // `windowClass` is the program's own, which a later copy's search names.
    MainWindow(Shell* shell, HINSTANCE instance, const wchar_t* windowClass,
               Build build = Build::Everything);

    HWND window() const { return form_.window(); }
    frmMain& handlers() { return handlers_; }
    // Gives the focus to the first control, as the window is first shown.
    void focusFirst();

    // Every message of the window, in its procedure.
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK textBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    void scrolled(WPARAM wParam);

    std::string Text(frmMain::Id control) const override;
    void SetText(frmMain::Id control, std::string_view text) override;
    int Value(frmMain::Id control) const override;
    void SetValue(frmMain::Id control, int position) override;
    void SetForeColor(frmMain::Id control, Rgb colour) override;

    Form form_;
    frmMain handlers_;
    WNDPROC textBoxDefault_ = nullptr;
};

} // namespace vesk::win32
