// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Builds a window and its controls from its layout table. Places and sizes are
// in twips, colours fixed or taken from the user's scheme, and the order of
// the table is the tab order. Each window keeps its table next to its
// handlers, with a struct of the controls its code uses: build() fills it.
#pragma once

#include "ui/picture.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"
#include "ui/window_style.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <span>
#include <variant>
#include <vector>

namespace vesk::form {

// A control's kind is the type of the member of `Widgets` it goes into; a
// control the code never touches names a null member of its kind.
template <class Widgets>
using Slot = std::variant<QLabel * Widgets::*, TextBox * Widgets::*, ScrollBar * Widgets::*,
                          QPushButton * Widgets::*, Picture * Widgets::*>;

enum class Kind { Label, TextBox, ScrollBar, Button, Image }; // in the order of Slot

template <class T, class Widgets> inline constexpr T* Widgets::*untouched = nullptr;

template <class Widgets> struct Control {
    const char* name;
    Slot<Widgets> slot;
    int left, top, width, height; // twips
    const char* text;             // caption or text at creation (UTF-8)
    style::Colour background, foreground;
    bool bold;
    Qt::Alignment alignment;
};

struct Line {
    const char* name;
    int x1, y1, x2, y2; // twips
    style::Colour colour;
};

struct Window {
    const char* name;
    const char* caption;
    Qt::WindowFlags flags;
    int width, height; // of the client area, in twips
    style::Colour background, foreground;
    QAccessible::Role role; // what a screen reader calls it
};

// The window itself: its name, caption, frame, fixed size, colours and the
// role a screen reader gives it. Enough for a window that is never shown.
void setUp(QWidget& window, const Window& w);

// The parts of build() that do not depend on the window's own struct.
void setFont(QWidget& window);
QWidget* create(QWidget& window, Kind kind, const char* name, QRect place, const char* text,
                style::Colour background, style::Colour foreground, bool bold,
                Qt::Alignment alignment);
void finish(QWidget& window, std::span<QWidget* const> inTabOrder, std::span<const Line> lines);

// The window's font, its controls and lines, in tab order, the first of them
// that takes the focus holding it.
template <class Widgets>
Widgets build(QWidget& window, std::span<const Control<Widgets>> controls,
              std::span<const Line> lines)
{
    setFont(window);
    Widgets widgets{};
    std::vector<QWidget*> made;
    for (const Control<Widgets>& c : controls) {
        QWidget* control = create(window, static_cast<Kind>(c.slot.index()), c.name,
                                  twips::rect(c.left, c.top, c.width, c.height), c.text,
                                  c.background, c.foreground, c.bold, c.alignment);
        std::visit(
            [&]<class T>(T* Widgets::*member) {
                if (member != nullptr)
                    widgets.*member = static_cast<T*>(control);
            },
            c.slot);
        made.push_back(control);
    }
    finish(window, made, lines);
    return widgets;
}

} // namespace vesk::form
