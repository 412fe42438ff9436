// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/web/form.h"

#include "ui/caption.h"
#include "ui/contrast.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace vesk::web {
namespace {

using emscripten::val;

std::map<int, Form*> forms;
int nextHandle = 1;
std::function<void()> laidOutHook;
std::function<void()> wokenHook;
bool ended = false;

// page.js, which draws the windows. A window is known to it by the handle
// the program gave it.
val page()
{
    return val::module_property("page");
}

// A text as the page takes it: UTF-8, decoded.
val utf8(std::string_view text)
{
    return val(std::string(text));
}

// A fixed colour as CSS writes it, a system colour by its role (which the
// page names as CSS does, so that it follows the user's colour scheme too),
// or none.
val colour(const layout::Colour& colour)
{
    switch (colour.type) {
    case layout::Colour::Type::Fixed:
        return val(layout::hex(colour.rgb));
    case layout::Colour::Type::System:
        return val(colour.role);
    case layout::Colour::Type::None:
        break;
    }
    return val::null();
}

// A colour as drawn when the user asks for more contrast: the system's roles
// in the page's own white on black (a browser has no colours for it).
val moreColour(const layout::Colour& c)
{
    return colour(
        c.type == layout::Colour::Type::System
            ? layout::Colour{layout::Colour::Type::Fixed, layout::moreContrast(c.role), {}}
            : c);
}

// A control as the page makes it, its texts in the language in use.
val describe(const layout::Window& window, std::span<const layout::Control> controls,
             const layout::Control& c, const char* caption, int tabIndex)
{
    const char* texts = window.texts;
    const layout::Rect r = layout::placeIn(window, c);
    const Caption split = SplitCaption(caption);
    val d = val::object();
    d.set("name", utf8(c.name));
    d.set("kind", c.kind);
    d.set("left", r.x);
    d.set("top", r.y);
    d.set("width", r.width);
    d.set("height", r.height);
    d.set("text", utf8(c.kind == layout::Kind::Button ? split.text() : std::string(caption)));
    d.set("before", utf8(split.before));
    d.set("accessKey", utf8(split.key));
    d.set("after", utf8(split.after));
    d.set("background", colour(c.background));
    d.set("foreground", colour(c.foreground));
    const layout::Colours more = layout::drawn(c, layout::Contrast::More);
    val m = val::object();
    m.set("ground", moreColour(more.ground));
    m.set("text", moreColour(more.text));
    d.set("more", m);
    d.set("bold", c.bold);
    d.set("align", c.align);
    d.set("result", c.result);
    d.set("tabIndex", tabIndex);
    // Named by its partner's caption, a result is not described by it too.
    for (const auto& [name, value] : {std::pair{"accessibleName", c.accessibleName},
                                      {"accessibleDescription", layout::describedAs(controls, c)}})
        if (value != nullptr)
            d.set(name, utf8(language::Text(texts, value)));
    if (c.partner != nullptr)
        d.set("partner", utf8(c.partner));
    return d;
}

Form* formOf(int handle)
{
    const auto found = forms.find(handle);
    return ended || found == forms.end() ? nullptr : found->second;
}

// Runs a window's handler for one of the page's events, to its end. The
// handler is a copy: it may end the window, and its Form with it.
template <class Handler, class... Arguments>
void deliver(int window, Handler Form::*handler, Arguments... arguments)
{
    if (const Form* form = formOf(window); form != nullptr && form->*handler) {
        const Handler run = form->*handler;
        run(arguments...);
    }
}

// The page's events.
void click(int window, int row)
{
    deliver(window, &Form::clicked, static_cast<std::size_t>(row));
}

void closeBox(int window)
{
    deliver(window, &Form::closeBox);
}

// A character typed in a text box: the code the box is to take, 0 when the
// handler withheld it.
int keyPress(int window, int row, int code)
{
    auto character = static_cast<std::uint16_t>(code);
    if (const Form* form = formOf(window); form != nullptr && form->keyPressed) {
        const auto run = form->keyPressed;
        run(static_cast<std::size_t>(row), character);
    }
    return character;
}

void scrollStep(int window, int row, layout::ScrollAction action)
{
    deliver(window, &Form::stepped, static_cast<std::size_t>(row), action);
}

void scrollTrack(int window, int row, int position)
{
    deliver(window, &Form::tracked, static_cast<std::size_t>(row), position);
}

void scrollRelease(int window, int row, int position)
{
    deliver(window, &Form::released, static_cast<std::size_t>(row), position);
}

void woken()
{
    if (ended || !wokenHook)
        return;
    const std::function<void()> now = std::exchange(wokenHook, {});
    now();
}

void laidOut()
{
    if (!ended && laidOutHook)
        laidOutHook();
}

} // namespace

Form::Form(const layout::Window& window, std::span<const layout::Control> controls,
           std::span<const layout::Line> lines, const std::string& extraText)
    : handle_(nextHandle++)
{
    forms[handle_] = this;
    val w = val::object();
    w.set("name", utf8(window.name));
    w.set("caption", utf8(language::Text(window.texts, window.caption)));
    w.set("width", layout::toPixels(window.width));
    w.set("height", layout::toPixels(window.height));
    w.set("background", colour(window.background));
    w.set("backgroundMore", moreColour(layout::ground(window, layout::Contrast::More)));
    w.set("dialog", window.role == layout::Role::Dialog);
    page().call<void>("window", handle_, w);
    // The elements go in the order of the window, top to bottom and left to
    // right, as a screen reader reads them; Tab keeps the table's order.
    std::vector<std::size_t> order;
    const auto place = [&](std::size_t row) {
        return std::pair(controls[row].top, controls[row].left);
    };
    for (std::size_t row = 0; row < controls.size(); ++row)
        order.insert(std::find_if(order.begin(), order.end(),
                                  [&](std::size_t other) { return place(row) < place(other); }),
                     row);
    std::vector<int> tabIndex(controls.size(), 0);
    int next = 1;
    for (std::size_t row = 0; row < controls.size(); ++row)
        if (layout::takesFocus(controls[row].kind))
            tabIndex[row] = next++;
    for (const std::size_t row : order) {
        const layout::Control& c = controls[row];
        const char* caption = *c.text == '\0' && c.kind == layout::Kind::Label && !extraText.empty()
                                  ? extraText.c_str()
                                  : language::Text(window.texts, c.text);
        page().call<void>("control", handle_, static_cast<int>(row),
                          describe(window, controls, c, caption, tabIndex[row]));
    }
    for (const layout::Line& l : lines) {
        const layout::Rect r = layout::pixels(l);
        val d = val::object();
        d.set("left", r.x);
        d.set("top", r.y);
        d.set("width", r.width);
        d.set("height", r.height);
        d.set("colour", colour(l.colour));
        page().call<void>("line", handle_, d);
    }
}

Form::~Form()
{
    forms.erase(handle_);
    if (!ended)
        page().call<void>("remove", handle_);
}

void Form::show()
{
    page().call<void>("show", handle_);
}

void Form::showModal()
{
    page().call<void>("showModal", handle_);
}

void Form::hide()
{
    page().call<void>("hide", handle_);
}

int Form::left() const
{
    return page().call<val>("place", handle_)["left"].as<int>();
}

int Form::top() const
{
    return page().call<val>("place", handle_)["top"].as<int>();
}

void Form::move(int left, int top)
{
    page().call<void>("move", handle_, left, top);
}

std::string Form::text(std::size_t row) const
{
    return page().call<std::string>("text", handle_, static_cast<int>(row));
}

void Form::setText(std::size_t row, std::string_view text)
{
    page().call<void>("setText", handle_, static_cast<int>(row), utf8(text));
}

void Form::setRange(std::size_t row, int lowest, int highest)
{
    page().call<void>("setRange", handle_, static_cast<int>(row), lowest, highest);
}

void Form::setValue(std::size_t row, int position, std::string_view shown)
{
    page().call<void>("setValue", handle_, static_cast<int>(row), position, utf8(shown));
}

void Form::setForeColor(std::size_t row, Rgb rgb)
{
    page().call<void>("setColour", handle_, static_cast<int>(row), val(layout::hex(rgb)),
                      moreColour(layout::resultColour(rgb, layout::Contrast::More)));
}

void announce(std::string_view text)
{
    if (!ended)
        page().call<void>("announce", utf8(text));
}

void wakeAfter(double ms, std::function<void()> then)
{
    wokenHook = std::move(then);
    page().call<void>("wakeAfter", ms);
}

void stopWaking()
{
    wokenHook = {};
    page().call<void>("wakeAfter", -1);
}

void useBrowsersLanguage()
{
    const val navigator = val::global("navigator");
    const val languages = navigator["languages"];
    std::vector<std::string> preferences =
        languages.isArray() ? emscripten::vecFromJSArray<std::string>(languages)
                            : std::vector<std::string>{navigator["language"].as<std::string>()};
    language::Use(language::Choose(preferences));
    page().call<void>("language", utf8(language::InUse()));
}

void onPageLaidOut(std::function<void()> laidOut)
{
    laidOutHook = std::move(laidOut);
}

void endPage()
{
    ended = true;
    page().call<void>("end");
}

bool pageEnded()
{
    return ended;
}

} // namespace vesk::web

// What the page and the program say to each other besides the calls above:
// the names the page gives the tables' kinds, alignments, colour roles and
// scroll steps (those of CSS where CSS has them), and the page's events.
EMSCRIPTEN_BINDINGS(vesk_page)
{
    using namespace emscripten;
    using namespace vesk::layout;
    enum_<Kind>("Kind")
        .value("label", Kind::Label)
        .value("textBox", Kind::TextBox)
        .value("scrollBar", Kind::ScrollBar)
        .value("button", Kind::Button)
        .value("image", Kind::Image);
    enum_<Align>("Align")
        .value("left", Align::Left)
        .value("right", Align::Right)
        .value("center", Align::Centre);
    enum_<SystemColour>("SystemColour")
        .value("CanvasText", SystemColour::WindowText)
        .value("ButtonText", SystemColour::ButtonText)
        .value("ButtonFace", SystemColour::ButtonFace)
        .value("Canvas", SystemColour::WindowBackground);
    enum_<ScrollAction>("ScrollAction")
        .value("lineLeft", ScrollAction::LineLeft)
        .value("lineRight", ScrollAction::LineRight)
        .value("pageLeft", ScrollAction::PageLeft)
        .value("pageRight", ScrollAction::PageRight)
        .value("toLeft", ScrollAction::ToLeft)
        .value("toRight", ScrollAction::ToRight);
    function("click", &vesk::web::click);
    function("closeBox", &vesk::web::closeBox);
    function("keyPress", &vesk::web::keyPress);
    function("scrollStep", &vesk::web::scrollStep);
    function("scrollTrack", &vesk::web::scrollTrack);
    function("scrollRelease", &vesk::web::scrollRelease);
    function("laidOut", &vesk::web::laidOut);
    function("woken", &vesk::web::woken);
}
