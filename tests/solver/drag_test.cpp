#include "DragTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

using trajcore::dragModel;
using trajcore::dragRetardation;
using trajcore::zoneAt;

namespace {

constexpr double kFtPerM = 3.280839895013123;
constexpr double kFtPerMSingle = double(3.2808399f);
constexpr double kMPerFtSingle = 0.30479999767456056;

constexpr int16_t kTableCodes[] = {1, 2, 5, 6, 7, 8, 10, 11};

TEST(DragFunction, G1At3000FeetPerSecondByBothCodes) {
    const double s = 3000 / kFtPerM; // 914.4 m/s
    for (int16_t code : {int16_t(1), int16_t(0)}) {
        SCOPED_TRACE(code);
        const double d = dragRetardation(code, s);
        EXPECT_NEAR(d, 295.78, 0.005);
        EXPECT_NEAR(d / 0.3048, 970.40, 0.005);
    }
}

TEST(DragFunction, G7At2000FeetPerSecondUsesThe1470Zone) {
    const double s = 2000 / kFtPerMSingle;
    EXPECT_DOUBLE_EQ(zoneAt(dragModel(7), 2000).bound, 1470);
    const double d = dragRetardation(7, s);
    EXPECT_NEAR(d, 78.074, 0.0005);
    EXPECT_NEAR(d / kMPerFtSingle, 256.15, 0.005);
}

TEST(DragFunction, SpeedExactlyOnABoundBelongsToTheZoneBelow) {
    EXPECT_DOUBLE_EQ(zoneAt(dragModel(1), 2225.0).m, 1.575);
    EXPECT_DOUBLE_EQ(zoneAt(dragModel(1), std::nextafter(2225.0, 3000.0)).m, 1.55);
    EXPECT_DOUBLE_EQ(zoneAt(dragModel(1), 4230.0).m, 1.925);
    EXPECT_DOUBLE_EQ(zoneAt(dragModel(1), 4230.5).m, 1.9565);
    // The metric G1 table has the same zones with bounds in m/s.
    EXPECT_DOUBLE_EQ(zoneAt(dragModel(0), 2225 * 0.3048).m, 1.575);
    EXPECT_DOUBLE_EQ(dragModel(0).zones.front().bound, 1289.304);
}

TEST(DragFunction, SlowSpeedsUseTheUnboundedZoneOfEveryTable) {
    for (int16_t code : kTableCodes) {
        const trajcore::DragModel& model = dragModel(code);
        SCOPED_TRACE(model.name);
        const double s = 50 * 0.3048; // 50 ft/s
        const double v = s * model.speedFactor;
        const trajcore::DragZone& last = model.zones.back();
        EXPECT_EQ(&zoneAt(model, v), &last);
        EXPECT_DOUBLE_EQ(dragRetardation(code, s),
                         last.a * std::pow(v, last.m) * model.resultFactor);
        EXPECT_EQ(&zoneAt(model, 0.0), &last);
    }
}

TEST(DragFunction, UnlistedCodesAreMetricG1) {
    for (int16_t code : {0, 3, 4, 9, 12, -1, -32768, 32767}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(&dragModel(code), &dragModel(0));
        for (double s : {50.0, 300.0, 914.4, 1500.0})
            EXPECT_EQ(dragRetardation(code, s), dragRetardation(0, s));
    }
    for (int16_t code : kTableCodes)
        EXPECT_NE(&dragModel(code), &dragModel(0)) << code;
}

TEST(DragFunction, MetricG1AgreesWithFeetPerSecondG1EverywhereButOnBounds) {
    const trajcore::DragModel& g1 = dragModel(1);
    int compared = 0;
    for (double s = 5.0; s < 1600.0; s += 0.731) {
        bool nearBound = false;
        for (const trajcore::DragZone& zone : g1.zones)
            nearBound = nearBound || std::abs(s * kFtPerM - zone.bound) < 1e-6 * zone.bound;
        if (nearBound) continue;
        const double metric = dragRetardation(0, s);
        const double imperial = dragRetardation(1, s);
        ASSERT_NEAR(metric / imperial, 1.0, 1e-8) << "at " << s << " m/s";
        ++compared;
    }
    EXPECT_GT(compared, 2000);
}

TEST(DragTables, BoundsFallFromTheTopZoneToAnUnboundedOne) {
    for (int16_t code : {0, 1, 2, 5, 6, 7, 8, 10, 11}) {
        const trajcore::DragModel& model = dragModel(code);
        SCOPED_TRACE(model.name);
        ASSERT_GE(model.zones.size(), 6u);
        EXPECT_TRUE(std::isinf(model.zones.back().bound));
        for (std::size_t i = 0; i + 1 < model.zones.size(); ++i)
            EXPECT_GT(model.zones[i].bound, model.zones[i + 1].bound);
    }
}

// Catches a mistyped coefficient or exponent in the tables whose zones join smoothly: there the
// neighbouring power laws meet at their common bound to within 2 per cent. (The G2 and G5 to G8
// fits jump at some bounds by design.)
TEST(DragTables, SmoothTablesMeetAtTheirBounds) {
    for (int16_t code : {0, 1, 10, 11}) {
        const trajcore::DragModel& model = dragModel(code);
        SCOPED_TRACE(model.name);
        for (std::size_t i = 0; i + 1 < model.zones.size(); ++i) {
            const trajcore::DragZone& above = model.zones[i];
            const trajcore::DragZone& below = model.zones[i + 1];
            const double v = above.bound;
            const double fromAbove = above.a * std::pow(v, above.m);
            const double fromBelow = below.a * std::pow(v, below.m);
            EXPECT_NEAR(fromAbove / fromBelow, 1.0, 0.02) << "at bound " << v;
        }
    }
}

TEST(DragTables, G1HasFortyOneZones) {
    EXPECT_EQ(dragModel(1).zones.size(), 41u);
    EXPECT_EQ(dragModel(0).zones.size(), 41u);
}

} // namespace
