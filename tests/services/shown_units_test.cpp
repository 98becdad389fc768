// The shooter's units: every conversion reads back, meets the physical anchors it must meet,
// and the scope's clicks count the table's own angles.
#include "services/UnitText.h"
#include "units/ShownUnits.h"

#include <gtest/gtest.h>

namespace {

using Units::Quantity;
using Units::ShownUnits;
using Units::Unit;

ShownUnits with(Quantity q, Unit u) {
    ShownUnits units;
    units.set(q, u);
    return units;
}

TEST(ShownUnits, EveryUnitReadsBackWhatItShows) {
    for (const Units::UnitInfo& info : Units::UnitTable) {
        if (info.quantity == Quantity::Range) continue; // the load's range unit, not converted
        const ShownUnits units = with(info.quantity, info.unit);
        ASSERT_EQ(units.unit(info.quantity), info.unit) << info.symbol;
        for (const double stored : {-40.0, 0.0, 0.495, 29.92, 2635.0, 10000.0}) {
            const double back = units.stored(info.quantity, units.shown(info.quantity, stored));
            EXPECT_NEAR(back, stored, 1e-9 * std::max(1.0, std::abs(stored))) << info.symbol;
        }
    }
}

TEST(ShownUnits, MeetsThePhysicalAnchors) {
    const ShownUnits celsius = with(Quantity::Temperature, Unit::Celsius);
    EXPECT_NEAR(celsius.shown(Quantity::Temperature, 32), 0, 1e-12);
    EXPECT_NEAR(celsius.shown(Quantity::Temperature, 212), 100, 1e-12);
    EXPECT_NEAR(celsius.shown(Quantity::Temperature, -40), -40, 1e-12);
    // The standard atmosphere's sea-level pressure: 29.92 inHg, 1013.25 hPa, 760 mmHg.
    const double hpa = with(Quantity::Pressure, Unit::Hectopascal).shown(Quantity::Pressure, 29.92);
    EXPECT_NEAR(hpa, 1013.25, 0.1);
    const double mmhg =
        with(Quantity::Pressure, Unit::MillimetresOfMercury).shown(Quantity::Pressure, 29.92);
    EXPECT_NEAR(mmhg, 760, 0.1);
    // 7000 grains are the avoirdupois pound, 453.59237 g.
    EXPECT_NEAR(with(Quantity::Weight, Unit::Gram).shown(Quantity::Weight, 7000), 453.59237, 1e-9);
    // 3 ft/s is a yard a second, 0.9144 m/s; 1 m/s of wind is 3.6 km/h.
    EXPECT_NEAR(with(Quantity::Velocity, Unit::MetresPerSecond).shown(Quantity::Velocity, 3),
                0.9144, 1e-12);
    const double kmh =
        with(Quantity::WindSpeed, Unit::KilometresPerHour).shown(Quantity::WindSpeed, 10);
    const double mps =
        with(Quantity::WindSpeed, Unit::MetresPerSecond).shown(Quantity::WindSpeed, 10);
    EXPECT_NEAR(kmh / mps, 3.6, 1e-12);
    // 1 ft-lbf is 0.3048 m times the pound-force, 4.4482216152605 N.
    EXPECT_NEAR(with(Quantity::Energy, Unit::Joule).shown(Quantity::Energy, 1000),
                1000 * 0.3048 * 4.4482216152605, 1e-3);
    EXPECT_NEAR(with(Quantity::Length, Unit::Centimetre).shown(Quantity::Length, 100), 254, 1e-12);
}

TEST(ShownUnits, PresetsAndSettingsNames) {
    EXPECT_TRUE(ShownUnits::imperial().isImperial());
    EXPECT_FALSE(ShownUnits::metric().isImperial());
    EXPECT_EQ(ShownUnits::metric().metricRange(), std::optional<bool>(true));
    EXPECT_EQ(ShownUnits::imperial().metricRange(), std::nullopt);
    ShownUnits eighth;
    eighth.click = Units::Click::EighthMoa;
    EXPECT_FALSE(eighth.isImperial()); // another turret is another table
    // A unit of another quantity is not taken.
    ShownUnits units;
    units.set(Quantity::Temperature, Unit::Joule);
    EXPECT_EQ(units.unit(Quantity::Temperature), Unit::Fahrenheit);
    EXPECT_EQ(Units::unitByTag(Quantity::Pressure, "j"), nullptr);
    for (const Units::ClickInfo& c : Units::ClickTable)
        EXPECT_EQ(Units::clickByName(c.name), c.click);
    EXPECT_EQ(Units::clickByName("0.3mil"), std::nullopt);
}

TEST(ShownUnits, ClicksCountTheTablesAngles) {
    // The table's mil is 3.6 in at 100 yd and its MOA 1.0473 in: 6.9 mil is 69 tenth-mil clicks.
    const double moa = 6.9 * 3.6 / double(Units::MoaInchesAt100);
    ShownUnits tenthMil;
    tenthMil.click = Units::Click::TenthMil;
    EXPECT_NEAR(tenthMil.clicksForMoa(moa), 69.0, 1e-9);
    ShownUnits eighth;
    eighth.click = Units::Click::EighthMoa;
    EXPECT_NEAR(eighth.clicksForMoa(10), 80, 1e-12);
    ShownUnits oneMoa;
    oneMoa.click = Units::Click::OneMoa;
    EXPECT_NEAR(oneMoa.clicksForMoa(10), 10, 1e-12);
}

TEST(UnitText, ShowsTheUnitsDecimalsWithoutTrailingZeros) {
    const ShownUnits metric = ShownUnits::metric();
    EXPECT_EQ(UnitText::number(metric, Quantity::Velocity, 2625), "800.1");
    EXPECT_EQ(UnitText::number(metric, Quantity::Velocity, 2624.6719), "800");
    EXPECT_EQ(UnitText::number(metric, Quantity::Temperature, 31.99999), "0"); // never "-0"
    EXPECT_EQ(UnitText::withUnit(metric, Quantity::Weight, 170), "11.02 g");
    EXPECT_EQ(UnitText::caption("Muzzle Velocity", metric, Quantity::Velocity),
              "Muzzle Velocity (m/s)");
    const auto typed = UnitText::stored(metric, Quantity::SightHeight, "45");
    ASSERT_TRUE(typed);
    EXPECT_EQ(UnitText::number(metric, Quantity::SightHeight, *typed), "45");
    EXPECT_FALSE(UnitText::stored(metric, Quantity::SightHeight, "4x5"));
}

} // namespace
