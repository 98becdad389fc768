// Solver timings: a zeroed trajectory (three integration runs) at the table's 16 steps per yard,
// reading a whole table of rows, and a whole zeroed table through the library's fast
// integration and through the plain reference in the same run, with their ratio printed last.
#include "Integration.h"
#include "ReferenceIntegration.h"
#include "SolverRecord.h"
#include "Trajectory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

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

// A whole table as the table writer makes it: allocate, integrate, rows every 50 yd, release.
template <int32_t (*calc)(const SolverRecord*) noexcept> void zeroedTable(benchmark::State& state) {
    const float maxYards = float(state.range(0));
    const SolverRecord record = load(maxYards);
    trajcore::resetFastRunFallbacks();
    for (auto _ : state) {
        trajcore::memAlloc(steps(maxYards));
        calc(&record);
        SolverRow row{};
        int16_t start = 1;
        for (float range = 0; range <= maxYards; range += 50) {
            start = trajcore::printOneLine(&row, range, start);
            benchmark::DoNotOptimize(row);
        }
        benchmark::DoNotOptimize(trajcore::memDeAlloc());
    }
    // Drag evaluations left to the exact way, per four evaluations a step of the full run; the
    // two shorter zeroing runs add evaluations too, so the true share is somewhat lower.
    if constexpr (calc == &trajcore::calcPre)
        state.counters["fallback%"] = 100.0 * double(trajcore::fastRunFallbacks()) /
                                      (4.0 * steps(maxYards) * double(state.iterations()));
}
BENCHMARK_TEMPLATE(zeroedTable, trajcore::calcPreReference)
    ->Name("zeroedTable/reference")
    ->Arg(1000)
    ->Arg(1500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(zeroedTable, trajcore::calcPre)
    ->Name("zeroedTable/fast")
    ->Arg(1000)
    ->Arg(1500)
    ->Unit(benchmark::kMillisecond);

// Console output as usual, keeping each zeroed table's time (the median when repeated) so the
// ratio of the two integrations can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const bool median = run.aggregate_name == "median";
            if (name.rfind("zeroedTable/", 0) != 0 ||
                (!median && run.run_type != Run::RT_Iteration))
                continue;
            const std::string key = name.substr(0, name.find('_'));
            if (median || !medians.count(key)) times[key] = run.GetAdjustedCPUTime();
            if (median) medians[key] = true;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const {
        for (const char* yards : {"1000", "1500"}) {
            const auto ref = times.find(std::string("zeroedTable/reference/") + yards);
            const auto fast = times.find(std::string("zeroedTable/fast/") + yards);
            if (ref == times.end() || fast == times.end() || fast->second <= 0) continue;
            std::printf("zeroed table %s yd: reference %.3f ms, fast %.3f ms, %.2fx faster\n",
                        yards, ref->second, fast->second, ref->second / fast->second);
        }
    }

private:
    std::map<std::string, double> times;
    std::map<std::string, bool> medians;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
