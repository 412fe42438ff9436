// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/win32/win32_platform.h"

#include "app/version.h"
#include "ui/win32/main_window.h"

#include <thread>

namespace vesk::win32 {
namespace {

// One copy per user and session: the session's own namespace, named after
// the application.
std::wstring mutexName()
{
    return std::wstring(L"Local\\") + version::kAppIdWide;
}

// Under Wine an activation stays inside Wine: the X window manager hears of
// a window brought to the front only when it is mapped anew. (Measured with
// Wine 8 and 10.)
bool underWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Put on top of the others without waiting for the window's thread.
void raise(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
}

// Brought forward without waiting for the window's thread: the calls are
// queued to it and carried out in order, so that a running copy that has
// stopped answering cannot hold this one up.
void bringToFront(HWND window)
{
    static const bool remap = underWine();
    if (remap && !IsIconic(window))
        ShowWindowAsync(window, SW_HIDE);
    ShowWindowAsync(window, SW_SHOW);
    raise(window);
}

// Whether the window's thread answers within the deadline; a copy stopped or
// stuck in a long task is left as it is.
bool answers(HWND window)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               static_cast<UINT>(Win32Platform::kAnswerDeadline.count()),
                               &ignored) != 0;
}

// Long enough for the running copy to paint its main window once restored.
constexpr std::chrono::milliseconds kPaintWait{150};

} // namespace

HWND findRunningWindow(std::wstring_view caption)
{
    const std::wstring wanted(caption);
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, version::kAppIdWide, wanted.c_str())) !=
           nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(found, &process);
        if (process != GetCurrentProcessId() && IsWindowVisible(found))
            return found;
    }
    return nullptr;
}

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

bool Win32Platform::PreviousInstance()
{
    if (previous_ < 0) {
        // Held for the whole life of the process; the system frees it however
        // the process ends.
        mutex_ = CreateMutexW(nullptr, FALSE, mutexName().c_str());
        previous_ = mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
    }
    return previous_ == 1;
}

void Win32Platform::SetMainCaption(std::string_view caption)
{
    SetWindowTextW(main_->window(), wide(caption).c_str());
}

// The running copy may still be starting: its window is looked for until the
// deadline. Found, it is restored (show command 9) and brought to the front,
// with the window the user works in there (the About window, when it is
// open) on top; this copy, just started by the user, may hand the front on.
void Win32Platform::RestoreWindow(std::string_view caption)
{
    const std::wstring wanted = wide(caption);
    const auto deadline = std::chrono::steady_clock::now() + kHandOverDeadline;
    HWND found = nullptr;
    while ((found = findRunningWindow(wanted)) == nullptr) {
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!answers(found))
        return;
    DWORD process = 0;
    GetWindowThreadProcessId(found, &process);
    AllowSetForegroundWindow(process);
    // While the About window is open the main window takes no input: the
    // About window is the one to bring forward, also out of a minimised
    // main window, which took it out of sight.
    HWND front = GetLastActivePopup(found);
    if (!IsWindowEnabled(found)) {
        HWND about = nullptr;
        while ((about = FindWindowExW(nullptr, about, AboutWindow::kClass, nullptr)) != nullptr)
            if (GetWindow(about, GW_OWNER) == found)
                front = about;
    }
    // The window taking the input is shown and made active before the main
    // window comes back, so that the focus the window manager gives the main
    // window is passed straight on to it. After, it is only raised: mapped
    // anew then, it would be weighed as a new window, and refused the focus
    // whenever the main window had not received it yet. Wine 10 shows the
    // main window to the window manager only once it has painted it: a moment
    // later the About window is raised once more.
    if (front != found) {
        bringToFront(front);
        SetForegroundWindow(front);
    }
    if (!IsIconic(found))
        bringToFront(found);
    ShowWindowAsync(found, SW_RESTORE);
    if (front != found) {
        raise(front);
        SetForegroundWindow(front);
        std::this_thread::sleep_for(kPaintWait);
        raise(front);
    }
    SetForegroundWindow(front);
}

void Win32Platform::UnloadMain()
{
    SendMessageW(main_->window(), WM_CLOSE, 0, 0); // runs Form_Unload
}

void Win32Platform::LoadAbout()
{
    about_ = std::make_unique<AboutWindow>(instance_, main_->window(), [this] { about_.reset(); });
}

Place Win32Platform::MainPlace() const
{
    RECT r;
    GetWindowRect(main_->window(), &r);
    return {r.left, r.top};
}

void Win32Platform::MoveAbout(Place place)
{
    SetWindowPos(about_->window(), nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::ShowAboutModal()
{
    AboutWindow::showModal(about_.get());
}

void Win32Platform::End()
{
    ExitProcess(0);
}

} // namespace vesk::win32
