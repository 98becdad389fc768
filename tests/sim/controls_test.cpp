// The simulator controls' handlers: sliders and their boxes, the angle folding, the checked
// boxes with their ranges and messages, the score boxes, New, and the switches.
#include "sim_test_support.h"

#include "sim/SimControls.h"
#include "sim/SimHost.h"

#include <gtest/gtest.h>

namespace {

using Slider = SimControls::Slider;
using Box = SimControls::Box;

// Counts the scenes the simulator shows.
class CountingHost : public SimHost {
public:
    int shown = 0;
    void showScene(const QImage&) override { ++shown; }
};

struct ControlsTest : ::testing::Test {
    SimFixture f{200};
    SimControls c{f.sim};
    CountingHost host;

    ControlsTest() {
        f.sim.setHost(&host);
        f.sim.setCanDraw(true);
        f.sim.settings.cboReticle.clear();
    }
    ~ControlsTest() override { f.sim.setHost(nullptr); }

    SimSettings& s() { return f.sim.settings; }
};

} // namespace

TEST_F(ControlsTest, AngleBoxFoldsIntoOneTurnAndTurnsTheDial) {
    c.txtAngleChange("370");
    EXPECT_EQ(s().txtAngle, "10");
    EXPECT_EQ(s().sldAngle, 10);
    EXPECT_DOUBLE_EQ(s().ucAngle, 10);

    c.txtAngleChange("-90");
    EXPECT_EQ(s().txtAngle, "270");
    EXPECT_DOUBLE_EQ(s().ucAngle, 270);
    EXPECT_EQ(s().sldAngle, s().rangeAngle.clamp(270));

    c.txtAngleChange("730");
    EXPECT_EQ(s().txtAngle, "10");
    c.txtAngleChange("359");
    EXPECT_EQ(s().txtAngle, "359");
    c.txtAngleChange("north");
    EXPECT_EQ(s().txtAngle, "0");
    EXPECT_DOUBLE_EQ(s().ucAngle, 0);
    c.txtAngleChange("1e300"); // no endless folding
    EXPECT_EQ(s().txtAngle, "0");
    EXPECT_DOUBLE_EQ(s().ucAngle, 0);
}

TEST_F(ControlsTest, AngleSliderReachesAFullTurnOnlyAfterItsFirstMove) {
    EXPECT_EQ(s().rangeAngle.maximum, 359);
    c.sldAngleMove(45);
    EXPECT_EQ(s().rangeAngle.maximum, 360);
    EXPECT_EQ(s().txtAngle, "45");
    EXPECT_DOUBLE_EQ(s().ucAngle, 45);
    c.sldAngleMove(360); // a full turn is north again
    EXPECT_EQ(s().txtAngle, "0");
    EXPECT_EQ(s().sldAngle, 0);
    EXPECT_EQ(s().rangeAngle.maximum, 360);
}

TEST_F(ControlsTest, SliderChangeWritesItsBoxAndRedraws) {
    const int before = host.shown;
    c.setSlider(Slider::Range, 300);
    EXPECT_EQ(s().txtRange, "300");
    EXPECT_GT(host.shown, before);
    c.setSlider(Slider::Zoom, 12);
    EXPECT_EQ(s().txtZoom, "12");
    EXPECT_EQ(f.sim.captions().lblFovZoom, "7.5 feet @ zoom of: 12");
    c.setSlider(Slider::Speed, 45); // beyond the slider: clamped, never failing
    EXPECT_EQ(s().sldSpeed, 30);
    EXPECT_EQ(s().txtSpeed, "30");
}

TEST_F(ControlsTest, ScrollingShowsTheValueOnlyAtTheEnds) {
    c.sliderScroll(Slider::Range, 700);
    EXPECT_EQ(s().txtRange, "50");
    c.sliderScroll(Slider::Range, s().rangeRange.maximum);
    EXPECT_EQ(s().txtRange, QString::number(s().rangeRange.maximum));
    c.sliderScroll(Slider::Wind, -40);
    EXPECT_EQ(s().txtWind, "-40");
    EXPECT_EQ(s().sldWind, 0); // the value itself changes when the slider is let go
}

TEST_F(ControlsTest, SpeedBoxMovesItsSliderOnlyForNumbers) {
    c.txtSpeedChange("12");
    EXPECT_EQ(s().sldSpeed, 12);
    c.txtSpeedChange("12.");
    EXPECT_EQ(s().txtSpeed, "12."); // same slider value: the typing is left alone
    c.txtSpeedChange("-");
    EXPECT_EQ(s().sldSpeed, 12);
    EXPECT_EQ(s().txtSpeed, "-");
    c.txtSpeedChange("-45");
    EXPECT_EQ(s().sldSpeed, -30);
    EXPECT_EQ(s().txtSpeed, "-30");
}

TEST_F(ControlsTest, GroupSizeAcceptsUpToFortyWithTheMessageOfThirty) {
    s().txtGroupSize = "35";
    EXPECT_TRUE(c.validate(Box::GroupSize));
    EXPECT_FLOAT_EQ(f.model->values.groupSize, 35.0f);

    s().txtGroupSize = "41";
    f.prompts.expected = {"Group size must be between 0.001 and 30.0 in."};
    EXPECT_FALSE(c.validate(Box::GroupSize));
    ASSERT_EQ(f.prompts.messages.size(), 1);
    EXPECT_EQ(f.prompts.lastText(), "Group size must be between 0.001 and 30.0 in.");
    EXPECT_EQ(f.prompts.lastTitle(), "Number out of Range");
    EXPECT_FLOAT_EQ(f.model->values.groupSize, 35.0f); // the value in force stays

    // Not a number: refused with the box's message, so the shooter knows why the focus stays.
    s().txtGroupSize = "big";
    f.prompts.expected = {"Group size must be between 0.001 and 30.0 in."};
    EXPECT_FALSE(c.validate(Box::GroupSize));
    ASSERT_EQ(f.prompts.messages.size(), 2);
    EXPECT_EQ(f.prompts.lastText(), "Group size must be between 0.001 and 30.0 in.");
    EXPECT_EQ(f.prompts.lastTitle(), "Not a Number");
    EXPECT_FLOAT_EQ(f.model->values.groupSize, 35.0f);
}

TEST_F(ControlsTest, TargetSizeBoxesKeepTheirOwnMessages) {
    s().txtWidth = "301";
    f.prompts.expected = {"Target width must be between 0.001 and 300.0 in."};
    EXPECT_FALSE(c.validate(Box::Width));
    EXPECT_EQ(f.prompts.lastText(), "Target width must be between 0.001 and 300.0 in.");
    s().txtHeight = "0";
    f.prompts.expected = {"Target height must be between 0.001 and 300.0 in."};
    EXPECT_FALSE(c.validate(Box::Height));
    EXPECT_EQ(f.prompts.lastText(), "Target height must be between 0.001 and 300.0 in.");
    s().txtWidth = "300";
    EXPECT_TRUE(c.validate(Box::Width));
}

TEST_F(ControlsTest, RangeBoxIsBoundByTheLoadNotTheSlider) {
    f.model->values.in1.imaxyds = 1500;
    s().rangeRange.maximum = 1000;
    s().txtRange = "1200"; // within the load, beyond the slider: clamped
    EXPECT_TRUE(c.validate(Box::Range));
    EXPECT_EQ(s().sldRange, 1000);
    EXPECT_EQ(s().txtRange, "1000");
    s().txtRange = "1501";
    f.prompts.expected = {"Range must be between 2 and 1500 yd."};
    EXPECT_FALSE(c.validate(Box::Range));
    EXPECT_EQ(f.prompts.lastText(),
              "Range must be between 2 and 1500 yd."); // the slider starts at 2 here
    s().txtRange = "250.5";
    EXPECT_TRUE(c.validate(Box::Range));
    EXPECT_EQ(s().sldRange, 250); // rounded half to even
    EXPECT_EQ(s().txtRange, "250");
}

TEST_F(ControlsTest, WindAndZoomBoxesUseTheirSlidersBounds) {
    s().txtWind = "30"; // the message speaks of 25
    EXPECT_TRUE(c.validate(Box::Wind));
    EXPECT_EQ(s().sldWind, 30);
    s().txtWind = "41";
    f.prompts.expected = {"Crosswind speed must be between -25 and 25 mph."};
    EXPECT_FALSE(c.validate(Box::Wind));
    EXPECT_EQ(f.prompts.lastText(), "Crosswind speed must be between -25 and 25 mph.");
    s().txtZoom = "51";
    f.prompts.expected = {"Scale must be between 0.1 and 10.0x."};
    EXPECT_FALSE(c.validate(Box::Zoom));
    EXPECT_EQ(f.prompts.lastText(), "Scale must be between 0.1 and 10.0x.");
    s().txtZoom = "25";
    EXPECT_TRUE(c.validate(Box::Zoom));
    EXPECT_EQ(s().sldZoom, 25);
}

TEST_F(ControlsTest, FieldOfViewSetsTheScaleAndItsLabel) {
    s().sldZoom = 4;
    c.txtFovChange("36");
    EXPECT_FLOAT_EQ(f.sim.scene.milsPerScreen, 36 * 12 / 3.6f);
    EXPECT_EQ(f.sim.captions().lblFovZoom, "27 feet @ zoom of: 4");
    f.prompts.clear();
    f.prompts.expected = {CSim::fovMessage()};
    c.txtFovChange("0"); // on the way to 0.5: the message shows at once
    EXPECT_EQ(f.prompts.messages.size(), 1);
    EXPECT_EQ(f.prompts.lastTitle(), "Number out of Range");
    EXPECT_FLOAT_EQ(f.sim.scene.milsPerScreen, 36 * 12 / 3.6f);
    c.txtFovChange("");
    EXPECT_EQ(f.prompts.messages.size(), 1); // not a number: refused silently
}

TEST_F(ControlsTest, ScoreBoxesTurnNonNumbersIntoOne) {
    // A text on its way to a number stays while it is typed; what stands on leaving counts.
    for (const char* partial : {"", "-", "+", ".", "-.", "1e"}) {
        c.scoreBoxChange(SimControls::ScoreBox::Blue, partial);
        EXPECT_EQ(s().txtBlueScore, partial);
    }
    c.scoreBoxCommit(SimControls::ScoreBox::Blue);
    EXPECT_EQ(s().txtBlueScore, "1");
    // Typed key by key, a negative number arrives whole.
    for (const char* typed : {"-", "-0", "-0.", "-0.5"})
        c.scoreBoxChange(SimControls::ScoreBox::Miss, typed);
    c.scoreBoxCommit(SimControls::ScoreBox::Miss);
    EXPECT_EQ(s().txtMissScore, "-0.5");
    c.scoreBoxChange(SimControls::ScoreBox::Rounds, "ten");
    EXPECT_EQ(s().txtNumberOfRounds, "1");
    c.scoreBoxChange(SimControls::ScoreBox::Red, "-3.5");
    EXPECT_EQ(s().txtRedScore, "-3.5");
    // Changing the rounds leaves the session as it is.
    f.sim.session.roundsFired = 2;
    c.scoreBoxChange(SimControls::ScoreBox::Rounds, "20");
    EXPECT_EQ(f.sim.session.roundsFired, 2);
    EXPECT_EQ(f.sim.roundsLeft(), 18);
}

TEST_F(ControlsTest, NewSessionValues) {
    s().txtGroupSize = "1";
    s().cboTarget = "x.gif";
    s().sldZoom = 9;
    s().sldRange = 600;
    s().txtFov = "12";
    s().sldAngle = 120;
    s().txtAngle = "120";
    s().ucAngle = 120;
    s().txtBlueScore = "7";
    s().flyerIndex = 2;
    s().sldSpeed = 5;
    f.sim.session.roundsFired = 3;
    f.sim.session.sessionScore = 4;
    f.sim.sessionFile = "keep.ssn";
    c.newSession();
    EXPECT_EQ(s().txtGroupSize, "3");
    EXPECT_EQ(s().cboTarget, "");
    EXPECT_EQ(s().sldZoom, 1);
    EXPECT_EQ(s().txtZoom, "1");
    EXPECT_EQ(s().sldWind, 0);
    EXPECT_EQ(s().txtWidth, "12");
    EXPECT_EQ(s().txtHeight, "12");
    EXPECT_EQ(s().sldRange, 50);
    EXPECT_EQ(s().txtRange, "50");
    EXPECT_EQ(s().txtFov, "30");
    EXPECT_FLOAT_EQ(f.sim.scene.milsPerScreen, 100.0f);
    EXPECT_DOUBLE_EQ(s().ucAngle, 90);
    EXPECT_EQ(s().sldAngle, 120); // the dial only
    EXPECT_EQ(s().txtAngle, "120");
    EXPECT_EQ(s().txtRedScore, "1");
    EXPECT_EQ(s().txtBlueScore, "-2");
    EXPECT_EQ(s().txtMissScore, "0");
    EXPECT_EQ(s().txtNumberOfRounds, "10");
    EXPECT_EQ(s().flyerIndex, 0);
    EXPECT_FLOAT_EQ(f.sim.session.flyerProbability, 10);
    EXPECT_EQ(s().lblRoundsLeft, "Shots Left = 10");
    EXPECT_EQ(s().sldSpeed, 0);
    EXPECT_EQ(f.sim.session.roundsFired, 3);
    EXPECT_FLOAT_EQ(f.sim.session.sessionScore, 4);
    EXPECT_EQ(f.sim.sessionFile, "keep.ssn");
}

TEST_F(ControlsTest, CircleAndAimMarkSwitchesTurnOverAtEachClick) {
    const bool first = f.sim.session.showPOA;
    c.checkClick(SimControls::Check::POA, 0);
    c.checkClick(SimControls::Check::POA, 1);
    EXPECT_EQ(f.sim.session.showPOA, first);
    c.checkClick(SimControls::Check::GroupCircle, 1);
    EXPECT_EQ(f.sim.session.showGroupCircle, true);
    EXPECT_EQ(s().chkGroupCircle, 1);
}

TEST_F(ControlsTest, SightStyleWaitsForTheNextRedraw) {
    const int before = host.shown;
    c.optSightsClick(2);
    EXPECT_EQ(f.sim.session.sight, 2);
    EXPECT_EQ(host.shown, before);
    c.optFlyerClick(1);
    EXPECT_FLOAT_EQ(f.sim.session.flyerProbability, 5);
}

TEST_F(ControlsTest, WindAndUnitRecomputeTheTrajectoryOnceStarted) {
    f.sim.setUp();
    c.simStarted = true;
    s().txtRange = "500";
    float drop = 0, calm = 0, t = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, calm, 500, t));
    c.setSlider(Slider::Wind, 20);
    float windy = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, windy, 500, t));
    EXPECT_NE(windy, calm);
    c.optSimMetricClick(true);
    EXPECT_EQ(f.sim.captions().lblRange, "Range (m)");
    EXPECT_EQ(f.sim.captions().lblMaxrange, "Maximum Range (m)");
    EXPECT_TRUE(f.sim.hud.isMetric());
    // A new maximum range recomputes too, but the range slider keeps its maximum.
    const int sliderMax = s().rangeRange.maximum;
    s().txtSimMaxRange = "600";
    EXPECT_TRUE(c.validate(Box::SimMaxRange));
    EXPECT_EQ(s().rangeRange.maximum, sliderMax);
    s().txtSimMaxRange = "40";
    f.prompts.expected = {"Maximum range must be between 50 and 1300."};
    EXPECT_FALSE(c.validate(Box::SimMaxRange));
}

// A session read is a value put in place: the boxes follow their sliders, the reader's own
// fix-ups decide, and the trajectory is computed for the wind read.
TEST_F(ControlsTest, ASessionReadIsAppliedAsAWhole) {
    f.sim.setUp();
    c.simStarted = true;
    s().propertiesPreLoad();
    s().sldWind = 25;
    s().txtBlueScore = "x";
    s().sldAngle = 200;
    s().txtRange = "500";
    f.sim.sessionFile = f.folder.file("read.ssn");
    ASSERT_TRUE(f.sim.dataSave());
    s() = SimSettings();
    f.sim.init(true);
    EXPECT_EQ(s().txtWind, "25");
    EXPECT_EQ(s().txtBlueScore, "-1");
    EXPECT_EQ(s().txtAngle, "200");
    EXPECT_DOUBLE_EQ(s().ucAngle, 200);
    float drop = 0, drift = 0, t = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, drift, 500, t));
    EXPECT_NE(drift, 0.0f);
}
