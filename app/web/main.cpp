// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The program as a web page: start-up, the About window and the end, on the
// page that page.js draws. The page's events come in through the vesk_*
// functions below, each running one handler to completion.
//
// What the web makes of the desktop's steps:
//  - every tab is a copy of its own: nothing is shared between them, so none
//    is ever a later copy; an installed app's window is brought forward by
//    the browser itself when it is started again;
//  - the About window is a modal dialog. A page cannot wait inside a handler,
//    so showing it returns at once; nothing follows it in the About button's
//    handler, which is thus done once the dialog is hidden or closed;
//  - the end closes an installed app's window, and in a tab, which a page may
//    not close, puts a line in the window's place saying so.
#include "app/about_layout.h"
#include "app/application.h"
#include "ui/web/page.h"

#include <emscripten/emscripten.h>

#include <memory>

extern "C" {
void vesk_page_show(int window);
void vesk_page_show_modal(int window);
void vesk_page_hide(int window);
void vesk_page_remove(int window);
int vesk_page_left(int window);
int vesk_page_top(int window);
void vesk_page_move(int window, int left, int top);
void vesk_page_end();
}

namespace vesk::web {
namespace {

constexpr int kMain = static_cast<int>(PageWindow::Main);
constexpr int kAbout = static_cast<int>(PageWindow::About);

class WebPlatform : public Platform {
  public:
    bool PreviousInstance() override { return false; }
    void SetMainCaption(std::string_view) override {}
    void RestoreWindow(std::string_view) override {}
    void UnloadMain() override {}
    void LoadAbout() override
    {
        makeWindow(PageWindow::About, about_layout::kWindow, about_layout::kControls,
                   about_layout::kLines, about_layout::TitleLine());
        aboutLoaded_ = true;
    }
    bool AboutLoaded() const override { return aboutLoaded_; }
    Place MainPlace() const override { return {vesk_page_left(kMain), vesk_page_top(kMain)}; }
    void MoveAbout(Place place) override { vesk_page_move(kAbout, place.x, place.y); }
    void ShowAboutModal() override { vesk_page_show_modal(kAbout); }
    void End() override { vesk_page_end(); }

    // OK hides the About window and keeps it; its close box (and Escape)
    // removes it, to be made anew the next time.
    void hideAbout() { vesk_page_hide(kAbout); }
    void closeAbout()
    {
        vesk_page_remove(kAbout);
        aboutLoaded_ = false;
    }

  private:
    bool aboutLoaded_ = false;
};

struct Program {
    WebPlatform platform;
    Application application{platform};
    MainWindow main{&application};
};

std::unique_ptr<Program> program;

// No handler runs once the program has ended.
frmMain* handlers()
{
    return program && !program->application.ended() ? &program->main.handlers() : nullptr;
}

} // namespace
} // namespace vesk::web

using vesk::frmMain;
using vesk::web::handlers;
using vesk::web::program;

extern "C" {

// A character typed in the text box, before the box takes it: the code the
// box is to take, 0 when the handler withheld the key.
EMSCRIPTEN_KEEPALIVE int vesk_key_press(int code)
{
    auto key = static_cast<std::uint16_t>(code);
    if (frmMain* h = handlers())
        h->txtVesk_KeyPress(key);
    return key;
}

EMSCRIPTEN_KEEPALIVE void vesk_scroll_step(int action)
{
    if (frmMain* h = handlers();
        h && action >= 0 && action <= static_cast<int>(vesk::ScrollAction::ToRight))
        h->hsbVesk_Step(static_cast<vesk::ScrollAction>(action));
}

EMSCRIPTEN_KEEPALIVE void vesk_scroll_track(int position)
{
    if (frmMain* h = handlers())
        h->hsbVesk_Track(position);
}

EMSCRIPTEN_KEEPALIVE void vesk_scroll_release(int position)
{
    if (frmMain* h = handlers())
        h->hsbVesk_Release(position);
}

// A button clicked: the window and the button's row in its table.
EMSCRIPTEN_KEEPALIVE void vesk_click(int window, int row)
{
    frmMain* h = handlers();
    if (h == nullptr)
        return;
    if (window == vesk::web::kMain && row == vesk::main_layout::cmdExit)
        h->cmdExit_Click();
    else if (window == vesk::web::kMain && row == vesk::main_layout::cmdAbout)
        h->cmdAbout_Click();
    else if (window == vesk::web::kAbout && row == vesk::about_layout::cmdExit)
        program->platform.hideAbout();
}

// The main window's close box.
EMSCRIPTEN_KEEPALIVE void vesk_close_main()
{
    std::int16_t cancel = 0;
    if (frmMain* h = handlers())
        h->Form_Unload(cancel);
}

// The About window's close box, or Escape.
EMSCRIPTEN_KEEPALIVE void vesk_about_close()
{
    if (handlers() != nullptr && program->platform.AboutLoaded())
        program->platform.closeAbout();
}

// The main window moved on the page (the page scrolled, or the browser's
// window changed size): an open About window goes with it.
EMSCRIPTEN_KEEPALIVE void vesk_main_moved()
{
    if (handlers() != nullptr && program->platform.AboutLoaded())
        program->platform.MoveAbout(program->platform.MainPlace());
}

} // extern "C"

int main()
{
    using namespace vesk::web;
    program = std::make_unique<Program>();
    program->main.handlers().Form_Load();
    if (!program->application.ended())
        vesk_page_show(kMain);
}
