// The drag-truing report in the shooter's units: an observation typed as 800 m on a load kept in
// yards reads back as 800 m, and heights show in centimetres; imperial keeps the classic columns.
#include "load/TrueDrag.h"

#include <gtest/gtest.h>

namespace {

TrueDrag::Result oneObservation() {
    TrueDrag::Result r;
    r.metric = false;                          // the load is kept in yards
    r.observations = {{800 / 0.9144, -100.0}}; // 800 m, 100 in low
    r.truth.mach = {1.25};
    r.truth.untruedHeightIn = {-90.0};
    r.truth.truedHeightIn = {-100.0};
    r.dragTable = QStringLiteral("G7");
    return r;
}

TEST(TrueDragReport, MetricShowsTheRangeAsTypedAndHeightsInCentimetres) {
    const QString text = TrueDrag::fitText(oneObservation(), Units::ShownUnits::metric());
    EXPECT_TRUE(text.contains("Range (m)")) << text.toStdString();
    EXPECT_TRUE(text.contains("Observed (cm)"));
    EXPECT_TRUE(text.contains(" 800 ")) << text.toStdString();
    EXPECT_TRUE(text.contains("-254.00")); // 100 in
}

TEST(TrueDragReport, ImperialKeepsTheLoadsUnits) {
    const QString text = TrueDrag::fitText(oneObservation());
    EXPECT_TRUE(text.contains("Range (yd)"));
    EXPECT_TRUE(text.contains("Observed (in)"));
    EXPECT_TRUE(text.contains("-100.00"));
}

// 600 yd is 548.64 m. Imperial says yards whatever the load's own unit; other units say the
// range unit the load is shown in.
TEST(TrueDragReport, TheNearRangeIsInTheShownRangeUnit) {
    EXPECT_EQ(TrueDrag::nearRangeText(Units::ShownUnits::imperial(), true), "600 yd");
    EXPECT_EQ(TrueDrag::nearRangeText(Units::ShownUnits::metric(), false), "549 m");
    Units::ShownUnits yards = Units::ShownUnits::metric();
    yards.range = Units::RangeChoice::Yards;
    EXPECT_EQ(TrueDrag::nearRangeText(yards, true), "600 yd");
    Units::ShownUnits ownRange = Units::ShownUnits::metric();
    ownRange.range = Units::RangeChoice::LoadOwn;
    EXPECT_EQ(TrueDrag::nearRangeText(ownRange, true), "549 m");
    EXPECT_TRUE(TrueDrag::nearWarning(Units::ShownUnits::metric(), false)
                    .startsWith("All observations are inside 549 m: "));
    EXPECT_EQ(TrueDrag::nearWarning(), TrueDrag::nearWarning(Units::ShownUnits::imperial(), true));
}

} // namespace
