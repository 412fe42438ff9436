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
    std::uint16_t code = enter ? 13 : text.front().unicode();
    keyPress_(code);
    if (code == 0)
        event->accept();
    else
        QLineEdit::keyPressEvent(event);
}

} // namespace vesk
