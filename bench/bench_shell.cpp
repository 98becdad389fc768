// The main window's costs a user feels: starting the program up to the first shown window, and
// switching to the Table tab for a long-range load.
#include "BenchSupport.h"
#include "load/LoadFile.h"
#include "services/MSmallBallStruct.h"
#include "services/Prompt.h"
#include "shell/InputTab.h"
#include "shell/ui.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StartUpToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<FreshAppFolder>();
        state.ResumeTiming();
        {
            ui window;
            window.show();
            QApplication::processEvents();
            benchmark::DoNotOptimize(window.isVisible());
            window.hide();
        }
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void BM_SwitchToTableTab1500Yards(benchmark::State& state) {
    FreshAppFolder folder;
    ui window;
    window.inputTab->txtInput(3)->setText("1500");
    window.inputTab->txtInput(5)->setText("25");
    window.show();
    QApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        // A different name each time, so the table box really takes a new text.
        window.inputTab->txtInput(0)->setText(QStringLiteral("Long range %1").arg(++round));
        window.sstUI->setCurrentIndex(ui::InputPage);
        window.sstUI->setCurrentIndex(ui::TablePage);
        QApplication::processEvents();
    }
    window.hide();
}
BENCHMARK(BM_SwitchToTableTab1500Yards)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true); // never touch the user's recent-file list
    QApplication app(argc, argv);
    SilentPrompt silent;
    installPrompt(&silent);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    installPrompt(nullptr);
    return 0;
}
