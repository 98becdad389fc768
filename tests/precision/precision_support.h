// What the precision engine's tests share: the shipped drag tables, a drag-free curve, a
// typical long-range load, and the closed forms of a trajectory in a vacuum.
#pragma once

#include "precision/Precision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace precision_test {

inline constexpr double g = 32.174; // ft/s^2

inline std::string readDragFile(const std::string& name) {
    std::ifstream file(std::string(QUORVEL_DRAG_TABLE_DIR) + "/" + name + ".csv");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline precision::DragCurve shippedCurve(const std::string& name) {
    precision::DragParse parsed = precision::parseDragCsv(readDragFile(name));
    EXPECT_TRUE(parsed.curve) << name << ": " << parsed.error;
    return parsed.curve.value_or(precision::DragCurve{});
}

// Cd = 0 at every Mach number: a flight in a vacuum.
inline precision::DragCurve noDrag() {
    return {{0.0, 5.0}, {0.0, 0.0}};
}

// A .308 175 gr match bullet, G7 BC 0.243, at 2600 ft/s, 100-yd zero, in the standard air.
inline precision::Shot typical308() {
    precision::Shot shot;
    shot.muzzleVelocityFps = 2600;
    shot.weightGrains = 175;
    shot.bc = 0.243;
    shot.sightHeightIn = 1.5;
    shot.zeroRangeYd = 100;
    shot.pressureInHg = 29.92126;
    return shot;
}

inline std::vector<double> everyYards(double step, double last) {
    std::vector<double> ranges;
    for (double r = 0; r <= last + 1e-9; r += step)
        ranges.push_back(r);
    return ranges;
}

// A vacuum shot along a line of sight tilted by slopeRad, started on it along it at v0 (ft/s):
// the time at which it has gone rangeFt along the line, solving
// rangeFt = v0 t - g t^2 sin(slope) / 2.
inline double vacuumTimeS(double v0, double slopeRad, double rangeFt) {
    const double s = std::sin(slopeRad);
    if (std::abs(s) < 1e-12) return rangeFt / v0;
    return (v0 - std::sqrt(v0 * v0 - 2 * g * rangeFt * s)) / (g * s);
}

} // namespace precision_test
