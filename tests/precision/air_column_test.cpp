// The air along the flight: the standard atmosphere reached by climbing from a standard station,
// pressure reduced to sea level and back, density altitude, and what the thinning air does to
// inclined shots.
#include "precision/Atmosphere.h"
#include "precision/Flight.h"
#include "precision_support.h"

#include <gtest/gtest.h>

#include <array>
#include <numbers>

using namespace precision;
using namespace precision_test;

namespace {

constexpr double degree = std::numbers::pi / 180;

// ICAO standard atmosphere: height, density ratio, speed of sound (ft/s), pressure (inHg).
struct StandardRow {
    double heightFt, densityRatio, speedOfSoundFps, pressureInHg;
};
constexpr StandardRow standard[] = {
    {5000, 0.86167, 1097.10, 24.896},
    {10000, 0.73848, 1077.39, 20.577},
};

TEST(AirColumn, ClimbingFromAStandardStationReachesTheStandardAtmosphere) {
    const AirColumn column(59, 29.92126, 0);
    EXPECT_NEAR(column.at(0).densityRatio, 1.0, 1e-9);
    for (const StandardRow& row : standard) {
        SCOPED_TRACE(row.heightFt);
        const AirColumn::Sample air = column.at(row.heightFt);
        EXPECT_NEAR(air.densityRatio, row.densityRatio, row.densityRatio * 2e-4);
        EXPECT_NEAR(1 / air.machPerFps, row.speedOfSoundFps, 0.3);
    }
    // A column started at 5,000 ft of the standard atmosphere reaches 10,000 ft's air 5,000 ft
    // higher: the lapse rate and the barometric formula hold from any station.
    const AirColumn high(41.17, 24.896, 0);
    EXPECT_NEAR(high.at(5000).densityRatio, 0.73848, 0.73848 * 5e-4);
}

TEST(AirColumn, HumidityIsHeldAsGivenOnTheWayUp) {
    // Saturated air stays saturated: at each height it is lighter than dry air of the same
    // temperature and pressure by 0.378 e_s(T) / P.
    const AirColumn dry(86, 29.92126, 0), humid(86, 29.92126, 100);
    for (double heightFt : {0.0, 3000.0, -500.0}) {
        const double temperatureF = 86 - 0.0035662 * heightFt;
        const double pressureInHg = 29.92126 * std::pow((temperatureF + 459.67) / 545.67, 5.25588);
        const double expected =
            1 - 0.378 * saturationVapourPressureInHg(temperatureF) / pressureInHg;
        EXPECT_NEAR(humid.at(heightFt).densityRatio / dry.at(heightFt).densityRatio, expected, 1e-5)
            << heightFt;
    }
}

TEST(SeaLevelPressure, ReducesThroughTheStandardAtmosphereBothWays) {
    // The standard atmosphere's own pressures: 29.92126 at sea level is 24.896 at 5,000 ft and
    // 20.577 at 10,000 ft.
    for (const StandardRow& row : standard) {
        EXPECT_NEAR(stationPressureInHg(29.92126, row.heightFt), row.pressureInHg, 0.005);
        EXPECT_NEAR(seaLevelPressureInHg(row.pressureInHg, row.heightFt), 29.92126, 0.006);
    }
    // A low on the weather map, 29.50 inHg at sea level, at 8,000 ft: the same ratio as the
    // standard day's 22.225 / 29.92126.
    EXPECT_NEAR(stationPressureInHg(29.50, 8000), 29.50 * 22.225 / 29.92126, 0.005);
    for (double altitudeFt : {-1000.0, 0.0, 4321.0, 15000.0})
        EXPECT_NEAR(seaLevelPressureInHg(stationPressureInHg(30.12, altitudeFt), altitudeFt), 30.12,
                    1e-9);
}

TEST(SeaLevelPressure, DensityAltitudeOfTheStandardAtmosphere) {
    for (const StandardRow& row : standard)
        EXPECT_NEAR(densityAltitudeFt(row.densityRatio), row.heightFt, 10);
    EXPECT_NEAR(densityAltitudeFt(1.0), 0, 1e-6);
    // Hot air is thin: 100 F at the standard sea-level pressure is 519.67 / 559.67 = 0.92853
    // of the standard density; the troposphere's ratio (1 - 6.87559e-6 h)^4.25588 reaches it at
    // h = (1 - 0.92853^(1 / 4.25588)) / 6.87559e-6 = 2512 ft.
    EXPECT_NEAR(densityAltitudeFt(519.67 / 559.67), 2512, 3);
    // Above the tropopause (36,089 ft) the isothermal layer: 40,000 ft is 0.24617.
    EXPECT_NEAR(densityAltitudeFt(0.24617), 40000, 20);
}

TEST(SeaLevelPressure, ASeaLevelReadingAtAltitudeFliesAsItsStationPressure) {
    Shot asSeaLevel = typical308();
    asSeaLevel.altitudeFt = 10000;
    asSeaLevel.pressureInHg = 29.92;
    asSeaLevel.seaLevelPressure = true;
    Shot asStation = asSeaLevel;
    asStation.seaLevelPressure = false;
    asStation.pressureInHg = stationPressureInHg(29.92, 10000);
    EXPECT_NEAR(stationAir(asSeaLevel).pressureInHg, 20.577, 0.005);
    const std::array<double, 2> ranges{500, 1000};
    const DragCurve g7 = shippedCurve("G7");
    const auto a = solve(asSeaLevel, g7, ranges), b = solve(asStation, g7, ranges);
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_DOUBLE_EQ(a[1].heightIn, b[1].heightIn);
    // Taken as the station pressure, the same 29.92 would be air half again as dense.
    asStation.pressureInHg = 29.92;
    const auto c = solve(asStation, g7, ranges);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_LT(c[1].heightIn, a[1].heightIn - 20);
}

TEST(AirAlongThePath, AVacuumShotIsUntouchedByTheAir) {
    // 35 degrees uphill at 8,000 ft: no drag, so the climb into thinner air changes nothing.
    Shot shot;
    shot.muzzleVelocityFps = 2800;
    shot.bc = 0.5;
    shot.slopeDeg = 35;
    shot.altitudeFt = 8000;
    shot.pressureInHg = 30.10;
    shot.seaLevelPressure = true;
    shot.temperatureF = 20;
    shot.humidityPct = 60;
    const double a = 35 * degree, v0 = shot.muzzleVelocityFps;
    const auto points = solve(shot, noDrag(), everyYards(500, 2000));
    ASSERT_EQ(points.size(), 5u);
    for (const TrajectoryPoint& p : points) {
        const double t = vacuumTimeS(v0, a, p.rangeYd * 3);
        EXPECT_NEAR(p.timeS, t, 1e-9 + 1e-9 * t) << p.rangeYd;
        EXPECT_NEAR(p.heightIn, -g * t * t / 2 * std::cos(a) * 12, 1e-6) << p.rangeYd;
        EXPECT_NEAR(p.velocityFps, std::hypot(v0 * std::cos(a), v0 * std::sin(a) - g * t), 1e-6);
    }
}

// The G7 .308 load flown 1000 yd along a line of sight `slopeDeg` from level, through the air
// of `air`; the state there.
FlightState flownThrough(const AirColumn& air, double slopeDeg) {
    const DragCurve g7 = shippedCurve("G7");
    const DragLookup lookup(g7);
    FlightSetup setup;
    setup.drag = &lookup;
    setup.bc = BcBands(0.243, 0, 0, 0, 0);
    setup.air = air;
    setup.lineOfSightRad = slopeDeg * degree;
    setup.startVelocityFps =
        2600 * Vec3{std::cos(setup.lineOfSightRad), std::sin(setup.lineOfSightRad), 0};
    const std::array<double, 1> range{3000};
    const auto states = fly(setup, range, 0.01, 60);
    EXPECT_EQ(states.size(), 1u);
    return states.empty() ? FlightState{} : states.front();
}

TEST(AirAlongThePath, UphillArrivesFasterAndDownhillSlowerThanInTheStationsAir) {
    // From a standard sea-level station: AirColumn() is that same air held at every height.
    const AirColumn column(59, 29.92126, 0);
    const AirColumn held;
    for (double slopeDeg : {35.0, 20.0}) {
        SCOPED_TRACE(slopeDeg);
        const FlightState up = flownThrough(column, slopeDeg);
        const FlightState upHeld = flownThrough(held, slopeDeg);
        EXPECT_GT(up.positionFt.y, 500); // the bullet has climbed into thinner air
        EXPECT_GT(norm(up.velocityFps), norm(upHeld.velocityFps) + 5);
        EXPECT_LT(up.timeS, upHeld.timeS);
        const FlightState down = flownThrough(column, -slopeDeg);
        const FlightState downHeld = flownThrough(held, -slopeDeg);
        EXPECT_LT(norm(down.velocityFps), norm(downHeld.velocityFps) - 5);
        EXPECT_GT(down.timeS, downHeld.timeS);
    }
    // Level fire hardly leaves the station's height: the air it meets differs by far less than
    // the half per cent the tables are held to.
    const FlightState level = flownThrough(column, 0), levelHeld = flownThrough(held, 0);
    EXPECT_NEAR(norm(level.velocityFps) / norm(levelHeld.velocityFps), 1.0, 0.001);
}

} // namespace
