// Truing the drag: the scale on the drag curve that makes the model pass through the heights a
// shooter observed. One factor on the whole curve when every observation is still supersonic;
// with observations on both sides of Mach 1.2, one factor above it and one below (the flight to
// the farther ranges goes through both parts, so neither can be found from them alone).
#pragma once

#include "precision/DragCurve.h"
#include "precision/Shot.h"

#include <span>
#include <string>
#include <vector>

namespace precision {

// Where the supersonic band ends and the transonic band begins.
inline constexpr double bandEdgeMach = 1.2;
// Scales searched: a drag from a third to three times the curve's.
inline constexpr double lowestDragScale = 1.0 / 3.0;
inline constexpr double highestDragScale = 3.0;

struct Observation {
    double rangeYd = 0;  // along the line of sight
    double heightIn = 0; // above the line of sight, where the bullet struck
};

// The curve with every point at or above Mach 1.2 scaled by supersonicScale and every point
// below by subsonicScale; a point is added at Mach 1.2 (the curve's own coefficient there) when
// the two scales differ and the curve has none, so the band edge is where it says.
DragCurve scaledDrag(const DragCurve& curve, double supersonicScale, double subsonicScale);

struct DragTruth {
    bool twoBands = false;
    double supersonicScale = 1; // both scales are equal with one band
    double subsonicScale = 1;
    // Per observation, in the order given: the Mach number there with the untrued drag, and the
    // heights with the untrued and the trued drag.
    std::vector<double> mach, untruedHeightIn, truedHeightIn;
    std::string problem; // empty when the scales were found
};

// Least squares on the observations' heights (Gauss-Newton, the derivatives by finite
// differences), the shot and curve otherwise as given.
DragTruth trueDrag(const Shot& shot, const DragCurve& curve,
                   std::span<const Observation> observations);

} // namespace precision
