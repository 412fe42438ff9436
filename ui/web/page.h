// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The windows as a web page: each made from its layout table as elements of
// the page (page.js draws them), and the main window's reads and writes
// carried out on them. The page's events come back in through the functions
// that app/web exports.
#pragma once

#include "ui/frmMain.h"

#include <span>
#include <string>

namespace vesk::web {

// The page's windows, as page.js knows them.
enum class PageWindow { Main = 0, About = 1 };

// Makes a window and its controls and lines from its table, hidden.
void makeWindow(PageWindow which, const layout::Window& window,
                std::span<const layout::Control> controls, std::span<const layout::Line> lines,
                const std::string& extraText = {});

class MainWindow : private frmMain::Controls {
  public:
    explicit MainWindow(Shell* shell);

    frmMain& handlers() { return handlers_; }

  private:
    std::string Text(frmMain::Id control) const override;
    void SetText(frmMain::Id control, std::string_view text) override;
    int Value(frmMain::Id control) const override;
    void SetValue(frmMain::Id control, int position) override;
    void SetForeColor(frmMain::Id control, Rgb colour) override;

    frmMain handlers_;
    int position_ = main_layout::kLowestPosition;
};

} // namespace vesk::web
