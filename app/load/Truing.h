// Truing the muzzle velocity: the velocity that makes the load's model (classic or precision)
// give the height the shooter observed at one range. The rest of the load stays as it is.
#pragma once

#include "services/Problem.h"

#include <QList>
#include <QString>
#include <optional>

struct LoadSnapshot;

namespace Truing {

// Velocities searched, ft/s, and how closely the result is found.
constexpr double LowestVelocity = 300;
constexpr double HighestVelocity = 4500;
constexpr double Tolerance = 0.1;
// Ranges a height can be observed at, in the range unit.
constexpr float ShortestRange = 1;
constexpr float LongestRange = 2000;

struct Result {
    std::optional<double> velocity;   // ft/s, to the tolerance; none when no velocity gives it
    double loadVelocity = 0;          // the velocity in the load
    std::optional<double> loadHeight; // inches at the range with the load's velocity
    QString problem;                  // why there is no velocity
    bool inputFault = false;          // the range or the load is at fault, not the search
    QList<Problem> solverFailures;    // the solver binding's, for the entry point to report
};

// The velocity that gives `heightIn` inches above the line of sight at `range` (range unit) for
// the snapshot's load, in the model its form says. A load that cannot be computed gives its
// problem (LoadSnapshot::loadProblem); the options of the window (angle rules, range unit)
// apply as in the table.
Result trueVelocity(const LoadSnapshot& snapshot, float range, double heightIn);

// The inches a sight correction of `correction` (quarter-MOA clicks, or mils) stands for at
// `range`, as the table converts between the two.
double inchesFromCorrection(double correction, float range, bool moa, bool metric);

// The height model's height at `range` for `velocity`: none when the load cannot be flown there
// (the solver binding's failures, if any, are not kept: no entry point asks for one height).
std::optional<double> heightAt(const LoadSnapshot& snapshot, float range, double velocity);

} // namespace Truing
