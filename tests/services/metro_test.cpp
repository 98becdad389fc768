#include "services/CMetro.h"

#include <gtest/gtest.h>

namespace {

CMetro referenceMetro(bool station) {
    CMetro metro;
    metro.setReference();
    metro.useStationPressure = station ? -1 : 0;
    return metro;
}

// The coefficient multiplier the table applies: vapourFactor / densityRatio x 0.9968801.
double bcFactor(const CMetro& metro, float alt, float temp) {
    float vapour = 0;
    float density = 0;
    metro.correctionFactors(alt, temp, vapour, density);
    return static_cast<double>(vapour) / density * 0.9968801;
}

TEST(CMetro, NewInstanceIsZeroAndSetReferenceFillsStandardDay) {
    CMetro metro;
    EXPECT_EQ(metro.useStationPressure, 0);
    EXPECT_EQ(metro.refPressure, 0.0f);
    metro.setReference();
    EXPECT_EQ(metro.refPressure, 29.921f);
    EXPECT_EQ(metro.refTemperature, 59.0f);
    EXPECT_EQ(metro.refHumidity, 0.0f);
}

TEST(CMetro, StandardTemperatureAndPressureAtAltitude) {
    const CMetro metro = referenceMetro(false);
    float value = 0;
    metro.standardTemperature(0, value);
    EXPECT_EQ(value, 59.0f);
    metro.standardTemperature(5000, value);
    EXPECT_NEAR(value, 41.17, 1e-4);
    metro.standardPressure(0, value);
    EXPECT_EQ(value, 29.921f); // exactly the reference
    metro.standardPressure(5000, value);
    EXPECT_NEAR(value, 24.909, 5e-4);
    metro.standardPressure(10000, value);
    EXPECT_NEAR(value, 20.586, 5e-4);
}

TEST(CMetro, StationPressureAddsThreeTenthsHectopascal) {
    const CMetro metro = referenceMetro(true);
    float value = 0;
    metro.stationPressure(0, 29.921f, value);
    EXPECT_NEAR(value, 29.92986, 5e-6);
    metro.stationPressure(5000, 29.921f, value);
    EXPECT_LT(value, 25.0f); // thinner air higher up
    EXPECT_GT(value, 24.8f);
}

TEST(CMetro, DensityRatioWithStationPressure) {
    const CMetro metro = referenceMetro(true);
    float vapour = 0;
    float density = 0;
    metro.correctionFactors(0, 59, vapour, density);
    EXPECT_NEAR(density, 1.000296, 1e-6);
    metro.correctionFactors(5000, 41.17f, vapour, density);
    EXPECT_NEAR(density, 0.861774, 1e-6);
    metro.correctionFactors(10000, 59, vapour, density);
    EXPECT_NEAR(density, 0.687666, 1e-6);

    EXPECT_NEAR(bcFactor(metro, 0, 59), 0.996585, 1e-6);
    EXPECT_NEAR(bcFactor(metro, 5000, 41.17f), 1.156777, 1e-6);
    EXPECT_NEAR(bcFactor(metro, 10000, 59), 1.44966, 1e-5);
}

TEST(CMetro, StandardPressureModeUsesThePolynomial) {
    const CMetro metro = referenceMetro(false);
    float vapour = 0;
    float density = 0;
    metro.correctionFactors(0, 59, vapour, density);
    EXPECT_NEAR(density, 1.0, 1e-6); // no 0.3 hPa offset here
    metro.correctionFactors(10000, 59, vapour, density);
    EXPECT_NEAR(density, 20.586347 / 29.921, 1e-5);
}

TEST(CMetro, DryReferenceGivesVapourFactorOneEverywhere) {
    for (bool station : {false, true}) {
        const CMetro metro = referenceMetro(station);
        for (float alt : {0.0f, 2500.0f, 10000.0f}) {
            for (float temp : {0.0f, 59.0f, 120.0f}) {
                float vapour = 0;
                float density = 0;
                metro.correctionFactors(alt, temp, vapour, density);
                EXPECT_EQ(vapour, 1.0f) << alt << " ft " << temp << " F";
            }
        }
    }
}

TEST(CMetro, HumidReferenceLowersVapourFactorAndWarmAirIsThinner) {
    CMetro metro = referenceMetro(true);
    metro.refHumidity = 50;
    float vapour = 0;
    float density = 0;
    metro.correctionFactors(0, 90, vapour, density);
    EXPECT_LT(vapour, 1.0f);
    EXPECT_GT(vapour, 0.98f);
    float warm = 0;
    float cold = 0;
    metro.correctionFactors(0, 100, vapour, warm);
    metro.correctionFactors(0, 20, vapour, cold);
    EXPECT_LT(warm, cold);
}

} // namespace
