// The main window's costs a user feels: starting the program up to the first shown window, and
// switching to the Table tab for a long-range load, and switching units there.
#include "BenchSupport.h"
#include "load/LoadFile.h"
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

// Switching the shooter's units between imperial and metric while the Table tab shows a
// 1500-yd load: the fields, captions and the table redrawn in the new units.
void BM_SwitchUnitsOnTableTab1500Yards(benchmark::State& state) {
    FreshAppFolder folder;
    ui window;
    window.inputTab->txtInput(3)->setText("1500");
    window.inputTab->txtInput(5)->setText("25");
    window.show();
    window.sstUI->setCurrentIndex(ui::TablePage);
    QApplication::processEvents();
    bool metric = false;
    for (auto _ : state) {
        metric = !metric;
        window.applyUnits(metric ? Units::ShownUnits::metric() : Units::ShownUnits::imperial());
        QApplication::processEvents();
    }
    window.hide();
}
BENCHMARK(BM_SwitchUnitsOnTableTab1500Yards)->Unit(benchmark::kMillisecond);

// A load whose notes hold `bytes` of text: many short lines, or a single line of them.
QString loadWithNotes(const QDir& folder, const QString& name, qsizetype bytes, bool oneLine) {
    LoadForm form = LoadForm::initial();
    form.dragIndex = 0;
    QString notes;
    notes.reserve(bytes + 64);
    for (int i = 0; notes.size() < bytes; ++i)
        notes += oneLine ? QStringLiteral("shot %1 2650 fps; ").arg(i)
                         : QStringLiteral("Shot %1: 2650 fps, SD 9\r\n").arg(i);
    form.notes = notes;
    QString datFile;
    datFile = folder.filePath(name);
    LoadFile::dataSaveTable(datFile, form);
    return datFile;
}

// Opening a load from the menu with 2 MB of notes, up to the shown Input tab.
void BM_OpenLoadWith2MbNotes(benchmark::State& state) {
    FreshAppFolder folder;
    QTemporaryDir files;
    const bool oneLine = state.range(0) != 0;
    const QString paths[] = {
        loadWithNotes(QDir(files.path()), QStringLiteral("a.qvt"), 2 * 1024 * 1024, oneLine),
        loadWithNotes(QDir(files.path()), QStringLiteral("b.qvt"), 2 * 1024 * 1024 + 100, oneLine)};
    ui window;
    window.show();
    QApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        window.loadDoc.loadFile(paths[++round % 2]);
        QApplication::processEvents();
    }
    state.SetLabel(oneLine ? "one long line" : "short lines");
    window.hide();
}
BENCHMARK(BM_OpenLoadWith2MbNotes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
