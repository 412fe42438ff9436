// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/win32/about_window.h"

#include "app/about_layout.h"

namespace vesk::win32 {
namespace {

using namespace about_layout;

constexpr int kTwipsPerPixel = kTwipsPerInch / kDesignDpi; // at the design's 96 dots per inch

} // namespace

bool deliverNextMessage()
{
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop, too
        return false;
    }
    if (takeKeys(msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

AboutWindow::AboutWindow(HINSTANCE instance, HWND owner, std::function<void()> destroyed)
    : instance_(instance), owner_(owner), destroyed_(std::move(destroyed))
{
    registerClass(instance, kClass, procedureOf<AboutWindow>);
    form_.create(kWindow, kControls, kLines, kClass, owner, this);
    SetWindowTextW(form_.control(Label1), wide(TitleLine()).c_str());
}

AboutWindow::~AboutWindow()
{
    if (logo_ != nullptr)
        DeleteObject(logo_);
}

void AboutWindow::showModal(AboutWindow* self)
{
    HWND about = self->window();
    HWND owner = self->owner_;
    EnableWindow(owner, FALSE);
    ShowWindow(about, SW_SHOW);
    SetForegroundWindow(about);
    SetFocus(self->form_.control(cmdExit));
    while (IsWindow(about) && IsWindowVisible(about))
        if (!deliverNextMessage())
            break;
    EnableWindow(owner, TRUE);
}

// The owner takes input again before the window goes, so that the window
// system gives it the activation rather than another program's window.
void AboutWindow::cmdExit_Click()
{
    EnableWindow(owner_, TRUE);
    ShowWindow(window(), SW_HIDE);
    SetActiveWindow(owner_);
}

LRESULT AboutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        HWND gone = window();
        SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
        const std::function<void()> destroyed = std::move(destroyed_);
        if (destroyed)
            destroyed(); // deletes this object
        return DefWindowProcW(gone, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (form_.handle(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        // The OK button, or Esc: OK is the window's cancel button.
        if ((LOWORD(wParam) == controlId(cmdExit) && HIWORD(wParam) == BN_CLICKED) ||
            LOWORD(wParam) == IDCANCEL)
            cmdExit_Click();
        return 0;
    case WM_DRAWITEM:
        drawLogo(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        form_.activated(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        EnableWindow(owner_, TRUE);
        DestroyWindow(window());
        return 0;
    default:
        return DefWindowProcW(window(), message, wParam, lParam);
    }
}

// The logo at the window's scale: pixel for pixel at 96 dots per inch, and
// enlarged without blending above, so that it keeps its four colours. It is
// read from the resources, by the file name the table gives it, when first
// drawn, which spares the start.
void AboutWindow::drawLogo(const DRAWITEMSTRUCT& item)
{
    if (logo_ == nullptr)
        logo_ = static_cast<HBITMAP>(LoadImageW(instance_, wide(kControls[Image1].text).c_str(),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (logo_ == nullptr)
        return;
    BITMAP bm{};
    GetObjectW(logo_, sizeof bm, &bm);
    HDC source = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(source, logo_);
    SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchBlt(item.hDC, 0, 0, layout::toPixels(bm.bmWidth * kTwipsPerPixel, form_.dpi()),
               layout::toPixels(bm.bmHeight * kTwipsPerPixel, form_.dpi()), source, 0, 0,
               bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace vesk::win32
