// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/win32/main_window.h"

namespace vesk::win32 {
namespace {

using namespace main_layout;

// The icon resource: the 16-colour calculator, with its larger sizes.
constexpr wchar_t kIcon[] = L"IDI_ICON1";

} // namespace

MainWindow::MainWindow(Shell* shell, HINSTANCE instance, const wchar_t* windowClass, Build build)
    : handlers_(*this, shell)
{
    // A copy that hands over shows no window, and needs no icon for it.
    registerClass(instance, windowClass, procedureOf<MainWindow>,
                  build == Build::Everything ? kIcon : nullptr);
    if (build == Build::WindowOnly) {
        form_.create(kWindow, {}, {}, windowClass, nullptr, this);
        return;
    }
    form_.create(kWindow, kControls, kLines, windowClass, nullptr, this);
    // Told to the window itself too, where the task bar and other programs ask.
    for (WPARAM size : {ICON_BIG, ICON_SMALL})
        SendMessageW(window(), WM_SETICON, size,
                     GetClassLongPtrW(window(), size == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
    // The client area's designed place on the screen.
    RECT outer, client;
    GetWindowRect(window(), &outer);
    GetClientRect(window(), &client);
    POINT origin{0, 0};
    ClientToScreen(window(), &origin);
    SetWindowPos(window(), nullptr, toPixels(kDesignedLeft, form_.dpi()) - (origin.x - outer.left),
                 toPixels(kDesignedTop, form_.dpi()) - (origin.y - outer.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    range.nMin = kLowestPosition;
    range.nMax = kHighestPosition;
    SetScrollInfo(form_.control(hsbVesk), SB_CTL, &range, FALSE);
    HWND box = form_.control(txtVesk);
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    textBoxDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(textBoxProcedure)));
}

void MainWindow::focusFirst()
{
    if (HWND first = form_.firstFocus(); first != nullptr)
        SetFocus(first);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (form_.handle(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == controlId(cmdExit))
            handlers_.cmdExit_Click();
        else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == controlId(cmdAbout))
            handlers_.cmdAbout_Click();
        return 0;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == form_.control(hsbVesk))
            scrolled(wParam);
        return 0;
    case WM_ACTIVATE:
        form_.activated(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE: {
        std::int16_t cancel = 0;
        handlers_.Form_Unload(cancel);
        if (cancel == 0)
            DestroyWindow(window());
        return 0;
    }
    default:
        return DefWindowProcW(window(), message, wParam, lParam);
    }
}

// The scroll bar control leaves every move to its owner: a step, and the
// held thumb's place, which it reports as it is dragged and once released.
void MainWindow::scrolled(WPARAM wParam)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        handlers_.hsbVesk_Step(ScrollAction::LineLeft);
        break;
    case SB_LINERIGHT:
        handlers_.hsbVesk_Step(ScrollAction::LineRight);
        break;
    case SB_PAGELEFT:
        handlers_.hsbVesk_Step(ScrollAction::PageLeft);
        break;
    case SB_PAGERIGHT:
        handlers_.hsbVesk_Step(ScrollAction::PageRight);
        break;
    case SB_LEFT:
        handlers_.hsbVesk_Step(ScrollAction::ToLeft);
        break;
    case SB_RIGHT:
        handlers_.hsbVesk_Step(ScrollAction::ToRight);
        break;
    case SB_THUMBTRACK:
        GetScrollInfo(form_.control(hsbVesk), SB_CTL, &info);
        handlers_.hsbVesk_Track(info.nTrackPos);
        break;
    case SB_THUMBPOSITION:
        GetScrollInfo(form_.control(hsbVesk), SB_CTL, &info);
        handlers_.hsbVesk_Release(info.nTrackPos);
        break;
    default:
        break;
    }
}

// Every typed character goes to the key handler first, with its code; Enter
// too, which the dialog manager would otherwise take for a default button.
LRESULT CALLBACK MainWindow::textBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    if (message == WM_GETDLGCODE && lParam != 0) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS;
    }
    if (message == WM_CHAR) {
        auto code = static_cast<std::uint16_t>(wParam);
        self->handlers_.txtVesk_KeyPress(code);
        if (code == 0)
            return 0;
        wParam = code;
    }
    return CallWindowProcW(self->textBoxDefault_, box, message, wParam, lParam);
}

std::string MainWindow::Text(frmMain::Id control) const
{
    HWND box = form_.control(control);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void MainWindow::SetText(frmMain::Id control, std::string_view text)
{
    SetWindowTextW(form_.control(control), wide(text).c_str());
}

int MainWindow::Value(frmMain::Id control) const
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(form_.control(control), SB_CTL, &info);
    return info.nPos;
}

// SetScrollInfo tells no one; frmMain runs the change handler itself.
void MainWindow::SetValue(frmMain::Id control, int position)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(form_.control(control), SB_CTL, &info, TRUE);
}

void MainWindow::SetForeColor(frmMain::Id control, Rgb colour)
{
    form_.setForeColor(control, colour);
}

} // namespace vesk::win32
