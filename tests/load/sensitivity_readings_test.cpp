// The powder-sensitivity calculator's readings in mixed units: the unit follows each of velocity
// and temperature, the value kept is the one shown, and the problems name the shown units.
#include "load/SensitivityReadings.h"

#include <gtest/gtest.h>

namespace {

using Units::Quantity;
using Units::Unit;

Units::ShownUnits metricVelocityOnly() {
    Units::ShownUnits units = Units::ShownUnits::imperial();
    units.set(Quantity::Velocity, Unit::MetresPerSecond);
    return units;
}

TEST(SensitivityReadings, MixedUnitsNameEachAndKeepWhatIsShown) {
    const Units::ShownUnits units = metricVelocityOnly();
    EXPECT_EQ(SensitivityReadings::velocityCaption(units), "Velocity (m/s)");
    EXPECT_EQ(SensitivityReadings::temperatureCaption(units), QString::fromUtf8("at \u00B0F"));
    EXPECT_EQ(SensitivityReadings::sensitivityUnit(units), QString::fromUtf8(" m/s/\u00B0F"));
    QString problem;
    // 3.048 m/s over 10 F is 0.3048 m/s per degree F, shown as 0.3: the field keeps 0.3 m/s,
    // 0.3 / 0.3048 ft/s, per degree F.
    const auto s = SensitivityReadings::fromReadings(units, {800, 50, 803.048, 60}, problem);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->shown, "0.3");
    EXPECT_NEAR(s->stored.toDouble(), 0.3 / 0.3048, 1e-6);
}

TEST(SensitivityReadings, ProblemsNameTheShownUnits) {
    QString problem;
    const Units::ShownUnits metric = Units::ShownUnits::metric();
    EXPECT_FALSE(SensitivityReadings::fromReadings(metric, {800, 15, 805, 15}, problem));
    EXPECT_EQ(problem, "The two temperatures must differ.");
    // Velocity falling with warmth is no powder the field takes.
    EXPECT_FALSE(SensitivityReadings::fromReadings(metric, {800, 0, 790, 20}, problem));
    EXPECT_EQ(problem, "The readings give -0.5 m/s per degree C: Powder sensitivity must be "
                       "between 0 and 5.48 m/s per degree C.");
    // 5.48 m/s per degree C is just under 10 ft/s per degree F: taken.
    EXPECT_TRUE(SensitivityReadings::fromReadings(metric, {800, 0, 854.8, 10}, problem));
}

} // namespace
