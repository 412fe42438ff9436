// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/web/form.h"

#include "ui/caption.h"
#include "ui/frmMain.h"
#include "ui/main_layout.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <numeric>
#include <vector>

// What page.js does, through page_library.js. A window is known to the page by
// the handle the program gave it; a window or a control is described to it in
// JSON, each field by name.
extern "C" {
void vesk_page_window(int window, const char* json);
void vesk_page_control(int window, int row, const char* json);
void vesk_page_line(int window, const char* json);
void vesk_page_set_text(int window, int row, const char* text);
char* vesk_page_text(int window, int row); // the caller frees it
void vesk_page_set_value(int window, int row, int position, const char* shown);
void vesk_page_set_colour(int window, int row, const char* colour);
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

std::map<int, Form*> forms;
int nextHandle = 1;
std::function<void()> laidOutHook;
bool ended = false;

// One JSON object, written field by field.
class Json {
  public:
    Json& field(const char* name, std::string_view text)
    {
        key(name);
        out_ += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out_ += escaped;
            } else {
                out_ += c;
            }
        }
        out_ += '"';
        return *this;
    }
    Json& field(const char* name, const char* text)
    {
        return field(name, std::string_view(text != nullptr ? text : ""));
    }
    Json& field(const char* name, int number)
    {
        key(name);
        out_ += std::to_string(number);
        return *this;
    }
    Json& field(const char* name, bool yes)
    {
        key(name);
        out_ += yes ? "true" : "false";
        return *this;
    }
    Json& field(const char* name, const Json& object)
    {
        key(name);
        out_ += object.str();
        return *this;
    }
    std::string str() const { return out_ + '}'; }

  private:
    void key(const char* name)
    {
        out_ += out_.size() > 1 ? ",\"" : "\"";
        out_ += name;
        out_ += "\":";
    }
    std::string out_ = "{";
};

const char* kindName(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::Label:
        return "label";
    case layout::Kind::TextBox:
        return "textBox";
    case layout::Kind::ScrollBar:
        return "scrollBar";
    case layout::Kind::Button:
        return "button";
    case layout::Kind::Image:
        return "image";
    }
    return "label";
}

const char* cssAlign(layout::Align align)
{
    switch (align) {
    case layout::Align::Left:
        return "left";
    case layout::Align::Right:
        return "right";
    case layout::Align::Centre:
        return "center";
    }
    return "left";
}

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

// A colour as CSS writes it: a fixed colour as #rrggbb, a system colour by the
// CSS name of its role, so that it follows the user's colour scheme too.
std::string cssColour(const layout::Colour& colour)
{
    switch (colour.type) {
    case layout::Colour::Type::None:
        return "transparent";
    case layout::Colour::Type::Fixed:
        return layout::hex(colour.rgb);
    case layout::Colour::Type::System:
        return roleName(colour.role);
    }
    return "transparent";
}

// The scroll bar's steps, each by the code its handler takes.
Json steps()
{
    const auto code = [](ScrollAction a) { return static_cast<int>(a); };
    return Json()
        .field("lineLeft", code(ScrollAction::LineLeft))
        .field("lineRight", code(ScrollAction::LineRight))
        .field("pageLeft", code(ScrollAction::PageLeft))
        .field("pageRight", code(ScrollAction::PageRight))
        .field("toLeft", code(ScrollAction::ToLeft))
        .field("toRight", code(ScrollAction::ToRight));
}

std::string describe(const layout::Control& c, const char* text, int tabIndex)
{
    const layout::Rect r = layout::place(c);
    const Caption caption = SplitCaption(text);
    Json json;
    json.field("name", c.name)
        .field("kind", kindName(c.kind))
        .field("left", r.x)
        .field("top", r.y)
        .field("width", r.width)
        .field("height", r.height)
        .field("text", c.kind == layout::Kind::Button ? caption.text() : std::string(text))
        .field("before", caption.before)
        .field("accessKey", caption.key)
        .field("after", caption.after)
        .field("background", cssColour(c.background))
        .field("foreground", cssColour(c.foreground))
        .field("bold", c.bold)
        .field("align", cssAlign(c.align))
        .field("accessibleName", c.accessibleName)
        .field("accessibleDescription", c.accessibleDescription)
        .field("partner", c.partner)
        .field("tabIndex", tabIndex);
    if (c.kind == layout::Kind::ScrollBar)
        json.field("lowest", main_layout::kLowestPosition)
            .field("highest", main_layout::kHighestPosition)
            .field("steps", steps());
    return json.str();
}

Form* formOf(int handle)
{
    const auto found = forms.find(handle);
    return ended || found == forms.end() ? nullptr : found->second;
}

} // namespace

Form::Form(const layout::Window& window, std::span<const layout::Control> controls,
           std::span<const layout::Line> lines, const std::string& extraText)
    : handle_(nextHandle++)
{
    forms[handle_] = this;
    vesk_page_window(handle_, Json()
                                  .field("name", window.name)
                                  .field("caption", window.caption)
                                  .field("width", layout::toPixels(window.width))
                                  .field("height", layout::toPixels(window.height))
                                  .field("background", cssColour(window.background))
                                  .field("dialog", window.role == layout::Role::Dialog)
                                  .str()
                                  .c_str());
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
        const char* text = *c.text == '\0' && c.kind == layout::Kind::Label && !extraText.empty()
                               ? extraText.c_str()
                               : c.text;
        vesk_page_control(handle_, static_cast<int>(row), describe(c, text, tabIndex[row]).c_str());
    }
    for (const layout::Line& l : lines) {
        const layout::Rect r = layout::pixels(l);
        vesk_page_line(handle_, Json()
                                    .field("left", r.x)
                                    .field("top", r.y)
                                    .field("width", r.width)
                                    .field("height", r.height)
                                    .field("colour", cssColour(l.colour))
                                    .str()
                                    .c_str());
    }
}

Form::~Form()
{
    forms.erase(handle_);
    if (!ended)
        vesk_page_remove(handle_);
}

void Form::show()
{
    vesk_page_show(handle_);
}

void Form::showModal()
{
    vesk_page_show_modal(handle_);
}

void Form::hide()
{
    vesk_page_hide(handle_);
}

int Form::left() const
{
    return vesk_page_left(handle_);
}

int Form::top() const
{
    return vesk_page_top(handle_);
}

void Form::move(int left, int top)
{
    vesk_page_move(handle_, left, top);
}

std::string Form::text(std::size_t row) const
{
    const std::unique_ptr<char, decltype(&std::free)> text(
        vesk_page_text(handle_, static_cast<int>(row)), &std::free);
    return text ? std::string(text.get()) : std::string();
}

void Form::setText(std::size_t row, std::string_view text)
{
    vesk_page_set_text(handle_, static_cast<int>(row), std::string(text).c_str());
}

void Form::setValue(std::size_t row, int position, std::string_view shown)
{
    vesk_page_set_value(handle_, static_cast<int>(row), position, std::string(shown).c_str());
}

void Form::setForeColor(std::size_t row, Rgb colour)
{
    vesk_page_set_colour(handle_, static_cast<int>(row), layout::hex(colour).c_str());
}

void onPageLaidOut(std::function<void()> laidOut)
{
    laidOutHook = std::move(laidOut);
}

void endPage()
{
    ended = true;
    vesk_page_end();
}

bool pageEnded()
{
    return ended;
}

} // namespace vesk::web

// The page's events for a window, each run to completion.
extern "C" {

EMSCRIPTEN_KEEPALIVE void vesk_click(int window, int row)
{
    // A copy: the handler may end the window, and its Form with it.
    if (vesk::web::Form* form = vesk::web::formOf(window); form && form->clicked) {
        const auto clicked = form->clicked;
        clicked(static_cast<std::size_t>(row));
    }
}

EMSCRIPTEN_KEEPALIVE void vesk_close(int window)
{
    if (vesk::web::Form* form = vesk::web::formOf(window); form && form->closeBox) {
        const auto closeBox = form->closeBox;
        closeBox();
    }
}

EMSCRIPTEN_KEEPALIVE void vesk_laid_out()
{
    if (!vesk::web::ended && vesk::web::laidOutHook)
        vesk::web::laidOutHook();
}

} // extern "C"
