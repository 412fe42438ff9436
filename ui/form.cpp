// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/form.h"

#include <QAccessibleWidget>

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

} // namespace

void setUp(QWidget& window, const Window& w)
{
    static const bool installed = (QAccessible::installFactory(windowRole), true);
    (void)installed;
    window.setProperty(kRole, int(w.role));
    window.setObjectName(QLatin1String(w.name));
    window.setWindowTitle(QString::fromUtf8(w.caption));
    window.setWindowFlags(w.flags);
    style::applyColours(window, w.background, w.foreground);
    window.setFixedSize(twips::size(w.width, w.height));
}

void setFont(QWidget& window)
{
    window.setFont(style::windowFont());
}

QWidget* create(QWidget& window, Kind kind, const char* name, QRect place, const char* text,
                style::Colour background, style::Colour foreground, bool bold,
                Qt::Alignment alignment)
{
    const QString caption = QString::fromUtf8(text);
    QWidget* w = nullptr;
    switch (kind) {
    case Kind::Label: {
        auto* label = new QLabel(caption, &window); // no margin, and it never takes the focus
        label->setAlignment(alignment);
        w = label;
        break;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(&window);
        box->setMaxLength(std::numeric_limits<int>::max()); // Qt's default cuts at 32767
        box->setText(caption);
        box->setAlignment(alignment);
        w = box;
        break;
    }
    case Kind::ScrollBar:
        w = new ScrollBar(&window);
        w->setFocusPolicy(Qt::StrongFocus);
        break;
    case Kind::Button: {
        auto* button = new QPushButton(caption, &window); // neither default nor cancel button
        button->setAutoDefault(false);
        w = button;
        break;
    }
    case Kind::Image:
        w = new Picture(&window);
        break;
    }
    w->setObjectName(QLatin1String(name));
    w->setGeometry(place);
    style::applyColours(*w, background, foreground);
    if (!bold)
        w->setFont(style::windowFont(false));
    return w;
}

void finish(QWidget& window, std::span<QWidget* const> inTabOrder, std::span<const Line> lines)
{
    for (const Line& l : lines) {
        auto* line = new QWidget(&window);
        line->setObjectName(QLatin1String(l.name));
        line->setGeometry(twips::line(l.x1, l.y1, l.x2, l.y2));
        style::applyColours(*line, l.colour, style::none());
        line->setAutoFillBackground(true);
    }
    QWidget* previous = nullptr;
    for (QWidget* w : inTabOrder) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, w);
        else
            w->setFocus(Qt::OtherFocusReason);
        previous = w;
    }
}

} // namespace vesk::form
