// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The floor of the calculator's start-up: a plain Qt Widgets program that
// makes the same two windows as the calculator, from the same tables, in the
// same font, colours and icon, the About window with its logo loaded and
// hidden, and nothing else: no handlers, no one-copy guard, no screen reader
// roles, no widgets of its own. Whatever the calculator spends beyond it is
// its own. The colours go on as the calculator puts them; the face is the one
// the calculator takes where the designed one is missing, named here.
#include "app/about_layout.h"
#include "ui/main_layout.h"
#include "ui/qt/icon.h"
#include "ui/qt/window_style.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <span>

namespace {

using namespace vesk::layout;

QFont font(bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(kPoints);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

QRect rect(Rect r)
{
    return {r.x, r.y, r.width, r.height};
}

Qt::Alignment alignment(Align align)
{
    return Qt::AlignTop | (align == Align::Left    ? Qt::AlignLeft
                           : align == Align::Right ? Qt::AlignRight
                                                   : Qt::AlignHCenter);
}

// English text -> the text shown instead (empty: the English itself).
using Texts = QHash<QByteArray, QString>;

// Reads pairs of NUL-ended strings, each English text then its translation.
Texts readTexts(const char* path)
{
    Texts texts;
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    const QList<QByteArray> parts = file.readAll().split('\0');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        texts.insert(parts[i], QString::fromUtf8(parts[i + 1]));
    return texts;
}

void make(QWidget& window, const Window& w, std::span<const Control> controls,
          std::span<const Line> lines, const Texts& texts)
{
    window.setWindowTitle(QString::fromUtf8(w.caption));
    window.setFixedSize(toPixels(w.width), toPixels(w.height));
    vesk::style::applyColours(window, w.background, w.foreground);
    window.setFont(font(true));
    for (const Control& c : controls) {
        QWidget* made = nullptr;
        const QString text = texts.value(QByteArray(c.text), QString::fromUtf8(c.text));
        switch (c.kind) {
        case Kind::Label: {
            auto* label = new QLabel(text, &window);
            label->setAlignment(alignment(c.align));
            made = label;
            break;
        }
        case Kind::TextBox: {
            auto* box = new QLineEdit(text, &window);
            box->setAlignment(alignment(c.align));
            made = box;
            break;
        }
        case Kind::ScrollBar: {
            auto* bar = new QScrollBar(Qt::Horizontal, &window);
            bar->setRange(vesk::main_layout::kLowestPosition, vesk::main_layout::kHighestPosition);
            made = bar;
            break;
        }
        case Kind::Button:
            made = new QPushButton(text, &window);
            break;
        case Kind::Image: // the picture is drawn from the logo when shown
            made = new QWidget(&window);
            break;
        }
        made->setGeometry(rect(place(c)));
        vesk::style::applyColours(*made, c.background, c.foreground, c.kind == Kind::TextBox);
        if (!c.bold)
            made->setFont(font(false));
    }
    for (const Line& l : lines) {
        auto* line = new QWidget(&window);
        line->setGeometry(rect(pixels(l)));
        vesk::style::applyColours(*line, l.colour, none());
        line->setAutoFillBackground(true);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QImageReader reader(QStringLiteral(":/assets/logo.bmp"), "bmp");
    reader.setAutoDetectImageFormat(false);
    const QImage logo = reader.read();
    QWidget main;
    main.setWindowIcon(vesk::calculatorIcon()); // its ready pixels, copied
    // --texts FILE: the controls show the texts of another language
    const Texts texts = argc > 2 && QByteArray(argv[1]) == "--texts" ? readTexts(argv[2]) : Texts();
    make(main, vesk::main_layout::kWindow, vesk::main_layout::kControls, vesk::main_layout::kLines,
         texts);
    QWidget about(&main, Qt::Dialog);
    make(about, vesk::about_layout::kWindow, vesk::about_layout::kControls,
         vesk::about_layout::kLines, texts);
    main.show();
    return app.exec();
}
