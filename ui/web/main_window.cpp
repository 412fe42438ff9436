// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/web/main_window.h"

#include <emscripten/emscripten.h>

namespace vesk::web {
namespace {

using namespace main_layout;

// The one main window, for the page's events that the page sends to it.
MainWindow* mainWindow = nullptr;

// No handler runs once the program has ended.
frmMain* handlers()
{
    return mainWindow != nullptr && !pageEnded() ? &mainWindow->handlers() : nullptr;
}

} // namespace

MainWindow::MainWindow(Shell* shell) : form_(kWindow, kControls, kLines), handlers_(*this, shell)
{
    mainWindow = this;
    form_.clicked = [this](std::size_t row) {
        if (row == cmdExit)
            handlers_.cmdExit_Click();
        else if (row == cmdAbout)
            handlers_.cmdAbout_Click();
    };
    form_.closeBox = [this] {
        std::int16_t cancel = 0;
        handlers_.Form_Unload(cancel);
    };
}

MainWindow::~MainWindow()
{
    mainWindow = nullptr;
}

std::string MainWindow::Text(frmMain::Id control) const
{
    return form_.text(control);
}

void MainWindow::SetText(frmMain::Id control, std::string_view text)
{
    form_.setText(control, text);
}

int MainWindow::Value(frmMain::Id /*control*/) const
{
    return position_;
}

void MainWindow::SetValue(frmMain::Id control, int position)
{
    position_ = position;
    form_.setValue(control, position, PositionShown(position));
}

void MainWindow::SetForeColor(frmMain::Id control, Rgb colour)
{
    form_.setForeColor(control, colour);
}

} // namespace vesk::web

using vesk::web::handlers;

// The text box's and the scroll bar's events, each run to completion.
extern "C" {

// A character typed in the text box, before the box takes it: the code the
// box is to take, 0 when the handler withheld the key.
EMSCRIPTEN_KEEPALIVE int vesk_key_press(int code)
{
    auto key = static_cast<std::uint16_t>(code);
    if (vesk::frmMain* h = handlers())
        h->txtVesk_KeyPress(key);
    return key;
}

EMSCRIPTEN_KEEPALIVE void vesk_scroll_step(int action)
{
    if (vesk::frmMain* h = handlers();
        h && action >= 0 && action <= static_cast<int>(vesk::ScrollAction::ToRight))
        h->hsbVesk_Step(static_cast<vesk::ScrollAction>(action));
}

EMSCRIPTEN_KEEPALIVE void vesk_scroll_track(int position)
{
    if (vesk::frmMain* h = handlers())
        h->hsbVesk_Track(position);
}

EMSCRIPTEN_KEEPALIVE void vesk_scroll_release(int position)
{
    if (vesk::frmMain* h = handlers())
        h->hsbVesk_Release(position);
}

} // extern "C"
