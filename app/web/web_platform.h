// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The application's steps as a web page carries them out:
//  - every tab is a copy of its own: nothing is shared between them, so none
//    is ever a later copy; an installed app's window is brought forward by
//    the browser itself when it is started again;
//  - the About window is a modal dialog. A page cannot wait inside a handler,
//    so showing it returns at once; nothing follows it in the About button's
//    handler, which is thus done once the dialog is hidden or closed;
//  - the end closes an installed app's window, and in a tab, which a page may
//    not close, puts a line in the window's place saying so.
#pragma once

#include "app/application.h"
#include "app/web/about_window.h"

#include <memory>

namespace vesk::web {

class MainWindow;

class WebPlatform : public Platform {
  public:
    WebPlatform();

    void setMainWindow(MainWindow& window) { main_ = &window; }

    bool PreviousInstance() override { return false; }
    void SetMainCaption(std::string_view) override {}
    void RestoreWindow(std::string_view) override {}
    void UnloadMain() override {}
    void LoadAbout() override;
    bool AboutLoaded() const override { return about_ != nullptr; }
    Place MainPlace() const override;
    void MoveAbout(Place place) override;
    void ShowAboutModal() override;
    void End() override;

  private:
    MainWindow* main_ = nullptr;
    std::unique_ptr<AboutWindow> about_;
};

} // namespace vesk::web
