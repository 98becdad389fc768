// Wind zones against the lag rule for a wind that starts down range, cant against the geometry
// of a rolled rifle in a vacuum, and the aerodynamic jump's size and sign rules.
#include "precision/AeroJump.h"
#include "precision/Cant.h"
#include "precision_support.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace precision;
using namespace precision_test;

namespace {

constexpr double fpsPerMph = 5280.0 / 3600.0;
constexpr double inchesPerMoaAt100Yd = 3600 * std::numbers::pi / (180 * 60); // 1.0472

std::vector<TrajectoryPoint> rows(const Shot& shot) {
    return solve(shot, shippedCurve("G7"), everyYards(100, 1000));
}

TEST(WindZones, OneZoneAllTheWayIsTheLoadsWind) {
    Shot plain = typical308();
    plain.windMph = 10;
    plain.windAngleDeg = 60;
    Shot zoned = typical308();
    zoned.windZones = {{500, 10, 60}}; // the last zone blows on past its end
    const auto a = rows(plain), b = rows(zoned);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(a[i].windIn, b[i].windIn, 1e-9);
        EXPECT_NEAR(a[i].heightIn, b[i].heightIn, 1e-9);
    }
}

TEST(WindZones, AZoneEndingOnARowGivesThatRowItsOwnWindOnly) {
    Shot uniform = typical308();
    uniform.windMph = 10;
    uniform.windAngleDeg = 90;
    Shot zoned = typical308();
    zoned.windZones = {{300, 10, 90}, {1000, 0, 0}};
    const auto a = rows(uniform), b = rows(zoned);
    ASSERT_EQ(b.size(), 11u);
    for (std::size_t i = 0; i <= 3; ++i)
        EXPECT_NEAR(a[i].windIn, b[i].windIn, 1e-3) << a[i].rangeYd;
    // Past the zone the bullet keeps the sideways speed it got, but gains no more.
    for (std::size_t i = 4; i < b.size(); ++i) {
        EXPECT_GT(b[i].windIn, b[i - 1].windIn);
        EXPECT_LT(b[i].windIn, a[i].windIn - 1);
    }
}

TEST(WindZones, AWindStartingDownRangeDriftsByTheLagRuleFromWhereItStarts) {
    // McCoy: a crosswind W from range x1 on deflects the bullet at R by
    // W (t(R) - t(x1) - (R - x1) / V(x1)), t and V those of the flight without it.
    const Shot still = typical308();
    Shot zoned = typical308();
    zoned.windZones = {{300, 0, 0}, {1000, 10, 90}};
    const auto calm = rows(still), b = rows(zoned);
    ASSERT_EQ(b.size(), 11u);
    const double w = 10 * fpsPerMph;
    const TrajectoryPoint& start = calm[3];
    for (std::size_t i = 4; i < b.size(); ++i) {
        const double lagS =
            calm[i].timeS - start.timeS - (calm[i].rangeYd - start.rangeYd) * 3 / start.velocityFps;
        const double expectedIn = w * lagS * 12;
        EXPECT_NEAR(b[i].windIn, expectedIn, 0.02 * expectedIn + 0.2) << calm[i].rangeYd;
    }
}

TEST(WindZones, TextReadsBackAndBadZonesSayWhy) {
    const ZoneParse good = parseWindZones("300 5 90; 700 10 60; 1000 12 45", 3000, 25);
    ASSERT_TRUE(good.zones) << good.error;
    ASSERT_EQ(good.zones->size(), 3u);
    EXPECT_EQ((*good.zones)[1].endYd, 700);
    EXPECT_EQ(windZonesText(*good.zones), "300 5 90; 700 10 60; 1000 12 45");
    EXPECT_TRUE(parseWindZones("  ", 3000, 25).zones->empty());
    EXPECT_FALSE(parseWindZones("300 5 90; 200 5 90", 3000, 25).zones); // ends must grow
    EXPECT_FALSE(parseWindZones("300 5", 3000, 25).zones);
    EXPECT_FALSE(parseWindZones("300 30 90", 3000, 25).zones);
    EXPECT_FALSE(parseWindZones("300 5 400", 3000, 25).zones);
    EXPECT_FALSE(parseWindZones("1 0 0;2 0 0;3 0 0;4 0 0;5 0 0", 3000, 25).zones);
    EXPECT_FALSE(parseWindZones("100 5 x", 3000, 25).zones);
}

// In a vacuum the rolled rifle's line of departure is the upright one turned about the line of
// sight: the part above the sight that gravity does not cause turns by the cant.
TEST(Cant, InAVacuumTheDepartureTurnsAboutTheLineOfSight) {
    Shot upright = typical308();
    upright.zeroRangeYd = 300;
    upright.sightHeightIn = 2;
    const auto level = solve(upright, noDrag(), everyYards(100, 1000));
    for (double cantDeg : {5.0, -10.0, 30.0}) {
        Shot canted = upright;
        canted.cantDeg = cantDeg;
        const auto c = solve(canted, noDrag(), everyYards(100, 1000));
        ASSERT_EQ(c.size(), level.size());
        const double rad = cantDeg * std::numbers::pi / 180;
        for (std::size_t i = 1; i < c.size(); ++i) {
            const double dropIn = g * level[i].timeS * level[i].timeS / 2 * 12;
            const double departureIn = level[i].heightIn + dropIn;
            EXPECT_NEAR(c[i].windIn, departureIn * std::sin(rad), 0.01) << cantDeg;
            EXPECT_NEAR(c[i].heightIn, departureIn * std::cos(rad) - dropIn, 0.01) << cantDeg;
        }
    }
}

TEST(Cant, ClockwiseSendsTheBulletRightAndLowAndNoCantChangesNothing) {
    Shot upright = typical308();
    const auto a = rows(upright);
    Shot canted = upright;
    canted.cantDeg = 10;
    const auto b = rows(canted);
    Shot hair = upright;
    hair.cantDeg = 1e-12; // through the rolled geometry
    const auto c = rows(hair);
    for (std::size_t i = 2; i < a.size(); ++i) {
        EXPECT_GT(b[i].windIn, a[i].windIn + 0.1) << a[i].rangeYd;
        EXPECT_LT(b[i].heightIn, a[i].heightIn) << a[i].rangeYd;
        EXPECT_NEAR(c[i].heightIn, a[i].heightIn, 1e-6);
        EXPECT_NEAR(c[i].windIn, a[i].windIn, 1e-6);
    }
}

TEST(Cant, LaunchWithoutCantIsThePlainShotToTheBit) {
    LaunchGeometry g0;
    g0.lineOfSightRad = 0.1;
    g0.boreElevationRad = 0.002;
    g0.sightHeightFt = 0.125;
    g0.speedFps = 2600;
    const Launch l = launchOf(g0);
    const double bore = 0.1 + 0.002;
    EXPECT_EQ(l.startVelocityFps.x, 2600 * std::cos(bore));
    EXPECT_EQ(l.startVelocityFps.y, 2600 * std::sin(bore));
    EXPECT_EQ(l.startVelocityFps.z, 0);
}

Shot spinning(double twistIn, double windAngleDeg) {
    Shot shot = typical308();
    shot.twistIn = twistIn;
    shot.lengthIn = 1.24;
    shot.diameterIn = 0.308;
    shot.windMph = 10;
    shot.windAngleDeg = windAngleDeg;
    shot.aerodynamicJump = true;
    return shot;
}

TEST(AerodynamicJump, WindFromTheRightLiftsARightHandTwistAndTheLeftHandFlipsIt) {
    EXPECT_GT(aerodynamicJumpMoa(spinning(10, 270)), 0);
    EXPECT_LT(aerodynamicJumpMoa(spinning(10, 90)), 0);
    EXPECT_LT(aerodynamicJumpMoa(spinning(-10, 270)), 0);
    EXPECT_GT(aerodynamicJumpMoa(spinning(-10, 90)), 0);
    EXPECT_NEAR(aerodynamicJumpMoa(spinning(10, 270)), -aerodynamicJumpMoa(spinning(-10, 270)),
                1e-12);
    EXPECT_NEAR(aerodynamicJumpMoa(spinning(10, 0)), 0, 1e-12); // no crosswind
    Shot off = spinning(10, 270);
    off.aerodynamicJump = false;
    EXPECT_EQ(aerodynamicJumpMoa(off), 0);
    Shot noSpin = spinning(0, 270);
    EXPECT_EQ(aerodynamicJumpMoa(noSpin), 0);
}

TEST(AerodynamicJump, ItsFiguresFollowTheStabilityAndLength) {
    // Sg 2, 4 calibres, 10 mph from the right: (0.02 - 0.0096 + 0.032) x 10 = 0.424 MOA up.
    EXPECT_NEAR(litzJumpMoa({2.0, 4.0, 10, -10}), 0.424, 1e-12);
    // Sg 1.4, 5 calibres, 5 mph from the left, left-hand twist: (0.014 - 0.012 + 0.032) x 5 up.
    EXPECT_NEAR(litzJumpMoa({1.4, 5.0, -8, 5}), 0.17, 1e-12);
}

TEST(AerodynamicJump, ItRaisesTheImpactByItsAngleAtEveryRange) {
    const Shot on = spinning(10, 270);
    Shot off = on;
    off.aerodynamicJump = false;
    const double jumpMoa = aerodynamicJumpMoa(on);
    const auto a = rows(off), b = rows(on);
    for (std::size_t i = 1; i < a.size(); ++i) {
        const double expectedIn = jumpMoa * inchesPerMoaAt100Yd * a[i].rangeYd / 100;
        EXPECT_NEAR(b[i].heightIn - a[i].heightIn, expectedIn, 0.03 * std::abs(expectedIn))
            << a[i].rangeYd;
    }
    // The zones' first wind is the one at the muzzle.
    Shot zoned = on;
    zoned.windMph = 0;
    zoned.windZones = {{200, 10, 270}, {1000, 0, 0}};
    EXPECT_NEAR(aerodynamicJumpMoa(zoned), jumpMoa, 1e-12);
}

} // namespace
