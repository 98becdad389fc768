// The simulator's crosswind and target speed boxes in the shooter's wind speed unit: typed in
// km/h or m/s, settled to the session's whole mph, checked and told in the shown unit; and the
// field of view and the view's width under metric lengths.
#include "sim_test_support.h"

#include "sim/SimControls.h"
#include "sim/SimSpeeds.h"

#include <gtest/gtest.h>

namespace {

using Box = SimControls::Box;
using Units::Quantity;

Units::ShownUnits withWind(Units::Unit unit) {
    Units::ShownUnits units = Units::ShownUnits::metric();
    units.set(Quantity::WindSpeed, unit);
    return units;
}

struct SpeedUnitsTest : ::testing::Test {
    SimFixture f{200};
    SimControls c{f.sim};

    SpeedUnitsTest() {
        f.sim.units = withWind(Units::Unit::KilometresPerHour);
        f.sim.settings.cboReticle.clear();
    }
    SimSettings& s() { return f.sim.settings; }
    // Typing `shown` into the crosswind box and leaving it, as the window does.
    bool typeWind(const QString& shown) {
        c.setText(Box::Wind, c.storedText(Box::Wind, shown));
        return c.validate(Box::Wind);
    }
};

} // namespace

TEST_F(SpeedUnitsTest, ATypedCrosswindSettlesToTheWholeMphAndShowsIt) {
    // 16 km/h is 9.94 mph: the session takes 10 mph, which the box shows as 16.1 km/h.
    EXPECT_TRUE(typeWind("16"));
    EXPECT_EQ(s().sldWind, 10);
    EXPECT_EQ(s().txtWind, "10");
    EXPECT_EQ(c.shownText(Box::Wind), "16.1");
    EXPECT_TRUE(typeWind("-8"));
    EXPECT_EQ(s().sldWind, -5);
    EXPECT_EQ(c.shownText(Box::Wind), "-8");
}

TEST_F(SpeedUnitsTest, TheCrosswindCheckAndMessageAreInTheShownUnit) {
    // The slider's 40 mph is 64.37 km/h: the message's bound is rounded inwards.
    const QString message = "Crosswind speed must be between -64.3 and 64.3 km/h.";
    EXPECT_EQ(c.message(Box::Wind), message);
    EXPECT_TRUE(typeWind("64.3"));
    EXPECT_EQ(s().sldWind, 40);
    f.prompts.expected = {message};
    EXPECT_FALSE(typeWind("64.35"));
    EXPECT_EQ(f.prompts.lastText(), message);
    EXPECT_EQ(s().sldWind, 40);
    f.prompts.clear();
    // What the box shows at the slider's end is taken, though it lies past the message's bound.
    c.setSlider(SimControls::Slider::Wind, 40, true);
    EXPECT_EQ(c.shownText(Box::Wind), "64.4");
    EXPECT_TRUE(c.validate(Box::Wind));
    EXPECT_TRUE(typeWind("64.4"));
    EXPECT_TRUE(f.prompts.messages.isEmpty());

    f.sim.units = withWind(Units::Unit::MetresPerSecond);
    EXPECT_EQ(c.message(Box::Wind), "Crosswind speed must be between -17.8 and 17.8 m/s.");
    f.prompts.expected = {"Crosswind speed must be between -17.8 and 17.8 m/s."};
    EXPECT_FALSE(typeWind("-18.5"));
    EXPECT_EQ(s().sldWind, 40);
}

TEST_F(SpeedUnitsTest, UnderMphTheCrosswindKeepsItsClassicMessage) {
    f.sim.units = Units::ShownUnits::imperial();
    EXPECT_EQ(c.message(Box::Wind), "Crosswind speed must be between -25 and 25 mph.");
    EXPECT_TRUE(typeWind("30")); // the slider's bounds, not the message's
    EXPECT_EQ(s().sldWind, 30);
    EXPECT_EQ(c.shownText(Box::Wind), "30");
}

TEST_F(SpeedUnitsTest, TheTargetSpeedBoxKeepsTheTypingUntilItIsLeft) {
    // "1" on the way to "16" already moves the slider, but the box is not rewritten.
    c.txtSpeedTyped("1");
    EXPECT_EQ(s().sldSpeed, 1);
    c.txtSpeedTyped("16");
    EXPECT_EQ(s().sldSpeed, 10);
    EXPECT_EQ(SimSpeeds::shownText(f.sim.units, s().txtSpeed), "16");
    c.txtSpeedLeft();
    EXPECT_EQ(s().txtSpeed, "10");
    EXPECT_EQ(SimSpeeds::shownText(f.sim.units, s().txtSpeed), "16.1");
    // Beyond the slider the box settles to its end.
    c.txtSpeedTyped("100");
    c.txtSpeedLeft();
    EXPECT_EQ(s().sldSpeed, 30);
    EXPECT_EQ(SimSpeeds::shownText(f.sim.units, s().txtSpeed), "48.3");
}

TEST_F(SpeedUnitsTest, CaptionsNameTheWindSpeedUnit) {
    const auto& u = f.sim.units;
    EXPECT_EQ(SimSpeeds::caption(u, SimSpeeds::Box::Wind), "Crosswind (km/h)");
    EXPECT_EQ(SimSpeeds::caption(u, SimSpeeds::Box::Speed), "Target Speed (km/h)");
    const auto imperial = Units::ShownUnits::imperial();
    EXPECT_EQ(SimSpeeds::caption(imperial, SimSpeeds::Box::Wind), "Crosswind (mph)");
    EXPECT_EQ(SimSpeeds::caption(imperial, SimSpeeds::Box::Speed), "Target Speed (mph)");
}

TEST_F(SpeedUnitsTest, TheViewsWidthIsInMetresUnderMetricLengths) {
    s().sldZoom = 4;
    c.txtFovChange("36");
    // 27 ft is 8.2296 m.
    EXPECT_EQ(f.sim.captions().lblFovZoom, "8.23 m @ zoom of: 4");
    f.sim.units = Units::ShownUnits::imperial();
    EXPECT_EQ(f.sim.captions().lblFovZoom, "27 feet @ zoom of: 4");
}

TEST_F(SpeedUnitsTest, TheFieldOfViewIsTypedInMetresAndKeptInFeet) {
    // 1 to 200 ft at 100 yd, rounded inwards.
    const QString message = "Field of view must be between 0.31 and 60.96 m at 100 yd.";
    EXPECT_EQ(c.message(Box::Fov), message);
    c.setText(Box::Fov, c.storedText(Box::Fov, "9.144"));
    EXPECT_EQ(s().txtFov, "30");
    EXPECT_FLOAT_EQ(f.sim.scene.milsPerScreen, 30 * 12 / 3.6f);
    EXPECT_EQ(c.shownText(Box::Fov), "9.14");
    // The upper bound the message names is taken; past it the message is in metres.
    c.setText(Box::Fov, c.storedText(Box::Fov, "60.96"));
    EXPECT_TRUE(c.validate(Box::Fov));
    EXPECT_FLOAT_EQ(f.sim.scene.fovFeet, 200);
    f.prompts.expected = {message};
    c.setText(Box::Fov, c.storedText(Box::Fov, "61"));
    EXPECT_EQ(f.prompts.lastText(), message);
    EXPECT_FLOAT_EQ(f.sim.scene.fovFeet, 200);
}
