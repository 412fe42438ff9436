// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The windows' font and colours, as Qt draws them.
#pragma once

#include "ui/layout.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace vesk::style {

// "MS Sans Serif" 8.25 pt, bold unless asked otherwise. Where that face is not
// installed a metric-compatible one stands in for it. The first call reads the
// system's font list.
QFont windowFont(bool bold = true);

// The palette role that stands for a system colour on a widget: a text box
// draws its text and ground in the roles Qt keeps for editable text.
QPalette::ColorRole role(layout::SystemColour colour, bool editable = false);

QColor toQColor(Rgb rgb);

// Gives a widget its background and text colours. A fixed colour goes into the
// widget's own palette; a system one is taken through the palette role, so it
// changes with the user's scheme.
void applyColours(QWidget& widget, layout::Colour background, layout::Colour text,
                  bool editable = false);

} // namespace vesk::style
