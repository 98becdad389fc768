#include "precision/Precision.h"

#include "precision/AeroJump.h"
#include "precision/Atmosphere.h"
#include "precision/Cant.h"
#include "precision/Flight.h"
#include "precision/Stability.h"
#include "precision/Zero.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>

namespace precision {

namespace {

using Units::FeetPerYard;
using Units::InchesPerFoot;
using Units::RadiansPerDegree;
using Units::RadiansPerMoa;

bool canFly(const Shot& shot, const DragCurve& drag) {
    return shot.bc > 0 && effectiveMuzzleVelocityFps(shot) > 0 && !drag.cd.empty() &&
           drag.cd.size() == drag.mach.size();
}

// Drag, coefficient and air; no wind, no Coriolis, nothing about where the shot starts.
FlightSetup stillAir(const Shot& shot, const DragLookup& drag) {
    const Atmosphere air = stationAir(shot);
    FlightSetup setup;
    setup.drag = &drag;
    setup.bc = BcBands(shot.bc, shot.lowerBc, shot.lowerVelocityFps, shot.lowestBc,
                       shot.lowestVelocityFps);
    setup.air = AirColumn(air.temperatureF, air.pressureInHg, shot.humidityPct);
    return setup;
}

std::optional<double> zeroOf(const Shot& shot, const FlightSetup& air,
                             const SolveOptions& options) {
    if (shot.zeroRangeYd <= 0) return 0.0;
    return zeroElevationRad(air, {shot.sightHeightIn / InchesPerFoot,
                                  shot.zeroRangeYd * FeetPerYard, effectiveMuzzleVelocityFps(shot),
                                  options.timeStepS, options.maxTimeS});
}

// The wind blows from windAngleDeg off the line of fire: 0 from behind, 90 from the left.
Vec3 windOf(const Shot& shot) {
    return windVelocityFps(shot.windMph, shot.windAngleDeg);
}

// The Earth's rotation in the shooter's frame (x toward the azimuth of fire, y up, z right).
Vec3 earthRotationOf(const Shot& shot) {
    if (!shot.latitudeDeg) return {};
    const double latitude = *shot.latitudeDeg * RadiansPerDegree;
    const double azimuth = shot.azimuthDeg * RadiansPerDegree;
    const double horizontal = earthRotationRadPerS * std::cos(latitude); // toward north
    return {horizontal * std::cos(azimuth), earthRotationRadPerS * std::sin(latitude),
            -horizontal * std::sin(azimuth)};
}

// The real shot: line of sight at the slope, the bore below it by the sight height (when
// zeroed) and raised by the zero elevation, both turned by the cant, the launch lifted by the
// aerodynamic jump; wind (by zone) and Coriolis as the load says.
FlightSetup realShot(const Shot& shot, FlightSetup setup, double zeroElevation) {
    const double slope = shot.slopeDeg * RadiansPerDegree;
    LaunchGeometry geometry;
    geometry.lineOfSightRad = slope;
    geometry.boreElevationRad = zeroElevation;
    geometry.sightHeightFt = shot.zeroRangeYd > 0 ? shot.sightHeightIn / InchesPerFoot : 0;
    geometry.cantRad = shot.cantDeg * RadiansPerDegree;
    geometry.jumpRad = aerodynamicJumpMoa(shot) * RadiansPerMoa;
    geometry.speedFps = effectiveMuzzleVelocityFps(shot);
    const Launch launch = launchOf(geometry);
    setup.lineOfSightRad = slope;
    setup.startPositionFt = launch.startPositionFt;
    setup.startVelocityFps = launch.startVelocityFps;
    setup.windFps = windOf(shot);
    setup.windZones = zoneWinds(shot.windZones);
    return setup;
}

double heightAboveSightFt(const Vec3& positionFt, double slope) {
    return positionFt.y * std::cos(slope) - positionFt.x * std::sin(slope);
}

} // namespace

Atmosphere stationAir(const Shot& shot) {
    const double pressureInHg = shot.seaLevelPressure && shot.pressureInHg > 0
                                    ? stationPressureInHg(shot.pressureInHg, shot.altitudeFt)
                                    : shot.pressureInHg;
    return airAt(shot.temperatureF, pressureInHg, shot.humidityPct, shot.altitudeFt);
}

double effectiveMuzzleVelocityFps(const Shot& shot) {
    return shot.muzzleVelocityFps +
           shot.powderSensitivityFpsPerF * (shot.temperatureF - shot.powderTemperatureF);
}

double stabilityFactor(const Shot& shot) {
    return millerStabilityFactor({shot.weightGrains, shot.diameterIn, shot.lengthIn, shot.twistIn},
                                 effectiveMuzzleVelocityFps(shot), shot.temperatureF,
                                 stationAir(shot).pressureInHg);
}

double aerodynamicJumpMoa(const Shot& shot) {
    if (!shot.aerodynamicJump || shot.diameterIn <= 0) return 0;
    const WindZone muzzle = shot.windZones.empty() ? WindZone{0, shot.windMph, shot.windAngleDeg}
                                                   : shot.windZones.front();
    return litzJumpMoa({stabilityFactor(shot), shot.lengthIn / shot.diameterIn, shot.twistIn,
                        muzzle.speedMph * std::sin(muzzle.angleDeg * RadiansPerDegree)});
}

std::optional<double> zeroElevationRad(const Shot& shot, const DragCurve& drag,
                                       const SolveOptions& options) {
    if (!canFly(shot, drag)) return std::nullopt;
    const DragLookup lookup(drag);
    return zeroOf(shot, stillAir(shot, lookup), options);
}

std::vector<TrajectoryPoint> solve(const Shot& shot, const DragCurve& drag,
                                   std::span<const double> rangesYd, const SolveOptions& options) {
    if (!canFly(shot, drag)) return {};
    const DragLookup lookup(drag);
    const FlightSetup air = stillAir(shot, lookup);
    const std::optional<double> zero = zeroOf(shot, air, options);
    if (!zero) return {};

    std::vector<double> rangesFt(rangesYd.begin(), rangesYd.end());
    for (double& r : rangesFt)
        r *= FeetPerYard;
    const FlightSetup plain = realShot(shot, air, *zero);
    const auto withoutCoriolis = fly(plain, rangesFt, options.timeStepS, options.maxTimeS);
    // Coriolis is reported as the difference it makes, so it takes a second flight.
    std::vector<FlightState> withCoriolis;
    if (shot.latitudeDeg) {
        FlightSetup turning = plain;
        turning.earthRotationRadPerS = earthRotationOf(shot);
        withCoriolis = fly(turning, rangesFt, options.timeStepS, options.maxTimeS);
    }

    const double slope = plain.lineOfSightRad;
    const double sg = stabilityFactor(shot);
    const std::size_t count = shot.latitudeDeg
                                  ? std::min(withoutCoriolis.size(), withCoriolis.size())
                                  : withoutCoriolis.size();
    std::vector<TrajectoryPoint> points(count);
    for (std::size_t i = 0; i < count; ++i) {
        const FlightState& inertial = withoutCoriolis[i];
        const FlightState& real = shot.latitudeDeg ? withCoriolis[i] : inertial;
        TrajectoryPoint& p = points[i];
        p.rangeYd = rangesYd[i];
        p.timeS = real.timeS;
        p.velocityFps = norm(real.velocityFps);
        p.heightIn = heightAboveSightFt(real.positionFt, slope) * InchesPerFoot;
        p.spinIn = spinDriftIn(sg, shot.twistIn, real.timeS);
        p.windIn = real.positionFt.z * InchesPerFoot + p.spinIn;
        p.coriolisVerticalIn =
            p.heightIn - heightAboveSightFt(inertial.positionFt, slope) * InchesPerFoot;
        p.coriolisHorizontalIn = (real.positionFt.z - inertial.positionFt.z) * InchesPerFoot;
        p.mach = norm(real.velocityFps - plain.windFps) * air.air.at(real.positionFt.y).machPerFps;
    }
    return points;
}

} // namespace precision
