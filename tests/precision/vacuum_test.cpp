// Trajectories with closed forms: flight in a vacuum, level and inclined, zeroed or not, and the
// flat-fire limit with drag.
#include "precision_support.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace precision;
using namespace precision_test;

namespace {

constexpr double degree = std::numbers::pi / 180;

Shot vacuumShot(double slopeDeg) {
    Shot shot;
    shot.muzzleVelocityFps = 2700;
    shot.bc = 0.5;
    shot.slopeDeg = slopeDeg;
    return shot;
}

TEST(Vacuum, UnzeroedShotFollowsTheParabolaLevelUphillAndDownhill) {
    // Started on the line of sight and along it: after t seconds the bullet has gone
    // v0 t - g t^2 sin(a) / 2 along the line and fallen g t^2 cos(a) / 2 below it.
    const DragCurve vacuum = noDrag();
    const std::vector<double> ranges = everyYards(250, 2000);
    for (double slopeDeg : {0.0, 30.0, -30.0, 60.0}) {
        SCOPED_TRACE(slopeDeg);
        const Shot shot = vacuumShot(slopeDeg);
        const double a = slopeDeg * degree, v0 = shot.muzzleVelocityFps;
        const auto points = solve(shot, vacuum, ranges);
        ASSERT_EQ(points.size(), ranges.size());
        for (const TrajectoryPoint& p : points) {
            const double t = vacuumTimeS(v0, a, p.rangeYd * 3);
            const double vertical = v0 * std::sin(a) - g * t;
            const double speed = std::hypot(v0 * std::cos(a), vertical);
            EXPECT_NEAR(p.timeS, t, 1e-9 + 1e-9 * t) << p.rangeYd;
            EXPECT_NEAR(p.heightIn, -g * t * t / 2 * std::cos(a) * 12, 1e-6) << p.rangeYd;
            EXPECT_NEAR(p.velocityFps, speed, 1e-6) << p.rangeYd;
            EXPECT_NEAR(p.windIn, 0, 1e-12);
        }
    }
}

TEST(Vacuum, ZeroedShotKeepsTheLevelZeroAngleAboveATiltedSight) {
    // Level zero: bore s below the sight, elevated by e, height(x) = -s + x tan e
    // - g x^2 (1 + tan^2 e) / (2 v0^2) = 0 at x = Z is a quadratic in tan e.
    const double s = 2.5 / 12, z = 600, v0 = 2700;
    const double k = g * z * z / (2 * v0 * v0);
    const double e = std::atan((z - std::sqrt(z * z - 4 * k * (s + k))) / (2 * k));
    for (double slopeDeg : {0.0, 20.0, -20.0}) {
        SCOPED_TRACE(slopeDeg);
        Shot shot = vacuumShot(slopeDeg);
        shot.sightHeightIn = 2.5;
        shot.zeroRangeYd = 200;
        EXPECT_NEAR(*zeroElevationRad(shot, noDrag()), e, 1e-10);
        // In the sight's own axes the bullet starts at (0, -s) with velocity v0 (cos e, sin e);
        // gravity has components -g sin(a) along the sight and -g cos(a) across it.
        const double a = slopeDeg * degree;
        const auto points = solve(shot, noDrag(), everyYards(100, 1000));
        ASSERT_EQ(points.size(), 11u);
        EXPECT_NEAR(points[0].heightIn, -2.5, 1e-12);
        for (std::size_t i = 1; i < points.size(); ++i) {
            const double along = points[i].rangeYd * 3;
            const double b = v0 * std::cos(e), c = g * std::sin(a) / 2;
            const double t = c == 0 ? along / b : (b - std::sqrt(b * b - 4 * c * along)) / (2 * c);
            const double across = -s + v0 * std::sin(e) * t - g * std::cos(a) * t * t / 2;
            EXPECT_NEAR(points[i].timeS, t, 1e-9);
            EXPECT_NEAR(points[i].heightIn, across * 12, 1e-5);
        }
    }
}

TEST(Vacuum, ARangeBehindTheMuzzleGivesTheMuzzleAndUnreachableRangesAreLeftOut) {
    Shot shot = vacuumShot(0);
    SolveOptions options;
    options.maxTimeS = 1.0; // 900 yd at 2700 ft/s
    const std::vector<double> ranges{0, 500, 899, 901, 1000};
    const auto points = solve(shot, noDrag(), ranges, options);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].timeS, 0.0);
    EXPECT_EQ(points[0].velocityFps, 2700.0);
    EXPECT_EQ(points[2].rangeYd, 899.0);
    // Fired straight up at 500 ft/s the bullet turns back at 500^2 / (2 g) = 3885 ft.
    shot.slopeDeg = 90;
    shot.muzzleVelocityFps = 500;
    const std::vector<double> high{1290, 1300};
    const auto up = solve(shot, noDrag(), high);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_NEAR(up[0].velocityFps, std::sqrt(500.0 * 500 - 2 * g * 3870), 1e-6);
}

TEST(FlatFire, DropIsHalfGTSquaredLessTheDragOnTheFallingSpeed) {
    // Short level range, little drag: the vertical speed obeys vy' = -g - K vy with K the
    // retardation per unit speed, so drop = g t^2 / 2 (1 - K t / 3 + ...).
    const DragCurve g7 = shippedCurve("G7");
    Shot shot = typical308();
    shot.zeroRangeYd = 0;
    shot.bc = 1e6; // practically no drag: drop is g t^2 / 2
    std::vector<double> ranges{100, 200};
    auto points = solve(shot, g7, ranges);
    for (const TrajectoryPoint& p : points) {
        EXPECT_NEAR(p.timeS, p.rangeYd * 3 / 2600, 1e-6);
        EXPECT_NEAR(-p.heightIn, g * p.timeS * p.timeS / 2 * 12, 1e-4);
    }
    shot.bc = 0.5;
    points = solve(shot, g7, ranges);
    const double mach = 2600 / 1116.45;
    const double k = 2.08551e-4 * g7.cdAt(mach) * 2600 / 0.5; // per second, at the muzzle
    const TrajectoryPoint& p = points[0];
    const double ratio = -p.heightIn / 12 / (g * p.timeS * p.timeS / 2);
    EXPECT_NEAR(ratio, 1 - k * p.timeS / 3, 0.002);
    EXPECT_LT(ratio, 1.0);
}

} // namespace
