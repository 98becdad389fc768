// Precision engine timings: a zeroed table (zero search included) with rows every 50 yd, to
// 1000 and 2000 yd, without and with Coriolis (which takes a second flight); the longest table
// the window offers, 5000 yd at every yard; and a steep uphill shot in the mountains, where the
// air changes most along the path.
#include "precision/Precision.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

precision::DragCurve g7() {
    std::ifstream file(QUORVEL_DRAG_TABLE_DIR "/G7.csv");
    std::ostringstream text;
    text << file.rdbuf();
    precision::DragParse parsed = precision::parseDragCsv(text.str());
    if (!parsed.curve) throw std::runtime_error(parsed.error);
    return *parsed.curve;
}

// A .308 175 gr match load with wind, spin drift and powder temperature.
precision::Shot load(bool withLatitude) {
    precision::Shot shot;
    shot.muzzleVelocityFps = 2600;
    shot.weightGrains = 175;
    shot.bc = 0.243;
    shot.sightHeightIn = 1.5;
    shot.zeroRangeYd = 100;
    shot.windMph = 10;
    shot.windAngleDeg = 90;
    shot.temperatureF = 40;
    shot.humidityPct = 50;
    shot.twistIn = 10;
    shot.lengthIn = 1.24;
    shot.diameterIn = 0.308;
    shot.powderSensitivityFpsPerF = 1;
    if (withLatitude) shot.latitudeDeg = 45;
    shot.azimuthDeg = 90;
    return shot;
}

void zeroedTable(benchmark::State& state) {
    const precision::DragCurve curve = g7();
    const precision::Shot shot = load(state.range(1) != 0);
    std::vector<double> ranges;
    for (int r = 0; r <= state.range(0); r += 50)
        ranges.push_back(r);
    for (auto _ : state)
        benchmark::DoNotOptimize(precision::solve(shot, curve, ranges));
    state.counters["rows"] = double(ranges.size());
}
BENCHMARK(zeroedTable)
    ->ArgNames({"yards", "latitude"})
    ->Args({1000, 0})
    ->Args({2000, 0})
    ->Args({1000, 1})
    ->Args({2000, 1})
    ->Unit(benchmark::kMicrosecond);

void longRangeEveryYard(benchmark::State& state) {
    const precision::DragCurve curve = g7();
    precision::Shot shot = load(false);
    shot.muzzleVelocityFps = 3000;
    shot.bc = 0.4;
    const std::vector<double> ranges = [] {
        std::vector<double> r;
        for (int yd = 0; yd <= 5000; ++yd)
            r.push_back(yd);
        return r;
    }();
    for (auto _ : state)
        benchmark::DoNotOptimize(precision::solve(shot, curve, ranges));
    state.counters["rows"] = double(ranges.size());
}
BENCHMARK(longRangeEveryYard)->Unit(benchmark::kMillisecond);

void mountainUphill(benchmark::State& state) {
    const precision::DragCurve curve = g7();
    precision::Shot shot = load(false);
    shot.altitudeFt = 8000;
    shot.pressureInHg = 30.10;
    shot.seaLevelPressure = true;
    shot.slopeDeg = 35;
    std::vector<double> ranges;
    for (int r = 0; r <= 1000; r += 50)
        ranges.push_back(r);
    for (auto _ : state)
        benchmark::DoNotOptimize(precision::solve(shot, curve, ranges));
}
BENCHMARK(mountainUphill)->Unit(benchmark::kMicrosecond);

// The 1000-yd table with four wind zones, a cant and the aerodynamic jump.
void zonedCantedTable(benchmark::State& state) {
    const precision::DragCurve curve = g7();
    precision::Shot shot = load(false);
    shot.windZones = {{250, 5, 90}, {500, 8, 60}, {750, 10, 45}, {1000, 12, 120}};
    shot.cantDeg = 3;
    shot.aerodynamicJump = true;
    std::vector<double> ranges;
    for (int r = 0; r <= 1000; r += 50)
        ranges.push_back(r);
    for (auto _ : state)
        benchmark::DoNotOptimize(precision::solve(shot, curve, ranges));
    state.counters["rows"] = double(ranges.size());
}
BENCHMARK(zonedCantedTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
