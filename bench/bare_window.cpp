// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The yardsticks for start-up: an empty Qt Widgets window of the calculator's
// size, and (with --text) the same window showing one line of text, which is
// what loading the system's fonts costs any window that shows words.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(315, 139);
    if (argc > 1 && QByteArray(argv[1]) == "--text")
        new QLabel(QStringLiteral("Multiple of c"), &window);
    window.show();
    return app.exec();
}
