// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// One Enter in the text box, from the key event to the updated labels, on the
// offscreen platform: with a new factor (the scroll bar moves, two
// recalculations) and with the same one again (one recalculation).
#include "ui/qt/main_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

struct Window {
    Window()
    {
        form.show();
        box = form.findChild<QLineEdit*>(QStringLiteral("txtVesk"));
        box->setFocus();
    }
    vesk::MainWindow form;
    QLineEdit* box;
};

void BM_EnterNewFactor(benchmark::State& state)
{
    Window w;
    const QString texts[] = {QStringLiteral("2.5"), QStringLiteral("9.95")};
    int i = 0;
    for (auto _ : state) {
        w.box->setText(texts[i ^= 1]);
        QTest::keyClick(w.box, Qt::Key_Return);
    }
}
BENCHMARK(BM_EnterNewFactor);

void BM_EnterSameFactor(benchmark::State& state)
{
    Window w;
    w.box->setText(QStringLiteral("9.95"));
    for (auto _ : state)
        QTest::keyClick(w.box, Qt::Key_Return);
}
BENCHMARK(BM_EnterSameFactor);

// What setting the text alone costs, to read the figures above without it.
void BM_SetTextOnly(benchmark::State& state)
{
    Window w;
    const QString texts[] = {QStringLiteral("2.5"), QStringLiteral("9.95")};
    int i = 0;
    for (auto _ : state)
        w.box->setText(texts[i ^= 1]);
}
BENCHMARK(BM_SetTextOnly);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
