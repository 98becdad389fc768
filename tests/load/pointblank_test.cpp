// The point-blank search: zero, maximum point-blank range and sight-in height at 100.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Result {
    float zero, range, at100;
    bool ok;
};

class PointBlankTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    QuietPrompt prompts; // a message the test did not script fails it
    LoadModel model;
    CTextOutput txt;

    void SetUp() override {
        model.form = LoadForm::initial();
        model.refreshAllFields();
    }

    Result run(float target, float group) {
        model.values.killZone = target;
        model.values.groupSize = group;
        CPointBlank pb;
        const bool ok = pb.pointBlankRange(model.snapshot());
        return {pb.pbZero, pb.pbRange, pb.zero100, ok};
    }

    // Height of the path above the line of sight at `range` for a load zeroed at `zero`,
    // integrated the way the search integrates.
    float heightAt(float zero, float range) {
        SolverRecord record{};
        record = model.snapshot().record(model.values.in1, model.values.in1);
        record.stepRate = static_cast<int16_t>(std::lround(record.maxRange * 6));
        record.zeroRange = zero;
        record.isZeroed = 1;
        CSmallBall sb;
        sb.isTable = true;
        sb.allocMem(record);
        sb.calcAll(record);
        SolverRow row{};
        sb.getOneResult(row, range, 1);
        sb.deAllocMem();
        return row.y;
    }
};

TEST_F(PointBlankTest, TheDefaultLoadKeepsWithinATenInchTarget) {
    const Result r = run(10, 0);
    ASSERT_TRUE(r.ok);
    // A 2635 ft/s .308 with a 10" vital zone: a zero near 250 yd, point blank near 300.
    EXPECT_GT(r.zero, 150);
    EXPECT_LT(r.zero, 350);
    EXPECT_GT(r.range, r.zero);
    EXPECT_LT(r.range, 2 * r.zero + 1);
    EXPECT_EQ(r.range, std::round(r.range));
    EXPECT_EQ(r.zero, std::round(r.zero * 10) / 10);
    // The sight-in height at 100 lies inside the upper half of the target.
    EXPECT_GT(r.at100, 0);
    EXPECT_LE(r.at100, 5);
    // The path at the zero found peaks close to the top of the target, and at the maximum
    // point-blank range it has just left the bottom of it.
    float peak = -100;
    for (int x = 0; x <= static_cast<int>(r.zero); x += 5)
        peak = std::max(peak, heightAt(r.zero, x));
    EXPECT_NEAR(peak, 5, 0.3);
    EXPECT_LT(heightAt(r.zero, r.range), -5 + 0.05);
    EXPECT_GT(heightAt(r.zero, r.range - 2), -5);
    EXPECT_NEAR(heightAt(r.zero, 100), r.at100, 0.15);
    // The table writer's binding is free again.
    EXPECT_FALSE(txt.sbDll.isAllocated());
}

TEST_F(PointBlankTest, GroupSizeShrinksTheRange) {
    const Result wide = run(10, 0);
    const Result grouped = run(10, 4);
    ASSERT_TRUE(wide.ok && grouped.ok);
    EXPECT_LT(grouped.range, wide.range);
    EXPECT_LE(grouped.zero, wide.zero);
}

TEST_F(PointBlankTest, ATargetTheLoadAlwaysRisesAboveEndsAtTheSmallestZero) {
    // No sight height, no target left beyond the muzzle: every candidate zero rises too high,
    // so the bisection halves from 200 ten times: 200 / 1024 = 0.195, shown as 0.2.
    model.setFieldText(InputFields::SightHeight, QStringLiteral("0"));
    const Result r = run(0, 1);
    ASSERT_TRUE(r.ok);
    EXPECT_FLOAT_EQ(r.zero, 0.2f);
}

TEST_F(PointBlankTest, AShortZeroReadsTheSightInOffTheFinalPath) {
    model.setFieldText(InputFields::SightHeight, QStringLiteral("0"));
    // A 1" target: the zero lies short of 100 and the falling scan passes 100.
    const Result r = run(1, 0);
    ASSERT_TRUE(r.ok);
    ASSERT_LT(r.zero, 100);
    ASSERT_GT(r.range, 100);
    EXPECT_NEAR(r.at100, heightAt(r.zero, 100), 0.03);
    EXPECT_LE(std::fabs(r.at100), 0.5f);
    // A 0.1" target: no scan reaches 100; the height still comes from the final path.
    const Result tiny = run(0.1f, 0);
    ASSERT_TRUE(tiny.ok);
    ASSERT_LT(tiny.range, 100);
    EXPECT_NEAR(tiny.at100, heightAt(tiny.zero, 100), 0.05);
    EXPECT_LT(tiny.at100, -1);
}

TEST_F(PointBlankTest, DownhillIsLevelUnlessCosineDropIsOn) {
    model.form.chkAdvanced = 1;
    model.form.optRR1 = false; // cosine range
    const Result level = run(10, 2);
    model.setFieldText(InputFields::Angle, QStringLiteral("-30"));
    const Result downhill = run(10, 2);
    EXPECT_EQ(downhill.zero, level.zero);
    EXPECT_EQ(downhill.range, level.range);
    EXPECT_EQ(downhill.at100, level.at100);
    // Uphill with cosine range reads the path at the horizontal distance: a longer reach.
    model.setFieldText(InputFields::Angle, QStringLiteral("30"));
    const Result uphill = run(10, 2);
    EXPECT_GT(uphill.range, level.range);

    // Cosine drop scales every height by cos(angle), uphill and downhill alike.
    model.form.optRR1 = true;
    const Result dropUp = run(10, 2);
    model.setFieldText(InputFields::Angle, QStringLiteral("-30"));
    const Result dropDown = run(10, 2);
    EXPECT_EQ(dropUp.zero, dropDown.zero);
    EXPECT_EQ(dropUp.range, dropDown.range);
    EXPECT_GT(dropDown.range, level.range);
}

TEST_F(PointBlankTest, CosineDropHalvesHeightsAtSixtyDegrees) {
    // Heights times cos 60 = 0.5 against a target T is the level path against 2T (group too).
    model.form.chkAdvanced = 1;
    const Result level = run(12, 2);
    model.form.optRR1 = true;
    model.setFieldText(InputFields::Angle, QStringLiteral("60"));
    const Result scaled = run(6, 1);
    EXPECT_NEAR(scaled.zero, level.zero, 0.15);
    EXPECT_NEAR(scaled.range, level.range, 1);
    EXPECT_NEAR(scaled.at100, level.at100 * 0.5f, 0.02);
}

TEST_F(PointBlankTest, MetricRangesAreMetres) {
    const Result yards = run(10, 0);
    model.form.optMetric1 = true;
    const Result metres = run(10, 0);
    ASSERT_TRUE(metres.ok);
    // The same path in metres: the distances shrink by about 0.9144 (the zero range of the load
    // does not take part in the search).
    EXPECT_NEAR(metres.range, yards.range * 0.9144f, 3);
    EXPECT_NEAR(metres.zero, yards.zero * 0.9144f, 3);
}

TEST_F(PointBlankTest, RunningTwiceGivesTheSameAnswer) {
    const Result a = run(8, 1);
    const Result b = run(8, 1);
    EXPECT_EQ(a.zero, b.zero);
    EXPECT_EQ(a.range, b.range);
    EXPECT_EQ(a.at100, b.at100);
}

TEST(PointBlankWithoutSolver, ReportsAndReturns) {
    TestAppFolder folder(false);
    QuietPrompt prompts; // nothing shown: the failure goes with the result
    LoadModel model;
    model.form = LoadForm::initial();
    model.refreshAllFields();
    CTextOutput txt;
    CPointBlank pb;
    EXPECT_FALSE(pb.pointBlankRange(model.snapshot()));
    ASSERT_EQ(pb.solverFailures.size(), 1);
    EXPECT_TRUE(pb.solverFailures.front().messageText().startsWith(
        QStringLiteral("CSmallBall allocMem: ")));
    EXPECT_FALSE(pb.failure);
    EXPECT_FALSE(txt.sbDll.isAllocated());
}

} // namespace
