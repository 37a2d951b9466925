// How long the computation and the compute command take.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <string>

#include "core/kill_rows.h"
#include "qt/main_window.h"

namespace {

void ComputeOneCharacterEntries(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rongxi::core::ComputeKillRows(u"1", u"2", u"3"));
}
BENCHMARK(ComputeOneCharacterEntries);

void ComputeLongEntries(benchmark::State& state) {
    const std::u16string decimal = u"-123456.789012345e-3";
    const std::u16string hex = u"&H" + std::u16string(200, u'F');
    const std::u16string digits(10000, u'7');
    for (auto _ : state)
        benchmark::DoNotOptimize(rongxi::core::ComputeKillRows(decimal, hex, digits));
}
BENCHMARK(ComputeLongEntries);

// A click on 杀垃圾 in the offscreen window, from the mouse event to the six
// rows written (the repaint that follows is Qt's, and is not counted).
void ComputeCommand(benchmark::State& state) {
    rongxi::qt::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not shown");
    auto* compute = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* lastRow = window.findChild<QLineEdit*>(QStringLiteral("Text9"));
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        window.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QStringLiteral("5"));
    }
    for (auto _ : state) {
        lastRow->clear();
        QTest::mouseClick(compute, Qt::LeftButton);
        benchmark::DoNotOptimize(lastRow->text().size());
    }
    if (lastRow->text() != QStringLiteral("7801234*7801234*7801234")) {
        state.SkipWithError("the rows were not written");
    }
}
BENCHMARK(ComputeCommand)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
