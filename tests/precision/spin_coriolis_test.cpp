// Spin drift from Miller's stability factor and Litz's approximation, and Coriolis from the
// Earth's rotation.
#include "precision_support.h"

#include "precision/Stability.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace precision;
using namespace precision_test;

namespace {

constexpr double omega = 7.292115e-5; // rad/s
constexpr double degree = std::numbers::pi / 180;

Shot spinning308(double twistIn) {
    Shot shot = typical308();
    shot.twistIn = twistIn;
    shot.lengthIn = 1.24;
    shot.diameterIn = 0.308;
    return shot;
}

TEST(Stability, MillerFactorForA175GrainBulletInATenInchTwist) {
    // t = 10 / 0.308 = 32.468 calibres, l = 1.24 / 0.308 = 4.0260 calibres:
    // 30 * 175 / (32.468^2 * 0.308^3 * 4.0260 * (1 + 4.0260^2)) = 2.4603,
    // times (2600 / 2800)^(1/3) = 0.97560 at the muzzle velocity: 2.4003.
    EXPECT_NEAR(stabilityFactor(spinning308(10)), 2.4003, 0.0005);
    EXPECT_NEAR(stabilityFactor(spinning308(-10)), 2.4003, 0.0005);
    // Thinner air stabilises more: 95 F and 25 inHg give (555/519) * (29.92/25) = 1.27980.
    Shot thin = spinning308(10);
    thin.temperatureF = 95;
    thin.pressureInHg = 25;
    EXPECT_NEAR(stabilityFactor(thin) / stabilityFactor(spinning308(10)),
                1.27980 * 29.92126 / 29.92, 0.0001);
    Shot noTwist = spinning308(0), noLength = spinning308(10), noDiameter = spinning308(10);
    noLength.lengthIn = 0;
    noDiameter.diameterIn = 0;
    for (const Shot& none : {noTwist, noLength, noDiameter})
        EXPECT_EQ(stabilityFactor(none), 0.0);
}

TEST(SpinDrift, FollowsLitzAtEachRowsTimeToTheSideOfTheTwist) {
    const DragCurve g7 = shippedCurve("G7");
    const auto ranges = everyYards(250, 1500);
    const auto right = solve(spinning308(10), g7, ranges);
    const auto left = solve(spinning308(-10), g7, ranges);
    const auto none = solve(typical308(), g7, ranges);
    ASSERT_EQ(right.size(), ranges.size());
    const double sg = 2.4003;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const double litz = 1.25 * (sg + 1.2) * std::pow(right[i].timeS, 1.83);
        EXPECT_NEAR(right[i].spinIn, litz, 0.001 * litz + 1e-12) << ranges[i];
        EXPECT_NEAR(left[i].spinIn, -right[i].spinIn, 1e-12);
        EXPECT_NEAR(right[i].windIn, right[i].spinIn + none[i].windIn, 1e-9);
        EXPECT_NEAR(right[i].heightIn, none[i].heightIn, 1e-9);
        EXPECT_EQ(none[i].spinIn, 0.0);
    }
    // About a foot at 1000 yd for this bullet (1.79 s).
    EXPECT_NEAR(solve(spinning308(10), g7, std::vector<double>{1000})[0].spinIn, 13.1, 0.2);
}

// A level, unzeroed shot in a vacuum at 2700 ft/s from latitude 45 on an azimuth.
std::vector<TrajectoryPoint> vacuumCoriolis(double latitudeDeg, double azimuthDeg) {
    Shot shot;
    shot.muzzleVelocityFps = 2700;
    shot.bc = 0.5;
    shot.latitudeDeg = latitudeDeg;
    shot.azimuthDeg = azimuthDeg;
    return solve(shot, noDrag(), everyYards(500, 2000));
}

TEST(Coriolis, InAVacuumDeflectsByOmegaTimesRangeTimesTime) {
    // Horizontal: 2 Omega sin(lat) vx sideways; vertical (Eotvos): 2 Omega cos(lat) sin(az) vx
    // up. With vx = v0 both integrate to Omega (sin or cos) x t.
    for (double azimuth : {90.0, 270.0}) {
        const double sinAz = std::sin(azimuth * degree);
        for (const TrajectoryPoint& p : vacuumCoriolis(45, azimuth)) {
            const double xt = p.rangeYd * 3 * p.timeS * 12;
            const double side = omega * std::sin(45 * degree) * xt;
            const double up = omega * std::cos(45 * degree) * sinAz * xt;
            EXPECT_NEAR(p.coriolisHorizontalIn, side, 0.002 * side + 1e-9) << p.rangeYd;
            EXPECT_NEAR(p.coriolisVerticalIn, up, 0.002 * std::abs(up) + 1e-9) << p.rangeYd;
        }
    }
}

TEST(Coriolis, FlipsSidewaysBetweenHemispheresAndUpDownBetweenEastAndWest) {
    // Fired east, so the Earth's axis has no component along the line of fire and the falling
    // bullet's vertical speed adds no sideways term of its own.
    const auto north = vacuumCoriolis(45, 90), south = vacuumCoriolis(-45, 90);
    const auto east = vacuumCoriolis(30, 90), west = vacuumCoriolis(30, 270);
    const std::size_t far = north.size() - 1;
    EXPECT_GT(north[far].coriolisHorizontalIn, 5.0); // to the right in the north
    EXPECT_NEAR(south[far].coriolisHorizontalIn, -north[far].coriolisHorizontalIn, 1e-3);
    EXPECT_GT(east[far].coriolisVerticalIn, 3.0); // fired east the bullet climbs
    EXPECT_NEAR(west[far].coriolisVerticalIn, -east[far].coriolisVerticalIn, 1e-3);
    EXPECT_NEAR(east[far].coriolisHorizontalIn, west[far].coriolisHorizontalIn, 1e-3);
    // Fired due north the vertical part is second order; at the equator the horizontal one.
    EXPECT_LT(std::abs(vacuumCoriolis(45, 0)[far].coriolisVerticalIn), 0.02);
    EXPECT_LT(std::abs(vacuumCoriolis(0, 90)[far].coriolisHorizontalIn), 0.02);
}

TEST(Coriolis, WithDragIsTwiceOmegaTimesTheIntegralOfTimeOverRange) {
    // Flat fire with drag K: z'' = 2 Omega sin(lat) vx - K z' and vx' = -K vx are solved by
    // z' = 2 Omega sin(lat) t vx, so z = 2 Omega sin(lat) * integral of t dx; likewise the
    // Eotvos rise with cos(lat) sin(az). The integral comes from the plain trajectory's times.
    const DragCurve g7 = shippedCurve("G7");
    Shot shot = spinning308(10);
    shot.windMph = 10;
    shot.windAngleDeg = 90;
    const auto plain = solve(shot, g7, everyYards(5, 1000));
    shot.latitudeDeg = 45;
    shot.azimuthDeg = 60;
    const auto turning = solve(shot, g7, everyYards(5, 1000));
    ASSERT_EQ(plain.size(), turning.size());
    double integral = 0; // ft s
    for (std::size_t i = 1; i < plain.size(); ++i) {
        integral += (plain[i].timeS + plain[i - 1].timeS) / 2 * 15;
        if (i % 20) continue;
        const TrajectoryPoint& p = turning[i];
        const double side = 2 * omega * std::sin(45 * degree) * integral * 12;
        const double up = 2 * omega * std::cos(45 * degree) * std::sin(60 * degree) * integral * 12;
        EXPECT_NEAR(p.coriolisHorizontalIn, side, 0.01 * side) << p.rangeYd;
        EXPECT_NEAR(p.coriolisVerticalIn, up, 0.01 * up) << p.rangeYd;
        EXPECT_NEAR(p.heightIn, plain[i].heightIn + p.coriolisVerticalIn, 1e-9);
        // (The spin drift differs by the microseconds Coriolis adds to the time of flight.)
        EXPECT_NEAR(p.windIn, plain[i].windIn + p.coriolisHorizontalIn, 1e-4);
        EXPECT_EQ(plain[i].coriolisHorizontalIn, 0.0);
    }
    // Less than Omega sin(lat) x t (3.32 in at 1000 yd), as the bullet slows down.
    EXPECT_NEAR(turning.back().coriolisHorizontalIn, 2.84, 0.1);
}

} // namespace
