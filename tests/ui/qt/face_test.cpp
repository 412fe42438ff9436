// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window where none of the faces that could stand in for its own is
// installed (the test runs with no_face.conf, which hides them): the
// designed face is asked for by its name, and the toolkit finds what it can.
#include "ui/qt/main_window.h"

#include <QFontDatabase>
#include <QTest>

class Face : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void whenNoneIsInstalled();
};

void Face::whenNoneIsInstalled()
{
    for (const char* f : {"MS Sans Serif", "Liberation Sans", "Arimo", "Arial", "DejaVu Sans"})
        QVERIFY2(!QFontDatabase::hasFamily(QLatin1String(f)),
                 "no_face.conf did not hide every face that could stand in");
    vesk::MainWindow form;
    for (QWidget* w : form.findChildren<QWidget*>())
        QCOMPARE(w->font().family(), QStringLiteral("MS Sans Serif"));
}

QTEST_MAIN(Face)
#include "face_test.moc"
