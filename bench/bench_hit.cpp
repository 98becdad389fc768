// The hit probability of a 1000-yd load at 50-yd steps: the whole table by the linear method (the
// flights with each error moved either way, and the propagation) as the dialog makes it, and the
// seeded Monte Carlo check with 10,000 shots per row. The solver libraries are found through
// QUORVEL_APPDIR (the build's bin folder).
#include "load/HitTable.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"

#include <benchmark/benchmark.h>

namespace {

void thousandYardLoad(LoadModel& model) {
    model.refreshAllFields();
    model.setFieldText(InputFields::MaxRange, QStringLiteral("1000"));
    model.setFieldText(InputFields::Increments, QStringLiteral("50"));
}

void BM_HitTableLinear1000Yards(benchmark::State& state) {
    LoadModel model;
    thousandYardLoad(model);
    size_t rows = 0;
    for (auto _ : state) {
        const HitTable::Result result = HitTable::compute(model.snapshot(), HitInputs());
        if (!result.ok()) {
            state.SkipWithError("no rows (are the solver libraries in QUORVEL_APPDIR?)");
            break;
        }
        rows = result.rows.size();
        benchmark::DoNotOptimize(result.rows.data());
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_HitTableLinear1000Yards)->Unit(benchmark::kMillisecond);

// The flights and 10,000 shots at each of the 21 rows.
void BM_HitMonteCarlo10000Shots(benchmark::State& state) {
    LoadModel model;
    thousandYardLoad(model);
    for (auto _ : state) {
        const LoadSnapshot snapshot = model.snapshot();
        const HitTable::Result result = HitTable::compute(snapshot, HitInputs());
        if (!result.ok()) {
            state.SkipWithError("no rows (are the solver libraries in QUORVEL_APPDIR?)");
            break;
        }
        const std::vector<double> pct =
            HitTable::monteCarlo(result, HitInputs(), 10000, 1, snapshot.metric());
        benchmark::DoNotOptimize(pct.data());
    }
}
BENCHMARK(BM_HitMonteCarlo10000Shots)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
