// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What the program's windows share: their font and their colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace vesk::style {

// "MS Sans Serif" 8.25 pt, bold unless asked otherwise. Where that face is not
// installed a metric-compatible one stands in for it. The first call reads the
// system's font list.
QFont windowFont(bool bold = true);

// A colour given either as fixed RGB or as one of the system's roles, which
// follow the user's colour scheme.
struct Colour {
    enum class Type { None, Fixed, System };
    Type type = Type::None;
    QRgb rgb = 0;
    QPalette::ColorRole role = QPalette::NoRole;
};

constexpr Colour none()
{
    return {};
}
constexpr Colour fixed(int r, int g, int b)
{
    return {Colour::Type::Fixed, qRgb(r, g, b), QPalette::NoRole};
}
constexpr Colour system(QPalette::ColorRole role)
{
    return {Colour::Type::System, 0, role};
}

// The fixed colours the windows use.
inline constexpr Colour kMidGrey = fixed(128, 128, 128);
inline constexpr Colour kLightGrey = fixed(192, 192, 192);
inline constexpr Colour kWhite = fixed(255, 255, 255);
inline constexpr Colour kPureYellow = fixed(255, 255, 0);

// Gives a widget its background and text colours. A fixed colour goes into the
// widget's own palette; a system one is taken through the palette role, so it
// changes with the user's scheme.
void applyColours(QWidget& widget, Colour background, Colour text);

} // namespace vesk::style
