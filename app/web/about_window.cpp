// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/web/about_window.h"

#include "app/about_layout.h"

namespace vesk::web {

using namespace about_layout;

AboutWindow::AboutWindow(std::function<void()> closed)
    : form_(kWindow, kControls, kLines, TitleLine())
{
    form_.clicked = [this](std::size_t row) {
        if (row == cmdExit)
            form_.hide();
    };
    form_.closeBox = std::move(closed);
}

} // namespace vesk::web
