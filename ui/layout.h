// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// A window as designed, with no toolkit in it: its frame, its controls in tab
// order and its lines, placed in twips (1440 to the inch, 15 to the pixel at
// 96 dots per inch), coloured either with a fixed colour or with a system
// colour named by its role, and lettered in one font. Each front-end makes its
// own controls from these tables; none keeps a copy of a place or a colour.
#pragma once

#include "model/results.h"
#include "ui/language.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vesk::layout {

// A system colour follows the user's colour scheme.
enum class SystemColour { WindowText, ButtonText, ButtonFace, WindowBackground };

struct Colour {
    enum class Type { None, Fixed, System };
    Type type = Type::None;
    Rgb rgb{0, 0, 0};
    SystemColour role = SystemColour::WindowText;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour none()
{
    return {};
}
constexpr Colour fixed(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return {Colour::Type::Fixed, {r, g, b}, SystemColour::WindowText};
}
constexpr Colour system(SystemColour role)
{
    return {Colour::Type::System, {0, 0, 0}, role};
}

// A fixed colour as the web writes it: "#rrggbb".
inline std::string hex(Rgb rgb)
{
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t c : {rgb.r, rgb.g, rgb.b}) {
        text += kDigits[c >> 4];
        text += kDigits[c & 15];
    }
    return text;
}

inline constexpr Colour kMidGrey = fixed(128, 128, 128);
inline constexpr Colour kLightGrey = fixed(192, 192, 192);
inline constexpr Colour kWhite = fixed(255, 255, 255);
inline constexpr Colour kPureYellow = fixed(255, 255, 0);
// An active window's title bar and its caption, as the design's desktop draws
// them; only a front-end that draws its own title bars (the web page) uses it.
inline constexpr Colour kActiveCaption = fixed(0, 0, 128);
inline constexpr Colour kActiveCaptionText = kWhite;

// Both windows letter in "MS Sans Serif" 8.25 points, character set 0; a
// control is bold unless its row says otherwise.
struct Font {
    const char* face;
    double points;
    int weight; // 400 normal, 700 bold
};
inline constexpr const char* kFace = "MS Sans Serif";
inline constexpr double kPoints = 8.25;
constexpr Font font(bool bold)
{
    return {kFace, kPoints, bold ? 700 : 400};
}
// The font's size in pixels at the design's 96 dots per inch: 11.
inline constexpr double kPixels = kPoints * 96 / 72;

enum class Kind { Label, TextBox, ScrollBar, Button, Image };
enum class Align { Left, Right, Centre };
// The title bar's buttons: minimise and close, or close alone. Never maximise.
enum class Frame { MinimiseAndClose, CloseOnly };
// What a screen reader calls the window.
enum class Role { Window, Dialog };

// A control whose text a language's word for it is too long for, however
// worded: its width in that language, in twips. English, and every language
// not named, keep the table's width.
struct Widened {
    const char* language; // a shipped tag
    const char* control;  // a control's name
    int width;
};

struct Window {
    const char* name;
    const char* caption;
    Frame frame;
    int width, height; // of the client area, in twips
    Colour background, foreground;
    Role role;
    // Where its texts are looked up in the user's language (language.h).
    const char* texts;
    std::span<const Widened> widened = {};
};

struct Control {
    const char* name;
    Kind kind;
    int left, top, width, height; // twips, from the client area's top-left corner
    // Caption or text at creation, UTF-8 and in English, "&" marking an
    // access key; for an image, the file name of its picture.
    const char* text;
    Colour background, foreground;
    bool bold;
    Align align;
    const char* accessibleName = nullptr;        // where the text does not say it
    const char* accessibleDescription = nullptr; // what a result means
    // Another control this one goes with: the label whose caption names a
    // result, or the text box a scroll bar sets.
    const char* partner = nullptr;
    // A label the program writes a result into: the user may select and copy
    // it, and a screen reader is told when it changes.
    bool result = false;
};

// Marks a result label's row.
inline constexpr bool kResult = true;

// What a screen reader is told a control means, beyond its name, for a
// front-end that names a control by its partner's caption: nothing where
// that would only say the name again.
inline const char* describedAs(std::span<const Control> controls, const Control& c)
{
    if (c.accessibleDescription == nullptr || c.partner == nullptr)
        return c.accessibleDescription;
    for (const Control& other : controls)
        if (std::string_view(other.name) == c.partner &&
            std::string_view(other.text) == c.accessibleDescription)
            return nullptr;
    return c.accessibleDescription;
}

struct Line {
    const char* name;
    int x1, y1, x2, y2; // twips
    Colour colour;
};

// A user's step of a scroll bar, for a front-end whose scroll bar leaves the
// moving to the program: an arrow, the trough beside the thumb, or a key.
enum class ScrollAction { LineLeft, LineRight, PageLeft, PageRight, ToLeft, ToRight };

// Only these take the keyboard focus; labels and images never do.
constexpr bool takesFocus(Kind kind)
{
    return kind == Kind::TextBox || kind == Kind::ScrollBar || kind == Kind::Button;
}

// Twips to pixels at a screen's dots per inch: 15 to the pixel at 96, 10 at
// 144. A part pixel is dropped, as the layouts were drawn on whole pixels at 96.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;
constexpr int toPixels(int twips, int dpi = kDesignDpi)
{
    return twips * dpi / kTwipsPerInch;
}

struct Rect {
    int x, y, width, height;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect place(const Control& c, int dpi = kDesignDpi)
{
    return {toPixels(c.left, dpi), toPixels(c.top, dpi), toPixels(c.width, dpi),
            toPixels(c.height, dpi)};
}

// A control's place in the language in use: the table's, but for a width its
// window widens it to in that language.
inline Rect placeIn(const Window& window, const Control& c, int dpi = kDesignDpi)
{
    Control placed = c;
    for (const Widened& w : window.widened)
        if (language::InUse() == w.language && std::string_view(c.name) == w.control)
            placed.width = w.width;
    return place(placed, dpi);
}

// The pixels of a 1-pixel line drawn from (x1, y1) towards (x2, y2),
// horizontal or vertical; like the line drawing it stands for, it leaves out
// the end point (x2, y2) itself.
constexpr Rect pixels(const Line& l, int dpi = kDesignDpi)
{
    const int ax = toPixels(l.x1, dpi), ay = toPixels(l.y1, dpi);
    const int bx = toPixels(l.x2, dpi), by = toPixels(l.y2, dpi);
    if (ay == by) {
        const int left = ax <= bx ? ax : bx + 1;
        return {left, ay, ax <= bx ? bx - ax : ax - bx, 1};
    }
    const int top = ay <= by ? ay : by + 1;
    return {ax, top, 1, ay <= by ? by - ay : ay - by};
}

} // namespace vesk::layout
