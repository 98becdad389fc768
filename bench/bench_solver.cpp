// Solver timings: a zeroed trajectory (three integration runs) at the table's 16 steps per yard,
// and reading a whole table of rows.
#include "SolverRecord.h"
#include "Trajectory.h"

#include <benchmark/benchmark.h>

namespace {

SolverRecord load(float maxYards) {
    SolverRecord r{};
    r.muzzleVelocity = 2635;
    r.ballisticCoef = 0.495f;
    r.flightTime = 2;
    r.maxRange = maxYards;
    r.sightHeight = 2.6f;
    r.windSpeed = 10;
    r.zeroRange = 127;
    r.stepRate = int16_t(8 * maxYards);
    r.isZeroed = 1;
    return r;
}

int16_t steps(float maxYards) {
    return int16_t(16 * maxYards);
}

void zeroedTrajectory(benchmark::State& state) {
    const float maxYards = float(state.range(0));
    const SolverRecord record = load(maxYards);
    trajcore::memAlloc(steps(maxYards));
    for (auto _ : state)
        benchmark::DoNotOptimize(trajcore::calcPre(&record));
    trajcore::memDeAlloc();
    state.counters["steps"] = steps(maxYards);
}
BENCHMARK(zeroedTrajectory)->Arg(1000)->Arg(1500)->Unit(benchmark::kMillisecond);

void tableRows(benchmark::State& state) {
    const float maxYards = 1500, increment = 50;
    const SolverRecord record = load(maxYards);
    trajcore::memAlloc(steps(maxYards));
    trajcore::calcPre(&record);
    for (auto _ : state) {
        SolverRow row{};
        int16_t start = 1;
        for (float range = 0; range <= maxYards; range += increment) {
            start = trajcore::printOneLine(&row, range, start);
            benchmark::DoNotOptimize(row);
        }
    }
    trajcore::memDeAlloc();
}
BENCHMARK(tableRows)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
