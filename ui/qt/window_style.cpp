// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/window_style.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace vesk::style {
namespace {

// The designed face is a Windows bitmap font. Where it is not installed, the
// first of these that is stands in: they have the metrics the layouts were
// drawn for. Asking for an installed face by its own name also spares the
// toolkit a search for fallbacks of a face that is not there. The installed
// families are read once and searched here, as the font database would for
// each name, without a pass of the system's substitutions for every one.
bool installed(const QStringList& families, const QString& face)
{
    for (const QString& family : families)
        if (family.compare(face, Qt::CaseInsensitive) == 0 ||
            (family.size() > face.size() && family.at(face.size()) == QLatin1Char(' ') &&
             family.startsWith(face + QLatin1String(" ["), Qt::CaseInsensitive)))
            return true; // "Face [Foundry]" where two foundries make it
    return false;
}

const QString& face()
{
    static const QString chosen = [] {
        const QStringList faces = {QLatin1String(layout::kFace), QStringLiteral("Liberation Sans"),
                                   QStringLiteral("Arimo"), QStringLiteral("Arial"),
                                   QStringLiteral("DejaVu Sans")};
        const QStringList families = QFontDatabase::families();
        for (const QString& f : faces)
            if (installed(families, f))
                return f;
        return faces.front(); // the toolkit's own choice, then
    }();
    return chosen;
}

} // namespace

QFont windowFont(bool bold)
{
    const layout::Font designed = layout::font(bold);
    QFont font(face());
    font.setPointSizeF(designed.points);
    font.setWeight(designed.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

QPalette::ColorRole role(layout::SystemColour colour, bool editable)
{
    switch (colour) {
    case layout::SystemColour::WindowText:
        return editable ? QPalette::Text : QPalette::WindowText;
    case layout::SystemColour::ButtonText:
        return QPalette::ButtonText;
    case layout::SystemColour::ButtonFace:
        return QPalette::Button;
    case layout::SystemColour::WindowBackground:
        return QPalette::Base;
    }
    return QPalette::NoRole;
}

QColor toQColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

void applyColours(QWidget& widget, layout::Colour background, layout::Colour text, bool editable)
{
    using Type = layout::Colour::Type;
    QPalette palette = widget.palette();
    switch (background.type) {
    case Type::Fixed:
        palette.setColor(QPalette::Window, toQColor(background.rgb));
        widget.setAutoFillBackground(true);
        break;
    case Type::System:
        widget.setBackgroundRole(role(background.role, editable)); // drawn by the widget's style
        break;
    case Type::None:
        break;
    }
    switch (text.type) {
    case Type::Fixed:
        for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(r, toQColor(text.rgb));
        break;
    case Type::System:
        widget.setForegroundRole(role(text.role, editable));
        break;
    case Type::None:
        break;
    }
    widget.setPalette(palette);
}

} // namespace vesk::style
