// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Makes a window and its controls from its layout table as Qt widgets: a
// label, a text box, a scroll bar, a push button or a picture for each row, in
// tab order, and the lines.
#pragma once

#include "ui/contrast.h"
#include "ui/layout.h"

#include <QWidget>

#include <span>
#include <vector>

namespace vesk::form {

// The window itself: its name, caption, frame, fixed size, colours and the
// role a screen reader gives it. Enough for a window that is never shown.
void setUp(QWidget& window, const layout::Window& w);

// The window's font, its controls and lines, in tab order, the first of them
// that takes the focus holding it, their texts in the language in use. The
// controls come back in the table's order.
std::vector<QWidget*> build(QWidget& window, const layout::Window& w,
                            std::span<const layout::Control> controls,
                            std::span<const layout::Line> lines);

// A control built from a row, as the widget its kind makes.
// Paints a built window and its controls (`made`, in the table's order) as
// the table draws them under `contrast`: asked for more, in the shared
// layer's colours for more contrast; otherwise exactly as built. A result's
// colour set while the program runs is the caller's to give again.
void recolour(QWidget& window, std::span<const layout::Control> controls,
              std::span<QWidget* const> made, layout::Contrast contrast);

template <class T> T* as(QWidget* control)
{
    Q_ASSERT(qobject_cast<T*>(control) != nullptr);
    return static_cast<T*>(control);
}

} // namespace vesk::form
