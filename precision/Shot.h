// What the precision engine is asked and what it answers, in the shooter's units.
#pragma once

#include "precision/WindZones.h"

#include <optional>
#include <vector>

namespace precision {

// One load and the conditions it is fired in.
struct Shot {
    double muzzleVelocityFps = 0; // measured at powderTemperatureF
    double weightGrains = 0;
    double bc = 0; // ballistic coefficient, lb/in^2, on the drag table's form factor basis
    // Velocity bands: lowerBc applies once the speed over ground is at or below
    // lowerVelocityFps, lowestBc once it is at or below lowestVelocityFps; a coefficient of
    // 0.001 or less leaves its band unused.
    double lowerBc = 0, lowerVelocityFps = 0;
    double lowestBc = 0, lowestVelocityFps = 0;
    double sightHeightIn = 0; // sight axis above the bore axis; used only with a zero range
    double zeroRangeYd = 0;   // 0: not zeroed, the bullet starts on the line of sight, along it
    double windMph = 0;
    // Direction the wind blows from, measured from the line of fire: 0 from behind the shooter
    // (tail wind), 90 from the left (drifts the bullet right), 180 head wind, 270 from the right.
    double windAngleDeg = 0;
    double temperatureF = 59;
    double pressureInHg = 29.92; // station pressure; 0 or less: the standard pressure at altitudeFt
    // pressureInHg is reduced to sea level (an altimeter setting): the station's is found
    // through altitudeFt with the standard atmosphere.
    bool seaLevelPressure = false;
    double humidityPct = 0; // relative humidity, 0 to 100
    double altitudeFt = 0;  // with a sea-level pressure, or when pressureInHg is 0 or less
    double slopeDeg = 0;    // line of sight up (+) or down (-) from level
    // Spin drift: twist in inches per turn, negative for a left-hand twist; bullet length and
    // diameter in inches. Any of the three 0: no spin drift.
    double twistIn = 0, lengthIn = 0, diameterIn = 0;
    std::optional<double> latitudeDeg; // north positive; none: no Coriolis
    double azimuthDeg = 0;             // direction of fire, clockwise from north
    double powderSensitivityFpsPerF = 0;
    double powderTemperatureF = 59; // powder temperature the muzzle velocity was measured at
    // Winds by range (ends ascending); empty: windMph and windAngleDeg all the way.
    std::vector<WindZone> windZones;
    // The rifle rolled about the line of sight, clockwise as the shooter sees it positive.
    double cantDeg = 0;
    bool aerodynamicJump = false; // the crosswind at the muzzle deflects the bullet vertically
};

// The bullet as it passes one range.
struct TrajectoryPoint {
    double rangeYd = 0;     // along the line of sight, as requested
    double timeS = 0;       // time of flight
    double velocityFps = 0; // speed over ground
    // Above the line of sight, perpendicular to it; includes coriolisVerticalIn.
    double heightIn = 0;
    // Right of the line of sight: wind drift + spinIn + coriolisHorizontalIn.
    double windIn = 0;
    double spinIn = 0;               // spin drift alone, right positive
    double coriolisVerticalIn = 0;   // Coriolis part of heightIn (0 without a latitude)
    double coriolisHorizontalIn = 0; // Coriolis part of windIn (0 without a latitude)
    double mach = 0; // speed through the air over the speed of sound at the bullet's height
};

struct SolveOptions {
    // Fixed fourth-order Runge-Kutta step. At 10 ms the drop at 1500 yd stays within a
    // millionth of a run at a tenth of the step, for bullets from 1000 to 4500 ft/s.
    double timeStepS = 0.01;
    // Flight time after which the integration gives up on ranges not yet reached.
    double maxTimeS = 60;
};

} // namespace precision
