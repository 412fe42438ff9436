// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The windows' colours when the user asks for more contrast. The design's
// grey grounds give its texts 5.3:1 at best, and its results 3.7:1 (yellow)
// and 2.9:1 (green); asked for more, every text reaches 7:1. Where the
// system keeps colours for it (Windows' high contrast), the windows take
// them, results included, as Windows asks every program to; elsewhere (the
// page, the Linux desktop) they take this file's white on black, and the
// results keep their yellow and green, which stand out on black.
#pragma once

#include "ui/layout.h"

#include <cstdint>

namespace vesk::layout {

enum class Contrast {
    Designed,      // the tables' colours, as drawn
    More,          // white on black, results in their own colours
    SystemColours, // the system's colours only (Windows' high contrast)
};

// A control's ground and text as drawn.
struct Colours {
    Colour ground, text;
};

// A window's ground under `contrast`: a fixed one takes the window
// background's role when more is asked for.
constexpr Colour ground(const Window& w, Contrast contrast)
{
    return contrast == Contrast::Designed || w.background.type != Colour::Type::Fixed
               ? w.background
               : system(SystemColour::WindowBackground);
}

// A control's colours under `contrast`. Asked for more, a fixed ground takes
// the window background's role (a control without one stands on the
// window's, which does too), and the text the role that goes with its
// ground: button text on a button's face, window text on anything else. A
// result keeps its own colour under More, and takes the role under
// SystemColours. Lines are drawn as designed.
constexpr Colours drawn(const Control& c, Contrast contrast)
{
    if (contrast == Contrast::Designed || c.kind == Kind::Image || c.kind == Kind::ScrollBar)
        return {c.background, c.foreground};
    const Colour ground = c.background.type == Colour::Type::Fixed
                              ? system(SystemColour::WindowBackground)
                              : c.background;
    if (c.result && contrast == Contrast::More)
        return {ground, c.foreground};
    const bool onFace =
        ground.type == Colour::Type::System && ground.role == SystemColour::ButtonFace;
    return {ground, system(onFace ? SystemColour::ButtonText : SystemColour::WindowText)};
}

// The colour the program gives a result while it runs (the method word's),
// as drawn under `contrast`.
constexpr Colour resultColour(Rgb designed, Contrast contrast)
{
    return contrast == Contrast::SystemColours ? system(SystemColour::WindowText)
                                               : Colour{Colour::Type::Fixed, designed, {}};
}

// The roles' colours under More, where the system has none of its own.
constexpr Rgb moreContrast(SystemColour role)
{
    switch (role) {
    case SystemColour::WindowText:
    case SystemColour::ButtonText:
        return {255, 255, 255};
    case SystemColour::ButtonFace:
    case SystemColour::WindowBackground:
        break;
    }
    return {0, 0, 0};
}

// WCAG 2's contrast ratio of two colours: 1 (the same) to 21 (black on white).
double ContrastRatio(Rgb a, Rgb b);

} // namespace vesk::layout
