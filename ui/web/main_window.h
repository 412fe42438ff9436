// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window as a web page: made from main_layout.h, with the page's
// events routed to the handlers of frmMain, whose reads and writes it carries
// out on the page's elements.
#pragma once

#include "ui/announcer.h"
#include "ui/frmMain.h"
#include "ui/web/form.h"

namespace vesk::web {

class MainWindow : private frmMain::Controls, private Announcer::Voice {
  public:
    // Creates the window and its controls from the layout table, hidden.
    explicit MainWindow(Shell* shell);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form& form() { return form_; }
    frmMain& handlers() { return handlers_; }

  private:
    std::string Text(frmMain::Id control) const override;
    void SetText(frmMain::Id control, std::string_view text) override;
    int Value(frmMain::Id control) const override;
    void SetValue(frmMain::Id control, int position) override;
    void SetForeColor(frmMain::Id control, Rgb colour) override;
    void ResultsShown(const std::string& said) override;

    Announcer::Ms now() const override;
    void wakeAfter(Announcer::Ms after) override;
    void say(const std::string& text) override;

    Form form_;
    frmMain handlers_;
    int position_ = main_layout::kLowestPosition;
    Announcer announcer_{*this};
};

} // namespace vesk::web
