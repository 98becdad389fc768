// Truing the drag: heights made with a known drag scale give that scale back, with one factor
// while the observations are supersonic and a factor per band on both sides of Mach 1.2.
#include "precision/DragTruing.h"
#include "precision_support.h"

#include <gtest/gtest.h>

using namespace precision;
using namespace precision_test;

namespace {

std::vector<Observation> observed(const Shot& shot, const DragCurve& curve,
                                  std::vector<double> rangesYd) {
    std::vector<Observation> obs;
    for (double r : rangesYd) { // in the order given, which need not be the range's
        const double one[] = {r};
        const auto points = solve(shot, curve, one);
        obs.push_back({r, points.at(0).heightIn});
    }
    return obs;
}

void expectThrough(const DragTruth& truth, const std::vector<Observation>& obs) {
    ASSERT_EQ(truth.truedHeightIn.size(), obs.size());
    for (std::size_t i = 0; i < obs.size(); ++i)
        EXPECT_NEAR(truth.truedHeightIn[i], obs[i].heightIn, 0.3) << obs[i].rangeYd;
}

TEST(DragTruing, SupersonicObservationsGiveOneScaleBack) {
    const Shot shot = typical308();
    const DragCurve g7 = shippedCurve("G7");
    for (double scale : {0.9, 1.08}) {
        auto obs = observed(shot, scaledDrag(g7, scale, scale), {600, 300, 700});
        const DragTruth truth = trueDrag(shot, g7, obs);
        ASSERT_TRUE(truth.problem.empty()) << truth.problem;
        EXPECT_FALSE(truth.twoBands);
        EXPECT_NEAR(truth.supersonicScale, scale, 0.005 * scale);
        EXPECT_EQ(truth.subsonicScale, truth.supersonicScale);
        expectThrough(truth, obs);
        for (double m : truth.mach)
            EXPECT_GE(m, bandEdgeMach);
    }
}

TEST(DragTruing, ObservationsOnBothSidesOfMach12GiveAScalePerBand) {
    const Shot shot = typical308();
    const DragCurve g7 = shippedCurve("G7");
    const std::vector<double> ranges{500, 1100, 1300};
    {
        auto obs = observed(shot, scaledDrag(g7, 1.05, 1.05), ranges);
        const DragTruth truth = trueDrag(shot, g7, obs);
        ASSERT_TRUE(truth.problem.empty()) << truth.problem;
        EXPECT_TRUE(truth.twoBands);
        EXPECT_NEAR(truth.supersonicScale, 1.05, 0.005 * 1.05);
        EXPECT_NEAR(truth.subsonicScale, 1.05, 0.005 * 1.05);
        expectThrough(truth, obs);
    }
    {
        auto obs = observed(shot, scaledDrag(g7, 1.04, 0.92), ranges);
        const DragTruth truth = trueDrag(shot, g7, obs);
        ASSERT_TRUE(truth.problem.empty()) << truth.problem;
        EXPECT_NEAR(truth.supersonicScale, 1.04, 0.005 * 1.04);
        EXPECT_NEAR(truth.subsonicScale, 0.92, 0.01 * 0.92);
        expectThrough(truth, obs);
    }
}

TEST(DragTruing, TheBandEdgeIsWhereItSays) {
    const DragCurve g7 = shippedCurve("G7");
    const DragCurve split = scaledDrag(g7, 2, 1);
    EXPECT_NEAR(split.cdAt(1.25), 2 * g7.cdAt(1.25), 1e-12);
    EXPECT_NEAR(split.cdAt(bandEdgeMach), 2 * g7.cdAt(bandEdgeMach), 1e-12);
    EXPECT_NEAR(split.cdAt(0.9), g7.cdAt(0.9), 1e-12);
    EXPECT_EQ(scaledDrag(g7, 1, 1).mach, g7.mach);
}

TEST(DragTruing, ObservationsNoDragCanMeetSayWhy) {
    const Shot shot = typical308();
    const DragCurve g7 = shippedCurve("G7");
    EXPECT_FALSE(trueDrag(shot, g7, {}).problem.empty());
    const std::vector<Observation> impossible{{600, 200}}; // far above any trajectory
    EXPECT_FALSE(trueDrag(shot, g7, impossible).problem.empty());
    const std::vector<Observation> behind{{0, -1.5}};
    EXPECT_FALSE(trueDrag(shot, g7, behind).problem.empty());
}

} // namespace
