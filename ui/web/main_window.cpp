// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/web/main_window.h"

#include <emscripten/emscripten.h>

namespace vesk::web {

using namespace main_layout;

MainWindow::MainWindow(Shell* shell) : form_(kWindow, kControls, kLines), handlers_(*this, shell)
{
    form_.setRange(hsbVesk, kLowestPosition, kHighestPosition);
    // No handler runs once the program has ended: the form tells none.
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
    form_.keyPressed = [this](std::size_t, std::uint16_t& character) {
        handlers_.txtVesk_KeyPress(character);
    };
    form_.stepped = [this](std::size_t, ScrollAction action) { handlers_.hsbVesk_Step(action); };
    form_.tracked = [this](std::size_t, int position) { handlers_.hsbVesk_Track(position); };
    form_.released = [this](std::size_t, int position) { handlers_.hsbVesk_Release(position); };
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

MainWindow::~MainWindow()
{
    stopWaking();
}

void MainWindow::ResultsShown(const std::string& said)
{
    announcer_.shown(said);
}

Announcer::Ms MainWindow::now() const
{
    return static_cast<Announcer::Ms>(emscripten_get_now());
}

// On the page's own timer: a timer of the compiled program's runtime would
// count as the program's last work, and the runtime ends with it.
void MainWindow::wakeAfter(Announcer::Ms after)
{
    web::wakeAfter(static_cast<double>(after), [this] { announcer_.woken(); });
}

void MainWindow::say(const std::string& text)
{
    announce(text);
}

} // namespace vesk::web
