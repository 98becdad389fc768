// The table writer end to end: one whole table text, and the graph's points, for a 1500-yd load.
// The solver libraries are found through QUORVEL_APPDIR (the build's bin folder).
#include "load/CTextOutput.h"
#include "load/CsvExport.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// The initial load out to 1500 yd in 50-yd steps, as the window holds it after start-up.
void longRangeLoad(LoadModel& model) {
    model.refreshAllFields();
    model.setFieldText(InputFields::MaxRange, QStringLiteral("1500"));
    model.setFieldText(InputFields::Increments, QStringLiteral("50"));
}

void BM_TableText1500Yards(benchmark::State& state) {
    LoadModel model;
    longRangeLoad(model);
    CTextOutput txt;
    for (auto _ : state) {
        const QString text = TableRefresh::table(model.snapshot(), txt).text;
        if (text.isEmpty()) {
            state.SkipWithError("no table (are the solver libraries in QUORVEL_APPDIR?)");
            break;
        }
        benchmark::DoNotOptimize(text.constData());
    }
}
BENCHMARK(BM_TableText1500Yards)->Unit(benchmark::kMillisecond);

void BM_GraphArrays1500Yards(benchmark::State& state) {
    LoadModel model;
    longRangeLoad(model);
    CTextOutput txt;
    const LoadSnapshot snapshot = model.snapshot();
    size_t points = 0;
    for (auto _ : state) {
        const TableResult graph = txt.graph(snapshot, snapshot.load());
        if (!graph.ok()) {
            state.SkipWithError("no graph points (are the solver libraries in QUORVEL_APPDIR?)");
            break;
        }
        points = graph.rows.size();
        benchmark::DoNotOptimize(graph.rows.data());
    }
    state.counters["points"] = double(points);
}
BENCHMARK(BM_GraphArrays1500Yards)->Unit(benchmark::kMillisecond);

// File > Export Table of a 1500-row table (1500 yd in 1-yd steps): the rows are computed once,
// the benchmark times the CSV text made from them.
void BM_CsvText1500Rows(benchmark::State& state) {
    LoadModel model;
    longRangeLoad(model);
    model.setFieldText(InputFields::Increments, QStringLiteral("1"));
    CTextOutput txt;
    const TableResult table = TableRefresh::table(model.snapshot(), txt);
    if (table.text.isEmpty() || table.rows.size() != 1501) {
        state.SkipWithError("no table (are the solver libraries in QUORVEL_APPDIR?)");
        return;
    }
    for (auto _ : state) {
        const QByteArray csv = CsvExport::text(table.rows, table.columns);
        benchmark::DoNotOptimize(csv.constData());
    }
}
BENCHMARK(BM_CsvText1500Rows)->Unit(benchmark::kMillisecond);

// The whole export path of the window without the dialog: rows, text and CSV of 1500 rows.
void BM_CsvExport1500Rows(benchmark::State& state) {
    LoadModel model;
    longRangeLoad(model);
    model.setFieldText(InputFields::Increments, QStringLiteral("1"));
    CTextOutput txt;
    QString problem;
    QList<Problem> failures;
    for (auto _ : state) {
        const QByteArray csv = CsvExport::tableCsv(model.snapshot(), txt, problem, failures);
        if (csv.isEmpty()) {
            state.SkipWithError("no table (are the solver libraries in QUORVEL_APPDIR?)");
            break;
        }
        benchmark::DoNotOptimize(csv.constData());
    }
}
BENCHMARK(BM_CsvExport1500Rows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
