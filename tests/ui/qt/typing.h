// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Types a text into a widget key by key, as a keyboard would: a character
// outside ASCII comes as the key an input method gives it (no key code, the
// character as its text), which QTest::keyClicks cannot send.
#pragma once

#include <QTest>

namespace vesk::test {

inline void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace vesk::test
