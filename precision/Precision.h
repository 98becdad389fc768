// The precision trajectory engine: what the program calls.
//
// A point mass in three dimensions with drag by Mach number from a drag curve and the load's
// ballistic coefficient (with its velocity bands), air density and the speed of sound from the
// load's air, wind from any direction (by zone along the range), cant, aerodynamic jump, inclined
// fire, a zero found at level fire, spin drift, Coriolis and a muzzle velocity that follows powder
// temperature. Double precision throughout; units are named in every field (see Shot.h).
#pragma once

#include "precision/Atmosphere.h"
#include "precision/DragCsv.h"
#include "precision/DragCurve.h"
#include "precision/Shot.h"

#include <optional>
#include <span>
#include <vector>

namespace precision {

// One point per requested range (yards along the line of sight, ascending; ranges at or behind
// the muzzle give the muzzle state). The vector is shorter when the bullet cannot reach the
// later ranges within options.maxTimeS or stops advancing along the line of sight, and empty
// when the shot cannot fly (muzzle velocity or BC not positive, an empty drag curve) or its
// zero range cannot be reached.
std::vector<TrajectoryPoint> solve(const Shot& shot, const DragCurve& drag,
                                   std::span<const double> rangesYd,
                                   const SolveOptions& options = {});

// The air at the shooter: the station pressure (from a sea-level one through the altitude when
// the shot gives that), temperature and humidity. Along the flight it changes with height.
Atmosphere stationAir(const Shot& shot);

// The muzzle velocity fired: muzzleVelocityFps + powderSensitivityFpsPerF * (temperatureF -
// powderTemperatureF).
double effectiveMuzzleVelocityFps(const Shot& shot);

// Miller's gyroscopic stability factor at the effective muzzle velocity and the load's air; 0
// when twist, length or diameter is 0.
double stabilityFactor(const Shot& shot);

// The aerodynamic jump the shot's crosswind at the muzzle gives, vertical MOA, up positive; 0
// when it is off or the bullet has no spin.
double aerodynamicJumpMoa(const Shot& shot);

// The zero's bore elevation above the line of sight, in radians, as solve uses it: 0 for a
// load without a zero range; none when the zero range cannot be reached.
std::optional<double> zeroElevationRad(const Shot& shot, const DragCurve& drag,
                                       const SolveOptions& options = {});

} // namespace precision
