// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/window_style.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace vesk::style {
namespace {

// The designed face is a Windows bitmap font. Where it is not installed, the
// first of these that is stands in: they have the metrics the layouts were
// drawn for. Asking for an installed face by its own name also spares the
// toolkit a search for fallbacks of a face that is not there.
const QString& face()
{
    static const QString chosen = [] {
        const QStringList faces = {QStringLiteral("MS Sans Serif"),
                                   QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
        for (const QString& f : faces)
            if (QFontDatabase::hasFamily(f))
                return f;
        return faces.front(); // the toolkit's own choice, then
    }();
    return chosen;
}

} // namespace

QFont windowFont(bool bold)
{
    QFont font(face());
    font.setPointSizeF(8.25);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

void applyColours(QWidget& widget, Colour background, Colour text)
{
    QPalette palette = widget.palette();
    switch (background.type) {
    case Colour::Type::Fixed:
        palette.setColor(QPalette::Window, QColor::fromRgb(background.rgb));
        widget.setAutoFillBackground(true);
        break;
    case Colour::Type::System:
        widget.setBackgroundRole(background.role); // drawn by the widget's style
        break;
    case Colour::Type::None:
        break;
    }
    switch (text.type) {
    case Colour::Type::Fixed:
        palette.setColor(QPalette::WindowText, QColor::fromRgb(text.rgb));
        palette.setColor(QPalette::Text, QColor::fromRgb(text.rgb));
        palette.setColor(QPalette::ButtonText, QColor::fromRgb(text.rgb));
        break;
    case Colour::Type::System:
        widget.setForegroundRole(text.role);
        break;
    case Colour::Type::None:
        break;
    }
    widget.setPalette(palette);
}

} // namespace vesk::style
