// The zero: the bore elevation that puts the bullet on the line of sight at the zero range.
#pragma once

#include "precision/Flight.h"

#include <optional>

namespace precision {

struct ZeroSearch {
    double sightHeightFt = 0; // the bore starts this far below the line of sight
    double zeroRangeFt = 0;
    double muzzleVelocityFps = 0;
    double timeStepS = 0.01;
    double maxTimeS = 60;
};

// The bore elevation above level, in radians, at which a level shot crosses the line of sight
// at the zero range. Only `air`'s drag, coefficient and air data are used: the shot is fired
// level, with no wind and no Coriolis. Secant iteration on the height at the zero range, each
// flight integrated only that far. None when the bullet cannot get there (within maxTimeS, at
// elevations up to 45 degrees).
std::optional<double> zeroElevationRad(const FlightSetup& air, const ZeroSearch& search);

} // namespace precision
