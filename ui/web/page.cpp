// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/web/page.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <vector>

// What page.js does, through page_library.js.
extern "C" {
void vesk_page_window(int window, const char* name, const char* caption, int width, int height,
                      const char* background, int dialog);
void vesk_page_control(int window, int row, const char* name, int kind, int left, int top,
                       int width, int height, const char* text, const char* background,
                       const char* foreground, int bold, int align, const char* accessibleName,
                       const char* accessibleDescription, const char* partner, int tabIndex,
                       int lowest, int highest);
void vesk_page_line(int window, int left, int top, int width, int height, const char* colour);
void vesk_page_set_text(int window, int row, const char* text);
char* vesk_page_text(int window, int row); // the caller frees it
void vesk_page_set_value(int window, int row, int position, const char* shown);
void vesk_page_set_colour(int window, int row, const char* colour);
}

namespace vesk::web {
namespace {

constexpr int kMain = static_cast<int>(PageWindow::Main);

const char* roleName(layout::SystemColour role)
{
    switch (role) {
    case layout::SystemColour::WindowText:
        return "CanvasText";
    case layout::SystemColour::ButtonText:
        return "ButtonText";
    case layout::SystemColour::ButtonFace:
        return "ButtonFace";
    case layout::SystemColour::WindowBackground:
        return "Canvas";
    }
    return "CanvasText";
}

std::string hex(Rgb rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return text;
}

// A colour as CSS writes it: a fixed colour as #rrggbb, a system colour by the
// CSS name of its role, so that it follows the user's colour scheme too.
std::string cssColour(const layout::Colour& colour)
{
    switch (colour.type) {
    case layout::Colour::Type::None:
        return "transparent";
    case layout::Colour::Type::Fixed:
        return hex(colour.rgb);
    case layout::Colour::Type::System:
        return roleName(colour.role);
    }
    return "transparent";
}

} // namespace

void makeWindow(PageWindow which, const layout::Window& window,
                std::span<const layout::Control> controls, std::span<const layout::Line> lines,
                const std::string& extraText)
{
    const int w = static_cast<int>(which);
    vesk_page_window(w, window.name, window.caption, layout::toPixels(window.width),
                     layout::toPixels(window.height), cssColour(window.background).c_str(),
                     window.role == layout::Role::Dialog);
    // The elements go in the order of the window, top to bottom and left to
    // right, as a screen reader reads them; Tab keeps the table's order.
    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::pair(controls[a].top, controls[a].left) <
               std::pair(controls[b].top, controls[b].left);
    });
    std::vector<int> tabIndex(controls.size(), 0);
    int next = 1;
    for (std::size_t row = 0; row < controls.size(); ++row)
        if (layout::takesFocus(controls[row].kind))
            tabIndex[row] = next++;
    for (const std::size_t row : order) {
        const layout::Control& c = controls[row];
        const layout::Rect r = layout::place(c);
        const bool scrollBar = c.kind == layout::Kind::ScrollBar;
        // A label without text of its own in the table (the About window's
        // title line) takes the one the window gives it.
        const char* text = *c.text == '\0' && c.kind == layout::Kind::Label && !extraText.empty()
                               ? extraText.c_str()
                               : c.text;
        vesk_page_control(w, static_cast<int>(row), c.name, static_cast<int>(c.kind), r.x, r.y,
                          r.width, r.height, text, cssColour(c.background).c_str(),
                          cssColour(c.foreground).c_str(), c.bold, static_cast<int>(c.align),
                          c.accessibleName, c.accessibleDescription, c.partner, tabIndex[row],
                          scrollBar ? main_layout::kLowestPosition : 0,
                          scrollBar ? main_layout::kHighestPosition : 0);
    }
    for (const layout::Line& l : lines) {
        const layout::Rect r = layout::pixels(l);
        vesk_page_line(w, r.x, r.y, r.width, r.height, cssColour(l.colour).c_str());
    }
}

MainWindow::MainWindow(Shell* shell) : handlers_(*this, shell)
{
    makeWindow(PageWindow::Main, main_layout::kWindow, main_layout::kControls, main_layout::kLines);
}

std::string MainWindow::Text(frmMain::Id control) const
{
    const std::unique_ptr<char, decltype(&std::free)> text(
        vesk_page_text(kMain, static_cast<int>(control)), &std::free);
    return text ? std::string(text.get()) : std::string();
}

void MainWindow::SetText(frmMain::Id control, std::string_view text)
{
    vesk_page_set_text(kMain, static_cast<int>(control), std::string(text).c_str());
}

int MainWindow::Value(frmMain::Id /*control*/) const
{
    return position_;
}

void MainWindow::SetValue(frmMain::Id control, int position)
{
    position_ = position;
    vesk_page_set_value(kMain, static_cast<int>(control), position,
                        PositionShown(position).c_str());
}

void MainWindow::SetForeColor(frmMain::Id control, Rgb colour)
{
    vesk_page_set_colour(kMain, static_cast<int>(control), hex(colour).c_str());
}

} // namespace vesk::web
