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

} // namespace
