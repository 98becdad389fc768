// The point-mass integrator: the bullet's flight in three dimensions under drag, gravity and the
// Earth's rotation, read out where it crosses given ranges along a line of sight.
//
// Frame (feet, seconds): x level toward the target's azimuth, y up, z level to the right. The
// line of sight leaves the origin in the x-y plane at the slope angle; ranges are measured along
// it.
#pragma once

#include "precision/Atmosphere.h"
#include "precision/BcBands.h"
#include "precision/DragCurve.h"
#include "precision/Vec3.h"
#include "precision/WindZones.h"

#include <span>
#include <vector>

namespace precision {

// 2.08551e-4 = standard density (0.0764742 lb/ft^3) * pi / (8 * 144): turns Cd v^2 / BC, with
// BC in lb/in^2, into a retardation in ft/s^2 per foot.
inline constexpr double dragConstantPerFt = 2.08551e-4;
inline constexpr double gravityFps2 = 32.174;
inline constexpr double earthRotationRadPerS = 7.292115e-5;

struct FlightSetup {
    const DragLookup* drag = nullptr; // must outlive the flight
    BcBands bc{0, 0, 0, 0, 0};
    AirColumn air;                   // density and speed of sound by height above the start
    Vec3 windFps;                    // velocity of the air over ground
    std::vector<ZoneWind> windZones; // when not empty, the wind by range instead of windFps
    Vec3 earthRotationRadPerS;       // the Earth's rotation in this frame; zero: no Coriolis
    Vec3 startPositionFt;
    Vec3 startVelocityFps;
    double lineOfSightRad = 0; // slope of the line of sight above level
};

// The bullet's state at one moment.
struct FlightState {
    double timeS = 0;
    Vec3 positionFt;
    Vec3 velocityFps;
};

// Fourth-order Runge-Kutta at a fixed step. Returns the state where the bullet crosses each of
// `rangesFt` (ascending, along the line of sight; ranges at or behind the start give the start
// state), interpolated within the step by cubic Hermite polynomials in time. Stops early, with
// fewer states, when the flight reaches maxTimeS or the bullet stops advancing along the line
// of sight.
std::vector<FlightState> fly(const FlightSetup& setup, std::span<const double> rangesFt,
                             double timeStepS, double maxTimeS);

} // namespace precision
