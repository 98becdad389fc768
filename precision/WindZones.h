// Wind by range: up to four winds along the line of sight, each from the end of the previous zone
// (the muzzle for the first) to its own end; the last one blows on past its end.
#pragma once

#include "precision/Vec3.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace precision {

inline constexpr std::size_t mostWindZones = 4;

struct WindZone {
    double endYd = 0; // along the line of sight
    double speedMph = 0;
    double angleDeg = 0; // blowing from: 0 from behind, 90 from the left (as Shot::windAngleDeg)
};

// The air's velocity over ground for a wind of speedMph blowing from fromDeg, in the flight's
// frame (x downrange, y up, z right).
Vec3 windVelocityFps(double speedMph, double fromDeg);

// A zone as the flight uses it.
struct ZoneWind {
    double endFt = 0; // along the line of sight
    Vec3 windFps;
};

std::vector<ZoneWind> zoneWinds(std::span<const WindZone> zones);

// The wind at `rangeFt` along the line of sight: the first zone whose end is at or beyond it,
// the last zone past every end. `zones` must not be empty.
const Vec3& windAt(std::span<const ZoneWind> zones, double rangeFt);

// Zones as a load stores them: "END SPEED ANGLE" per zone, zones separated by ';', END in the
// load's range unit (returned as written; the caller converts), SPEED in mph, ANGLE in degrees.
// Empty or blank text: no zones.
struct ZoneParse {
    std::optional<std::vector<WindZone>> zones; // set when the text is usable
    std::string error;                          // otherwise an English sentence saying why
};
// Ends strictly increasing and above 0 and at most maxEnd, speeds 0 to maxSpeedMph, angles 0 to
// 360, at most four zones.
ZoneParse parseWindZones(std::string_view text, double maxEnd, double maxSpeedMph);

// The text for zones: shortest numbers, "; " between zones.
std::string windZonesText(std::span<const WindZone> zones);

} // namespace precision
