// The air: standard-atmosphere density, pressure and speed of sound, and the effect of humidity,
// against the ICAO standard atmosphere tables and the steam tables.
#include "precision/Atmosphere.h"

#include <gtest/gtest.h>

using namespace precision;

namespace {

TEST(Atmosphere, SeaLevelStandardDensityAndSpeedOfSound) {
    EXPECT_NEAR(airDensityLbPerFt3(59, 29.92, 0), 0.0764742, 0.0764742 * 1e-4);
    EXPECT_NEAR(airDensityLbPerFt3(59, 29.92126, 0), 0.0764742, 1e-9);
    EXPECT_NEAR(speedOfSoundFps(59), 1116.45, 0.01);
    const Atmosphere air = airAt(59, 29.92126, 0, 0);
    EXPECT_NEAR(air.densityRatio(), 1.0, 1e-9);
}

// ICAO standard atmosphere: altitude, temperature, pressure, density ratio, speed of sound.
struct IcaoRow {
    double altitudeFt, temperatureF, pressureInHg, densityRatio, speedOfSoundFps;
};
constexpr IcaoRow icao[] = {
    {0, 59.00, 29.921, 1.00000, 1116.45},     {5000, 41.17, 24.896, 0.86167, 1097.10},
    {10000, 23.34, 20.577, 0.73848, 1077.39}, {20000, -12.32, 13.750, 0.53281, 1036.85},
    {40000, -69.70, 5.538, 0.24617, 968.08},
};

TEST(Atmosphere, MatchesTheStandardAtmosphereAtAltitude) {
    for (const IcaoRow& row : icao) {
        SCOPED_TRACE(row.altitudeFt);
        EXPECT_NEAR(standardPressureAtInHg(row.altitudeFt), row.pressureInHg,
                    row.pressureInHg * 5e-4);
        // The table's own pressure and temperature give its density and speed of sound.
        EXPECT_NEAR(airDensityLbPerFt3(row.temperatureF, row.pressureInHg, 0) /
                        standardDensityLbPerFt3,
                    row.densityRatio, row.densityRatio * 1e-3);
        EXPECT_NEAR(speedOfSoundFps(row.temperatureF), row.speedOfSoundFps, 0.3);
        // Without a station pressure the altitude's standard pressure is used.
        const Atmosphere air = airAt(row.temperatureF, 0, 0, row.altitudeFt);
        EXPECT_NEAR(air.densityRatio(), row.densityRatio, row.densityRatio * 1e-3);
        EXPECT_NEAR(air.speedOfSoundFps, row.speedOfSoundFps, 0.3);
    }
}

TEST(Atmosphere, AGivenStationPressureWinsOverAltitude) {
    const Atmosphere air = airAt(59, 25.0, 0, 10000);
    EXPECT_DOUBLE_EQ(air.pressureInHg, 25.0);
    EXPECT_NEAR(air.densityRatio(), 25.0 / 29.92126, 1e-9);
}

TEST(Atmosphere, SaturationVapourPressureFollowsTheSteamTables) {
    // Temperature (F), saturation pressure over water (kPa).
    const double steam[][2] = {{32, 0.6113}, {59, 1.7058}, {86, 4.2470}, {104, 7.3849}};
    for (const auto& row : steam) {
        EXPECT_NEAR(saturationVapourPressureInHg(row[0]) * 3.386389, row[1], row[1] * 2e-3)
            << row[0] << " F";
    }
}

TEST(Atmosphere, HumidityLightensTheAirByTheVapoursMissingWeight) {
    // Water vapour (18.015 g/mol) replacing dry air (28.965 g/mol) at the same pressure:
    // density falls by (1 - 18.015/28.965) e / P. At 59 F saturated, e = 1.7058 kPa = 0.50372
    // inHg, so the dry density falls by 0.378 * 0.50372 / 29.92126 = 0.636 %.
    const double dry = airDensityLbPerFt3(59, 29.92126, 0);
    const double humid = airDensityLbPerFt3(59, 29.92126, 100);
    EXPECT_NEAR(1 - humid / dry, 0.00636, 0.00002);
    const double half = airDensityLbPerFt3(59, 29.92126, 50);
    EXPECT_NEAR(dry - half, (dry - humid) / 2, 1e-12);
    // Hot and humid: 95 F, 80 %: e = 0.8 * 5.6291 kPa = 4.5033 kPa = 1.32982 inHg.
    const double hot = airDensityLbPerFt3(95, 29.92126, 0);
    EXPECT_NEAR(1 - airDensityLbPerFt3(95, 29.92126, 80) / hot, 0.378 * 1.32982 / 29.92126,
                0.00005);
}

} // namespace
