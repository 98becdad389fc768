#include "precision/Zero.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace precision {

namespace {

constexpr double highestElevationRad = std::numbers::pi / 4;
constexpr double heightToleranceFt = 1e-7;
constexpr double stalledToleranceFt = 1e-5;
constexpr int mostIterations = 30;

// How far above the line of sight (ft) the level shot at `elevationRad` passes the zero range.
std::optional<double> heightAtZero(FlightSetup level, const ZeroSearch& search,
                                   double elevationRad) {
    level.startVelocityFps =
        search.muzzleVelocityFps * Vec3{std::cos(elevationRad), std::sin(elevationRad), 0};
    const std::array<double, 1> range{search.zeroRangeFt};
    const auto states = fly(level, range, search.timeStepS, search.maxTimeS);
    if (states.empty()) return std::nullopt;
    return states.front().positionFt.y;
}

} // namespace

std::optional<double> zeroElevationRad(const FlightSetup& air, const ZeroSearch& search) {
    FlightSetup level = air;
    level.windFps = {};
    level.windZones.clear();
    level.earthRotationRadPerS = {};
    level.startPositionFt = {0, -search.sightHeightFt, 0};
    level.lineOfSightRad = 0;
    // First guess: the bore pointed at the zero point; then turn it by the angle the miss
    // subtends at the zero range; then secant steps.
    double previous = std::atan2(search.sightHeightFt, search.zeroRangeFt);
    std::optional<double> previousMiss = heightAtZero(level, search, previous);
    if (!previousMiss) return std::nullopt;
    double elevation = previous - std::atan2(*previousMiss, search.zeroRangeFt);
    for (int i = 0; i < mostIterations; ++i) {
        elevation = std::clamp(elevation, -highestElevationRad, highestElevationRad);
        const std::optional<double> miss = heightAtZero(level, search, elevation);
        if (!miss) return std::nullopt;
        if (std::abs(*miss) < heightToleranceFt) return elevation;
        if (*miss == *previousMiss) // no progress left in double precision
            return std::abs(*miss) < stalledToleranceFt ? std::optional(elevation) : std::nullopt;
        const double next = elevation - *miss * (elevation - previous) / (*miss - *previousMiss);
        previous = elevation;
        previousMiss = miss;
        elevation = next;
    }
    return std::nullopt;
}

} // namespace precision
