#include "services/CBallUtil.h"
#include "units/Units.h"

#include "QuietPrompt.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

TEST(CBallUtil, Inch2MoaUnits) {
    const CBallUtil util;
    EXPECT_EQ(util.inch2moa(1.0473039f, 100, true), 1.0f);
    EXPECT_EQ(util.inch2moa(3.6f, 100, false), 1.0f);
    EXPECT_FLOAT_EQ(util.inch2moa(-10.473039f, 200, true), -5.0f);
    EXPECT_FLOAT_EQ(util.inch2moa(7.2f, 200, false), 1.0f);
    EXPECT_EQ(util.inch2moa(12, 0, true), 0.0f);
    EXPECT_EQ(util.inch2moa(-12, 0, false), 0.0f);
}

TEST(CBallUtil, AngleRoundClicksAndMils) {
    const CBallUtil util;
    EXPECT_FLOAT_EQ(util.angleRound(-10, 200, true, false), -19.1f);
    EXPECT_FLOAT_EQ(util.angleRound(10, 200, true, false), 19.1f);
    // 10 in at 200 yd is 1.3889 mil
    EXPECT_FLOAT_EQ(util.angleRound(10, 200, false, false), 1.4f);
    EXPECT_EQ(util.angleRound(5, 0, true, false), 0.0f);
    EXPECT_EQ(util.angleRound(5, 0.000009f, true, false), 0.0f);
}

TEST(CBallUtil, AngleRoundTreatsMetresAsYards) {
    const CBallUtil util;
    // 91.44 m is 100 yd: 1 MOA is 4 clicks.
    EXPECT_FLOAT_EQ(util.angleRound(1.0473039f, 91.44f, true, true), 4.0f);
    EXPECT_FLOAT_EQ(util.angleRound(3.6f, 91.44f, false, true), 1.0f);
    EXPECT_FLOAT_EQ(util.angleRound(-10, 182.88f, true, true), -19.1f);
    // Without the flag the same number is yards: a different correction.
    EXPECT_FLOAT_EQ(util.angleRound(1.0473039f, 91.44f, true, false), 4.4f);
}

TEST(CBallUtil, AngleRoundGoesHalfToEven) {
    const CBallUtil util;
    // A quarter click and three quarters of a click, exactly: halves go to the even tenth.
    const float quarterClickInches = 0.0625f * 1.0473039f;
    ASSERT_EQ(util.inch2moa(quarterClickInches, 100, true) * 4.0f, 0.25f);
    EXPECT_FLOAT_EQ(util.angleRound(quarterClickInches, 100, true, false), 0.2f);
    EXPECT_FLOAT_EQ(util.angleRound(-quarterClickInches, 100, true, false), -0.2f);
    const float threeQuarterInches = 0.1875f * 1.0473039f;
    ASSERT_EQ(util.inch2moa(threeQuarterInches, 100, true) * 4.0f, 0.75f);
    EXPECT_FLOAT_EQ(util.angleRound(threeQuarterInches, 100, true, false), 0.8f);
}

TEST(CBallUtil, ComponentsOfMotionUsesTheFullLeadFactor) {
    const CBallUtil util;
    float x = 0;
    float y = 0;
    util.componentsOfMotion(std::numbers::pi_v<float> / 2, 1.0f, 10.0f, x, y);
    EXPECT_NEAR(x, 176.0, 0.01); // 10 mph for one second
    EXPECT_NEAR(y, 0.0, 1e-4);
    util.componentsOfMotion(0, 0.5f, 20.0f, x, y);
    EXPECT_NEAR(x, 0.0, 1e-6);
    EXPECT_NEAR(y, 176.0, 0.01);
    util.componentsOfMotion(std::numbers::pi_v<float> / 6, 2.0f, 1.0f, x, y);
    EXPECT_NEAR(x, 17.6004, 1e-3);
    EXPECT_NEAR(y, 35.2008 * std::cos(std::numbers::pi / 6), 1e-3);
    EXPECT_FLOAT_EQ(Units::LeadInchesPerMphSecond, 17.6004f);
}

TEST(CBallUtil, ImpossiblyCloseRangeIsReportedNotInfinite) {
    QuietPrompt recorder; // nothing is said before the report below
    const CBallUtil util;
    const float r = util.inch2moa(1e30f, 1e-30f, true);
    EXPECT_EQ(r, 0.0f);
    // Kept for the caller's entry point, which reports it once.
    ASSERT_TRUE(util.problem());
    recorder.expected = {"CBallUtil inch2moa: 6 - Overflow"};
    Problems::report(*util.problem());
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.lastText(), "CBallUtil inch2moa: 6 - Overflow");
}

} // namespace
