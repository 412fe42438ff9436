// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/form.h"

#include "ui/qt/picture.h"
#include "ui/qt/scroll_bar.h"
#include "ui/qt/text_box.h"
#include "ui/qt/window_style.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <limits>

namespace vesk::form {
namespace {

constexpr char kRole[] = "vesk-accessible-role";

// A plain widget would show to a screen reader as a featureless filler: a
// window tells its role as it is set up.
QAccessibleInterface* windowRole(const QString&, QObject* object)
{
    const QVariant role = object->property(kRole);
    if (!role.isValid() || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Role(role.toInt()));
}

// Neither the default nor the cancel button of its window; but as on every
// desktop, Enter presses the button that has the focus, however it got there.
class Button : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const auto key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// A picture of the program's resources, by its file name. Read as what its
// name says it is: a reader left to guess would first load and ask every
// image format plugin, which costs the program's start several milliseconds.
QImage picture(const QString& name)
{
    QImageReader reader(QStringLiteral(":/assets/") + name,
                        name.section(QLatin1Char('.'), -1).toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QRect toQRect(layout::Rect r)
{
    return {r.x, r.y, r.width, r.height};
}

Qt::WindowFlags flags(layout::Frame frame)
{
    constexpr Qt::WindowFlags fixed = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (frame == layout::Frame::MinimiseAndClose)
        return Qt::Window | fixed | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    return Qt::Dialog | fixed;
}

Qt::Alignment alignment(layout::Align align)
{
    switch (align) {
    case layout::Align::Left:
        return Qt::AlignLeft | Qt::AlignTop;
    case layout::Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case layout::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    }
    return {};
}

// A text of the window's in the language in use.
QString text(const layout::Window& w, const char* english)
{
    return QString::fromUtf8(language::Text(w.texts, english));
}

QWidget* create(QWidget& window, const layout::Window& table, const layout::Control& c)
{
    const QString caption = text(table, c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
    case layout::Kind::Label: {
        auto* label = new QLabel(caption, &window); // no margin, and it never takes the focus
        label->setAlignment(alignment(c.align));
        if (c.result) {
            // Its value shows to the mouse for selecting and copying, but
            // it never takes the keyboard focus.
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label->setFocusPolicy(Qt::NoFocus);
            label->setContextMenuPolicy(Qt::DefaultContextMenu);
        }
        w = label;
        break;
    }
    case layout::Kind::TextBox: {
        auto* box = new TextBox(&window);
        box->setMaxLength(std::numeric_limits<int>::max()); // Qt's default cuts at 32767
        box->setText(caption);
        box->setAlignment(alignment(c.align));
        w = box;
        break;
    }
    case layout::Kind::ScrollBar:
        w = new ScrollBar(&window);
        w->setFocusPolicy(Qt::StrongFocus);
        break;
    case layout::Kind::Button: {
        auto* button = new Button(caption, &window);
        button->setAutoDefault(false);
        w = button;
        break;
    }
    case layout::Kind::Image: {
        auto* image = new Picture(&window);
        image->setImage(picture(caption));
        w = image;
        break;
    }
    }
    w->setObjectName(QLatin1String(c.name));
    w->setGeometry(toQRect(layout::placeIn(table, c)));
    style::applyColours(*w, c.background, c.foreground, c.kind == layout::Kind::TextBox);
    if (!c.bold)
        w->setFont(style::windowFont(false));
    if (c.accessibleName != nullptr)
        w->setAccessibleName(text(table, c.accessibleName));
    if (c.accessibleDescription != nullptr)
        w->setAccessibleDescription(text(table, c.accessibleDescription));
    return w;
}

constexpr char kDesignedPalette[] = "vesk-designed-palette";
constexpr char kDesignedFill[] = "vesk-designed-fill";

// A colour of the table as drawn under more contrast.
QColor resolved(layout::Colour c)
{
    return style::toQColor(c.type == layout::Colour::Type::Fixed ? c.rgb
                                                                 : layout::moreContrast(c.role));
}

// Paints `widget` with `colours` resolved for more contrast, every role its
// style may draw a ground or a text with; its designed palette is kept to
// be given back.
void paintMore(QWidget& widget, layout::Colours colours)
{
    if (!widget.property(kDesignedPalette).isValid()) {
        widget.setProperty(kDesignedPalette, QVariant::fromValue(widget.palette()));
        widget.setProperty(kDesignedFill, widget.autoFillBackground());
    }
    QPalette palette = widget.palette();
    if (colours.ground.type != layout::Colour::Type::None) {
        for (QPalette::ColorRole r : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(r, resolved(colours.ground));
        widget.setAutoFillBackground(true);
    }
    if (colours.text.type != layout::Colour::Type::None)
        for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(r, resolved(colours.text));
    widget.setPalette(palette);
}

// Gives `widget` back the palette it was built with.
void paintDesigned(QWidget& widget)
{
    const QVariant designed = widget.property(kDesignedPalette);
    if (!designed.isValid())
        return;
    widget.setPalette(designed.value<QPalette>());
    widget.setAutoFillBackground(widget.property(kDesignedFill).toBool());
    widget.setProperty(kDesignedPalette, QVariant());
    widget.setProperty(kDesignedFill, QVariant());
}

} // namespace

void recolour(QWidget& window, std::span<const layout::Control> controls,
              std::span<QWidget* const> made, layout::Contrast contrast)
{
    const bool more = contrast != layout::Contrast::Designed;
    const layout::Colour ground = layout::system(layout::SystemColour::WindowBackground);
    const layout::Colour text = layout::system(layout::SystemColour::WindowText);
    if (more)
        paintMore(window, {ground, text});
    else
        paintDesigned(window);
    for (std::size_t i = 0; i < controls.size() && i < made.size(); ++i) {
        const layout::Control& c = controls[i];
        if (c.kind == layout::Kind::Image || c.kind == layout::Kind::ScrollBar)
            continue; // drawn as designed
        if (more)
            paintMore(*made[i], layout::drawn(c, contrast));
        else
            paintDesigned(*made[i]);
    }
}

void setUp(QWidget& window, const layout::Window& w)
{
    static const bool installed = (QAccessible::installFactory(windowRole), true);
    (void)installed;
    window.setProperty(
        kRole, int(w.role == layout::Role::Window ? QAccessible::Window : QAccessible::Dialog));
    window.setObjectName(QLatin1String(w.name));
    window.setWindowTitle(text(w, w.caption));
    window.setWindowFlags(flags(w.frame));
    style::applyColours(window, w.background, w.foreground);
    window.setFixedSize(layout::toPixels(w.width), layout::toPixels(w.height));
}

std::vector<QWidget*> build(QWidget& window, const layout::Window& table,
                            std::span<const layout::Control> controls,
                            std::span<const layout::Line> lines)
{
    window.setFont(style::windowFont());
    std::vector<QWidget*> made;
    made.reserve(controls.size());
    for (const layout::Control& c : controls)
        made.push_back(create(window, table, c));
    for (const layout::Line& l : lines) {
        auto* line = new QWidget(&window);
        line->setObjectName(QLatin1String(l.name));
        line->setGeometry(toQRect(layout::pixels(l)));
        style::applyColours(*line, l.colour, layout::none());
        line->setAutoFillBackground(true);
    }
    QWidget* previous = nullptr;
    for (QWidget* w : made) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, w);
        else
            w->setFocus(Qt::OtherFocusReason);
        previous = w;
    }
    return made;
}

} // namespace vesk::form
