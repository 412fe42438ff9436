// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The application's steps as Qt and the one-copy guard carry them out.
#pragma once

#include "app/application.h"
#include "app/qt/about_window.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <functional>

namespace vesk {

class DesktopContrast;
class InstanceGuard;
class MainWindow;

class QtPlatform : public Platform {
  public:
    // `endProgram` ends the process's work at once; the default leaves the
    // event loop (or keeps it from starting).
    explicit QtPlatform(InstanceGuard& guard, std::function<void()> endProgram = {});
    ~QtPlatform();

    // The main window, once made; the application's steps act on it.
    void setMainWindow(MainWindow& window) { main_ = &window; }

    // Paints the main window, and the About window whenever it is made, in
    // the desktop's contrast as it is read and changes.
    void followContrast(DesktopContrast& contrast);

    // A later copy's request to restore the window with this caption. Only the
    // main window can be restored (the About window shows only through its
    // button, and comes back with the main window); true when it was.
    bool restore(const QString& caption, const QByteArray& launchToken);

    AboutWindow* about() const { return about_.data(); }

    bool PreviousInstance() override;
    void SetMainCaption(std::string_view caption) override;
    void RestoreWindow(std::string_view caption) override;
    void UnloadMain() override;
    void LoadAbout() override;
    bool AboutLoaded() const override { return !about_.isNull(); }
    Place MainPlace() const override;
    void MoveAbout(Place place) override;
    void ShowAboutModal() override;
    void End() override;

  private:
    InstanceGuard& guard_;
    std::function<void()> endProgram_;
    MainWindow* main_ = nullptr;
    bool running_ = false; // the first copy, past its Form_Load
    QPointer<AboutWindow> about_;
    DesktopContrast* contrast_ = nullptr;
};

} // namespace vesk
