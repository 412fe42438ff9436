// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/text_box.h"

#include <QKeyEvent>

namespace vesk {

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    if (!keyPress_ || (!enter && text.isEmpty())) {
        QLineEdit::keyPressEvent(event); // not a character key
        return;
    }
    const std::uint16_t typed = enter ? 13 : text.front().unicode();
    std::uint16_t code = typed;
    keyPress_(code);
    if (code == 0) {
        event->accept();
    } else if (code == typed) {
        QLineEdit::keyPressEvent(event);
    } else {
        insert(QString(QChar(code)));
        event->accept();
    }
}

} // namespace vesk
