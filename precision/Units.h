// Conversion factors between the shooter's units and the engine's feet and seconds.
#pragma once

#include <numbers>

namespace precision::units {

inline constexpr double feetPerYard = 3.0;
inline constexpr double inchesPerFoot = 12.0;
inline constexpr double fpsPerMph = 5280.0 / 3600.0;
inline constexpr double radiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double radiansPerMoa = radiansPerDegree / 60.0; // a minute of angle
// Absolute temperature: degrees Rankine = degrees Fahrenheit + 459.67.
inline constexpr double rankineAtZeroF = 459.67;

} // namespace precision::units
