// The hit probability's boxes in the shooter's units: the range SD follows the range unit the
// load is shown in, whatever the load keeps; the classic units leave every box as it was.
#include "load/HitFields.h"
#include "load/HitUnits.h"

#include <gtest/gtest.h>

namespace {

constexpr int RangeSdBox = 6;

TEST(HitUnits, ARangeSdOfAMetreLoadShownInYards) {
    Units::ShownUnits yards = Units::ShownUnits::imperial();
    yards.range = Units::RangeChoice::Yards;
    const InputUnits::FieldUnits u{yards, true};
    ASSERT_EQ(HitFields::field(RangeSdBox).member, &HitInputs::rangeSd);
    EXPECT_TRUE(HitUnits::converted(u, RangeSdBox));
    EXPECT_EQ(HitUnits::caption(u, RangeSdBox), "Range SD (yd)");
    // 200 m is 218.7226 yd; 9.144 m is 10 yd.
    EXPECT_EQ(HitUnits::limit(u, RangeSdBox).message,
              "Range SD must be between 0 and 218.72 yd (0 with a laser rangefinder).");
    EXPECT_EQ(HitUnits::shownText(u, RangeSdBox, 9.144), "10");
    EXPECT_NEAR(HitUnits::storedValue(u, RangeSdBox, 10), 9.144, 1e-9);
    EXPECT_EQ(HitUnits::rangeSymbol(u), "yd");
    EXPECT_NEAR(HitUnits::shownRange(u, 914.4), 1000, 1e-9);
    // The rest stays imperial.
    for (int i = 0; i < HitFields::Count; ++i) {
        if (i != RangeSdBox) {
            EXPECT_FALSE(HitUnits::converted(u, i)) << i;
        }
    }
}

TEST(HitUnits, ImperialIsTheClassicDialog) {
    for (bool loadMetric : {false, true}) {
        const InputUnits::FieldUnits u{Units::ShownUnits::imperial(), loadMetric};
        for (int i = 0; i < HitFields::Count; ++i) {
            const HitFields::Field& f = HitFields::field(i);
            EXPECT_EQ(HitUnits::caption(u, i), HitFields::caption(i, loadMetric));
            const UnitText::ShownLimit limit = HitUnits::limit(u, i);
            EXPECT_EQ(limit.message, QString::fromLatin1(f.limit.message));
            EXPECT_EQ(limit.lower, f.limit.lower);
            EXPECT_EQ(limit.upper, f.limit.upper);
            EXPECT_EQ(HitUnits::shownText(u, i, 12.5), "12.5");
        }
    }
}

} // namespace
