// The Graph tab and the side calculators: a graph refresh with a comparison load out to
// 1500 yd, a point-blank search for a 1000-yd load, and a chronograph correction. The solver
// libraries are found through QUORVEL_APPDIR (the build's bin folder).
#include "BenchSupport.h"
#include "load/CPointBlank.h"
#include "load/GraphModel.h"
#include "load/InputFields.h"
#include "load/LoadFile.h"
#include "load/TableRefresh.h"
#include "services/CChronoVelocity.h"
#include "services/CFileData.h"
#include "services/Prompt.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void loadTo(LoadModel& model, const char* maxRange) {
    model.form = LoadForm::initial();
    model.refreshAllFields();
    model.setFieldText(InputFields::MaxRange, QString::fromLatin1(maxRange));
    model.setFieldText(InputFields::Increments, QStringLiteral("50"));
}

void BM_GraphRefreshWithComparison1500Yards(benchmark::State& state) {
    SilentPrompt silent;
    Prompt* previous = installPrompt(&silent);
    QTemporaryDir dir;
    LoadModel model;
    loadTo(model, "1500");
    // The comparison: a faster, sleeker bullet saved beside it.
    LoadForm other = model.form;
    other.fields[InputFields::Cartridge] = QStringLiteral("6.5 Creedmoor");
    other.fields[InputFields::MuzzleVelocity] = QStringLiteral("2850");
    other.fields[InputFields::Bc] = QStringLiteral(".61");
    QString outFile;
    outFile = dir.filePath(QStringLiteral("compare.qvt"));
    LoadFile::dataSaveTable(outFile, other);
    model.form.comparison.setFile(outFile);

    CTextOutput txt;
    QString datFile;
    GraphModel graph;
    size_t points = 0;
    for (auto _ : state) {
        const float angle = TableRefresh::prepareRefresh(model, txt);
        const GraphData d = graph.refresh(model, txt, angle);
        if (!d.comparing) {
            state.SkipWithError("no comparison (are the solver libraries in QUORVEL_APPDIR?)");
            break;
        }
        points = d.series1.size() + d.series2.size();
        benchmark::DoNotOptimize(d.series2.y.data());
    }
    state.counters["points"] = double(points);
    installPrompt(previous);
}
BENCHMARK(BM_GraphRefreshWithComparison1500Yards)->Unit(benchmark::kMillisecond);

void BM_PointBlank1000Yards(benchmark::State& state) {
    SilentPrompt silent;
    Prompt* previous = installPrompt(&silent);
    LoadModel model;
    loadTo(model, "1000");
    model.values.killZone = 10;
    model.values.groupSize = 1;
    CTextOutput txt;
    const float angle = TableRefresh::prepareRefresh(model, txt);
    CPointBlank pb;
    for (auto _ : state) {
        if (!pb.pointBlankRange(model.values.in1, angle, model)) {
            state.SkipWithError("no solver (is QUORVEL_APPDIR the build's bin folder?)");
            break;
        }
        benchmark::ClobberMemory(); // the results are read after the loop
    }
    state.counters["pointBlankRange"] = pb.pbRange;
    installPrompt(previous);
}
BENCHMARK(BM_PointBlank1000Yards)->Unit(benchmark::kMillisecond);

void BM_ChronographCorrection(benchmark::State& state) {
    SilentPrompt silent;
    Prompt* previous = installPrompt(&silent);
    CChronoVelocity chrono;
    float mv = 0;
    for (auto _ : state) {
        mv = chrono.chronoCorrect(0.45f, 15, 2700, QStringLiteral("0"));
        if (!(mv > 0)) {
            state.SkipWithError("no simulator solver (is QUORVEL_APPDIR the build's bin folder?)");
            break;
        }
        benchmark::ClobberMemory();
    }
    state.counters["iterations"] = chrono.iterations();
    installPrompt(previous);
}
BENCHMARK(BM_ChronographCorrection)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
