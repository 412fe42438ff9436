// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Makes a window and its controls from its layout table with the standard
// Win32 controls: Static for a label or a picture, Edit, a standalone
// ScrollBar and Button, placed at the window's dots per inch, coloured and
// lettered as the table says, the lines drawn on the window itself.
#pragma once

#include "ui/contrast.h"
#include "ui/layout.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::win32 {

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view text);

// The user's languages for the user interface, in the order preferred, as
// Windows keeps them ("de-DE", "pt-BR").
std::vector<std::string> preferredLanguages();

// A control's identifier: its row in the layout table, past the ones the
// dialog manager keeps for itself (IDOK, IDCANCEL...).
inline constexpr int kFirstControlId = 1000;
constexpr int controlId(std::size_t row)
{
    return kFirstControlId + static_cast<int>(row);
}

// The system colour's index for GetSysColor.
int systemColourIndex(layout::SystemColour colour);
COLORREF toColorRef(layout::Colour colour);
COLORREF toColorRef(Rgb rgb);

// The screen's dots per inch, which the program declares it draws for itself.
int screenDpi();

// SystemColours while Windows' high contrast is on, else Designed. Wine
// answers SPI_GETHIGHCONTRAST with off whatever is set; the setting as
// Windows keeps it for the user (the HighContrast key's Flags, which Windows
// writes as it switches) is read too, so that it stands in there.
layout::Contrast systemContrast();

// Registers a window class whose procedure hands every message to the
// `handle(message, wParam, lParam)` of the object given to Form::create, once
// its window exists; the class's icons, if any, are the program's resource.
void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                   const wchar_t* icon = nullptr);

template <class Window>
LRESULT CALLBACK procedureOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window() == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

// A window's keys, taken as in a dialog box: Enter presses the button that
// has the focus, however the focus came there (the dialog manager would
// press it only once Tab had made it the default), and Tab, access keys and
// Esc go to the window's controls. True when the message was taken.
bool takeKeys(MSG& msg);

class Form {
  public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form();

    // Makes the window of class `windowClass` (registered by the caller with
    // `procedure`, which must pass its messages to handle() first), hidden,
    // with its controls in tab order and its lines. `self` is handed to the
    // procedure in WM_NCCREATE.
    HWND create(const layout::Window& window, std::span<const layout::Control> controls,
                std::span<const layout::Line> lines, const wchar_t* windowClass, HWND owner,
                void* self);

    // Colours the controls and draws the lines; true when the message is done
    // with, `result` holding its answer.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND window() const { return window_; }
    HWND control(std::size_t row) const { return controls_[row]; }
    int dpi() const { return dpi_; }
    // The first control that takes the focus, which holds it when shown.
    HWND firstFocus() const;
    // A label's text colour, changed at run time.
    void setForeColor(std::size_t row, Rgb colour);
    // Paints the window and its controls in the colours for `contrast` (as
    // Windows' setting is, when made, and whenever it changes).
    void setContrast(layout::Contrast contrast);
    layout::Contrast contrast() const { return contrast_; }
    // Where a control of the window is, in the window's client pixels.
    RECT place(const layout::Window& window, const layout::Control& control) const;

    // Remembers the focus when the window is left and gives it back when it is
    // activated again, as a dialog box does.
    void activated(bool active);

  private:
    HBRUSH brush(COLORREF colour);
    std::size_t rowOf(HWND control) const;

    HWND window_ = nullptr;
    int dpi_ = layout::kDesignDpi;
    std::span<const layout::Control> table_;
    std::span<const layout::Line> lines_;
    std::vector<HWND> controls_;
    const layout::Window* windowTable_ = nullptr;
    layout::Contrast contrast_ = layout::Contrast::Designed;
    std::vector<COLORREF> textColours_;
    std::vector<std::optional<Rgb>> given_; // a label's colour set at run time
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
    HFONT bold_ = nullptr;
    HFONT normal_ = nullptr;
    HWND focus_ = nullptr;
    COLORREF background_ = 0;
};

} // namespace vesk::win32
