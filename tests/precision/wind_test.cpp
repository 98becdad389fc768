// Wind as a vector: direction conventions, the lag rule for the crosswind drift, and the range
// component's effect on drop.
#include "precision_support.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace precision;
using namespace precision_test;

namespace {

constexpr double fpsPerMph = 5280.0 / 3600.0;

std::vector<TrajectoryPoint> windyRows(double mph, double angleDeg) {
    Shot shot = typical308();
    shot.windMph = mph;
    shot.windAngleDeg = angleDeg;
    return solve(shot, shippedCurve("G7"), everyYards(100, 1500));
}

TEST(Wind, AlongTheLineOfFireMovesNothingSideways) {
    for (double angle : {0.0, 180.0, 360.0}) {
        for (const TrajectoryPoint& p : windyRows(20, angle))
            EXPECT_NEAR(p.windIn, 0, 1e-9) << angle << " deg at " << p.rangeYd;
    }
}

TEST(Wind, FromTheLeftDriftsRightAndFromTheRightTheSameDistanceLeft) {
    const auto left = windyRows(10, 90), right = windyRows(10, 270);
    ASSERT_EQ(left.size(), right.size());
    for (std::size_t i = 1; i < left.size(); ++i) {
        EXPECT_GT(left[i].windIn, 0);
        EXPECT_NEAR(left[i].windIn, -right[i].windIn, 1e-9);
        EXPECT_NEAR(left[i].heightIn, right[i].heightIn, 1e-9);
    }
}

TEST(Wind, CrosswindDriftFollowsTheLagRule) {
    // Point mass in a steady crosswind W: drift = W (t - x / v0), t the time of flight.
    const double w = 10 * fpsPerMph;
    for (const TrajectoryPoint& p : windyRows(10, 90)) {
        const double lag = p.timeS - p.rangeYd * 3 / 2600;
        EXPECT_NEAR(p.windIn, w * lag * 12, 0.005 * w * lag * 12 + 1e-9) << p.rangeYd;
    }
}

TEST(Wind, AQuarteringWindDriftsByItsCrossComponentAndItsRangePartActsToo) {
    const auto full = windyRows(10, 90), quartering = windyRows(10, 45);
    const auto tail = windyRows(10, 0), head = windyRows(10, 180), still = windyRows(0, 0);
    const std::size_t at1000 = 10;
    EXPECT_NEAR(quartering[at1000].windIn, full[at1000].windIn * std::sin(std::numbers::pi / 4),
                0.02 * full[at1000].windIn);
    // A tail wind lowers the airspeed, hence the drag: the bullet is quicker and falls less.
    EXPECT_LT(tail[at1000].timeS, still[at1000].timeS);
    EXPECT_GT(tail[at1000].heightIn, still[at1000].heightIn + 1);
    EXPECT_GT(head[at1000].timeS, still[at1000].timeS);
    EXPECT_LT(head[at1000].heightIn, still[at1000].heightIn - 1);
}

} // namespace
