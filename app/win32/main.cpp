// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Starts the calculator on Windows: the main window is created hidden, its
// Form_Load decides whether this copy runs or hands over to one already
// running, and only then is the window shown.
#include "app/application.h"
#include "app/version.h"
#include "app/win32/about_window.h"
#include "app/win32/win32_platform.h"
#include "ui/language.h"
#include "ui/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // In the user's language, as Windows gives them in order.
    const std::vector<std::string> languages = vesk::win32::preferredLanguages();
    vesk::language::Use(vesk::language::Choose(languages));
    vesk::win32::Win32Platform platform(instance);
    vesk::Application application(platform);
    // Asked once, before the window is built; Form_Load asks again and gets
    // the same answer.
    const bool handsOver = platform.PreviousInstance();
    vesk::win32::MainWindow form(&application, instance, vesk::version::kAppIdWide,
                                 handsOver ? vesk::win32::MainWindow::Build::WindowOnly
                                           : vesk::win32::MainWindow::Build::Everything);
    platform.setMainWindow(form);
    form.handlers().Form_Load(); // a copy that hands over ends in here
    ShowWindow(form.window(), show == SW_HIDE ? SW_SHOWNORMAL : show);
    form.focusFirst();
    while (vesk::win32::deliverNextMessage()) {
    }
    return 0;
}
