// Where the bullet leaves the muzzle and which way: the sight above the bore by the sight height,
// the bore raised by the zero's elevation, the whole rifle rolled about the line of sight by the
// cant, and the launch lifted by the aerodynamic jump.
#pragma once

#include "precision/Vec3.h"

namespace precision {

struct Launch {
    Vec3 startPositionFt;
    Vec3 startVelocityFps;
};

struct LaunchGeometry {
    double lineOfSightRad = 0;   // slope of the line of sight above level
    double boreElevationRad = 0; // the zero: bore above the line of sight, in the rifle's plane
    double sightHeightFt = 0;    // bore below the sight, in the rifle's plane
    // Roll about the line of sight, clockwise as the shooter sees it positive: the rifle's "up"
    // tips to the right, so the zero's elevation sends the bullet right and, by its cosine, low;
    // the bore, below the sight, moves left.
    double cantRad = 0;
    double jumpRad = 0; // vertical deflection at the muzzle, up positive, in the vertical plane
    double speedFps = 0;
};

// Frame as in Flight.h: x level downrange, y up, z right. Without cant the result is the plain
// shot's, computed the same way to the last bit.
Launch launchOf(const LaunchGeometry& g);

} // namespace precision
