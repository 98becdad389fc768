// The simulator's trajectory, its angle conversions and the scatter generator.
#include "sim_test_support.h"

#include "load/InputFields.h"
#include "load/Truing.h"
#include "sim/CHUD.h"
#include "sim/CNormalDist.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CHUDConversions, MoaAndMilAtHundredYardsAndZero) {
    CHUD hud;
    EXPECT_FLOAT_EQ(hud.inch2moa(1.0473039f, 100), 1.0f);
    EXPECT_FLOAT_EQ(hud.inch2mil(3.6f, 100), 1.0f);
    EXPECT_FLOAT_EQ(hud.inch2moa(5, 0), 0.0f);
    EXPECT_FLOAT_EQ(hud.inch2mil(5, 0), 0.0f);
    // Twice the range, half the angle.
    EXPECT_FLOAT_EQ(hud.inch2moa(1.0473039f, 200), 0.5f);
}

TEST(CHUDConversions, MetricRangeIsConvertedToYards) {
    SimFixture f;
    f.sim.settings.optSimMetric1 = true;
    f.sim.formHudInit();
    ASSERT_TRUE(f.sim.hud.isMetric());
    // 100 m is 109.36133 yd: the same inches subtend less.
    EXPECT_NEAR(f.sim.hud.inch2moa(1.0473039f, 100), 1.0f / 1.0936133f, 1e-6);
    EXPECT_NEAR(f.sim.hud.inch2mil(3.6f, 100), 1.0f / 1.0936133f, 1e-6);
    f.sim.settings.optSimMetric1 = false;
    f.sim.formHudInit();
    EXPECT_FLOAT_EQ(f.sim.hud.inch2moa(1.0473039f, 100), 1.0f);
}

TEST(CHUDTrajectory, ResultsWithinRangeAndFalseBeyond) {
    SimFixture f;
    float drop = 123, drift = 456, t = 789;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, drift, 300, t));
    EXPECT_LT(drop, 0.0f); // below the line of sight beyond the zero
    EXPECT_GT(t, 0.2f);
    EXPECT_LT(t, 0.6f);
    // Far beyond the computed flight: false and the outputs stay.
    drop = 123, drift = 456, t = 789;
    EXPECT_FALSE(f.sim.hud.oneResult(drop, drift, 20000, t));
    EXPECT_EQ(drop, 123.0f);
    EXPECT_EQ(drift, 456.0f);
    EXPECT_EQ(t, 789.0f);
}

TEST(CHUDTrajectory, BeforeAnyInitThereIsNoResult) {
    CHUD hud;
    float drop = 1, drift = 2, t = 3;
    EXPECT_FALSE(hud.oneResult(drop, drift, 100, t));
    EXPECT_EQ(drop, 1.0f);
}

TEST(CHUDTrajectory, WindMovesTheDriftOnlyAndLeavesTheLoadAlone) {
    SimFixture f;
    const CInput before = f.model->values.in1;
    float drop0 = 0, drift0 = 0, t0 = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop0, drift0, 500, t0));
    f.sim.settings.sldWind = 10;
    f.sim.formHudInit();
    float drop10 = 0, drift10 = 0, t10 = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop10, drift10, 500, t10));
    EXPECT_GT(std::fabs(drift10 - drift0), 1.0f); // several MOA at 500 yd in 10 mph
    EXPECT_NEAR(drop10, drop0, 0.05f);
    EXPECT_EQ(f.model->values.in1, before); // the table's load keeps its own wind
    // The record kept afterwards holds the load's own unit again, not the simulator's.
    EXPECT_EQ(f.sim.hud.record().isMetric, 0);
}

TEST(CHUDTrajectory, NonNumericMaximumRangeIsReportedAndKeepsTheTrajectory) {
    SimFixture f;
    float drop = 0, drift = 0, t = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, drift, 400, t));
    f.prompts.clear();
    f.sim.settings.txtSimMaxRange = "far";
    const QList<Problem> problems = f.sim.formHudInit();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.front().messageText(), "CHUD init: 13 - Type mismatch");
    float drop2 = 0, drift2 = 0, t2 = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop2, drift2, 400, t2));
    EXPECT_EQ(drop2, drop);
}

TEST(CHUDTrajectory, LongMaximumRangeFliesLongerThanTwoSeconds) {
    SimFixture f;
    // A slow, draggy load that needs more than 2 s to reach 1300 yd.
    f.model->setFieldText(InputFields::MuzzleVelocity, "1800");
    f.model->setFieldText(InputFields::Bc, "0.2");
    f.sim.settings.txtSimMaxRange = "1300";
    f.sim.formHudInit();
    EXPECT_GT(f.sim.hud.flightTime(), 2.0f);
    float drop = 0, drift = 0, t = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, drift, 1300, t));
    EXPECT_GT(t, 2.0f);
    // Short ranges keep the usual flight.
    f.sim.settings.txtSimMaxRange = "300";
    f.sim.formHudInit();
    EXPECT_EQ(f.sim.hud.flightTime(), 2.0f);
}

TEST(CNormalDistTest, ZeroVarianceReturnsTheMean) {
    CNormalDist d;
    EXPECT_EQ(d.rndNormal(0, 0), 0.0f);
    EXPECT_EQ(d.rndNormal(3.5f, 0), 3.5f);
}

TEST(CNormalDistTest, MeanAndSpreadOverManyDraws) {
    CNormalDist d;
    d.seed(12345);
    d.setClock([] { return uint64_t(42); });
    const int n = 20000;
    double sum = 0, sq = 0;
    for (int i = 0; i < n; ++i) {
        const double x = d.rndNormal(0, 4);
        sum += x;
        sq += x * x;
    }
    const double mean = sum / n;
    const double sd = std::sqrt(sq / n - mean * mean);
    EXPECT_NEAR(mean, 0.0, 0.06);
    EXPECT_NEAR(sd, 2.0, 0.06);
}

TEST(CNormalDistTest, FixedSeedAndClockRepeatAndAStoppedClockStillMoves) {
    CNormalDist a, b;
    for (CNormalDist* d : {&a, &b}) {
        d->seed(777);
        d->setClock([] { return uint64_t(5); });
    }
    const float first = a.rndNormal(0, 1);
    EXPECT_EQ(first, b.rndNormal(0, 1));
    // The clock has not moved, yet the next draw differs.
    EXPECT_NE(first, a.rndNormal(0, 1));
}

TEST(CNormalDistTest, UniformStaysInUnitInterval) {
    CNormalDist d;
    d.seed(1);
    for (int i = 0; i < 100000; ++i) {
        const float u = d.uniform();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
    }
}

TEST(CHUDTrajectory, ThePrecisionModelFliesTheShotsWhileItIsOn) {
    SimFixture f;
    float classicDrop = 0, classicDrift = 0, t = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(classicDrop, classicDrift, 500, t));

    PrecisionForm& precision = f.model->form.precision;
    auto dropAndDrift = [&f](const char* twist) {
        f.model->form.precision.fields = {twist, "1.2", "0.308", "", "0", "0", "59"};
        f.sim.formHudInit();
        std::pair<float, float> result{0, 0};
        float time = 0;
        EXPECT_TRUE(f.sim.hud.oneResult(result.first, result.second, 500, time));
        return result;
    };
    precision.setOn(true);
    const auto right = dropAndDrift("10");
    const auto left = dropAndDrift("-10");
    // The table's height at the same range and velocity, as an angle.
    const double velocity = f.model->form.fields[InputFields::MuzzleVelocity].toDouble();
    const auto height =
        Truing::heightAt(LoadSnapshot::of(f.model->form, f.model->values), 500, velocity);
    ASSERT_TRUE(height);
    EXPECT_NEAR(right.first, f.sim.hud.inch2moa(float(*height), 500), 0.05);
    EXPECT_NE(right.first, classicDrop);
    // Spin drift is to the side of the twist.
    EXPECT_GT(right.second - left.second, 0.2f);

    precision.setOn(false);
    f.sim.formHudInit();
    float drop = 0, drift = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, drift, 500, t));
    EXPECT_EQ(drop, classicDrop);
    EXPECT_EQ(drift, classicDrift);
}
