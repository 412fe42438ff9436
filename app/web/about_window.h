// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The credits window as a web page's modal dialog, made from about_layout.h.
// Its button hides it again; its close box (and Escape) closes it, and the
// window is made anew the next time.
#pragma once

#include "ui/web/form.h"

#include <functional>

namespace vesk::web {

class AboutWindow {
  public:
    // Creates the window hidden; `closed` is told when its close box was
    // pressed, for the owner to delete it.
    explicit AboutWindow(std::function<void()> closed);

    Form& form() { return form_; }

  private:
    Form form_;
};

} // namespace vesk::web
