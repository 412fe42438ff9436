// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The application's steps with the Win32 API: the previous-instance query is
// a mutex named after the application in the session's namespace; the search
// and restore are the later copy's own, by the program's window class and the
// exact caption.
#pragma once

#include "app/application.h"
#include "app/win32/about_window.h"

#include <chrono>
#include <memory>

namespace vesk::win32 {

class MainWindow;

class Win32Platform : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);

    void setMainWindow(MainWindow& window) { main_ = &window; }

    bool PreviousInstance() override;
    void SetMainCaption(std::string_view caption) override;
    void RestoreWindow(std::string_view caption) override;
    void UnloadMain() override;
    void LoadAbout() override;
    bool AboutLoaded() const override { return about_ != nullptr; }
    Place MainPlace() const override;
    void MoveAbout(Place place) override;
    void ShowAboutModal() override;
    void End() override;

    // How long a later copy waits for the running copy's window to appear,
    // should that copy still be starting.
    static constexpr std::chrono::milliseconds kHandOverDeadline{2000};
    // How long it waits for that window's answer before taking the copy for
    // hung and ending without it.
    static constexpr std::chrono::milliseconds kAnswerDeadline{1000};

  private:
    HINSTANCE instance_;
    MainWindow* main_ = nullptr;
    std::unique_ptr<AboutWindow> about_;
    HANDLE mutex_ = nullptr;
    int previous_ = -1; // not asked yet
};

// The running copy's main window: visible, of the program's own class,
// captioned exactly so, and of another process; or none.
HWND findRunningWindow(std::wstring_view caption);

} // namespace vesk::win32
