#include "ui/window_style.h"

#include <QStringList>
#include <QWidget>

namespace vesk::style {
namespace {

const QString& designedFace()
{
    static const QString face = QStringLiteral("MS Sans Serif");
    return face;
}

// The designed face is a Windows bitmap font; these have the metrics the
// layouts were drawn for, the first one found wins.
void installFontSubstitutes()
{
    static const bool once = [] {
        QFont::insertSubstitutions(designedFace(),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)once;
}

} // namespace

QFont windowFont(bool bold)
{
    installFontSubstitutes();
    QFont font(designedFace());
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
