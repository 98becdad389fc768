// Row lookup checked against the table entries themselves (C++ functions only).
#include "SolverBackend.h"

#include <gtest/gtest.h>

namespace {

struct Entry {
    float t;
    float v[6]; // Vx, x, Vy, y, Vz, z in SI units
};

Entry entry(int32_t k) {
    Entry e{};
    EXPECT_TRUE(trajcore::tableEntry(k, e.t, e.v)) << k;
    return e;
}

class RowLookup : public ::testing::Test {
protected:
    void SetUp() override {
        record = typicalLoad();
        record.isMetric = 1; // ranges in metres, so a table distance can be asked for exactly
        record.maxRange = 914.4f;
        record.windSpeed = 10;
        n = stepsFor(record);
        ASSERT_EQ(trajcore::memAlloc(n), 11);
        ASSERT_EQ(trajcore::calcPre(&record), 11);
    }
    void TearDown() override { EXPECT_EQ(trajcore::memDeAlloc(), 0); }

    SolverRecord record{};
    int16_t n = 0;
};

TEST_F(RowLookup, TheTableCoversTheFlightTimeInEqualSteps) {
    EXPECT_EQ(trajcore::stepCount(), n);
    EXPECT_EQ(entry(0).t, 0.0f);
    EXPECT_FLOAT_EQ(entry(n).t, 2.0f);
    EXPECT_FLOAT_EQ(entry(n / 2).t, 1.0f);
    EXPECT_EQ(entry(0).v[1], 0.0f);
    EXPECT_FLOAT_EQ(entry(0).v[3], -2.6f * 0.0254f);
}

TEST_F(RowLookup, ARangeOnATableEntryStopsThereAndReadsIt) {
    for (int32_t i : {1, 2, 777, 5000, n - 1}) {
        SCOPED_TRACE(i);
        const Entry e = entry(i);
        SolverRow row{};
        EXPECT_EQ(trajcore::printOneLine(&row, e.v[1], 1), i);
        EXPECT_FLOAT_EQ(row.t, e.t);
        EXPECT_FLOAT_EQ(row.x, e.v[1]);
        EXPECT_FLOAT_EQ(row.y, e.v[3] * 39.370079f);
        EXPECT_FLOAT_EQ(row.z, e.v[5] * 39.370079f);
        EXPECT_FLOAT_EQ(row.Vx, e.v[0] * 3.2808399f);
    }
}

TEST_F(RowLookup, BetweenEntriesTheRowIsInterpolated) {
    const Entry a = entry(4000), b = entry(4001);
    const float mid = 0.5f * (a.v[1] + b.v[1]);
    SolverRow row{};
    EXPECT_EQ(trajcore::printOneLine(&row, mid, 1), 4001);
    EXPECT_NEAR(row.t, 0.5f * (a.t + b.t), 1e-6f);
    EXPECT_NEAR(row.y, 0.5f * (a.v[3] + b.v[3]) * 39.370079f, 1e-4f);
}

TEST_F(RowLookup, StartingAtTheLastIndexExtrapolatesFromTheLastTwoEntries) {
    const Entry a = entry(n - 1), b = entry(n);
    SolverRow row{};
    const float range = 100;
    EXPECT_EQ(trajcore::printOneLine(&row, range, n), 0);
    const float t = a.t + (range - a.v[1]) * (b.t - a.t) / (b.v[1] - a.v[1]);
    EXPECT_FLOAT_EQ(row.t, t);
    const float y = a.v[3] + (t - a.t) * (b.v[3] - a.v[3]) / (b.t - a.t);
    EXPECT_NEAR(row.y, y * 39.370079f, 1e-3f * std::abs(y * 39.370079f));
}

TEST_F(RowLookup, YardRangesAreConvertedBothWays) {
    record.isMetric = 0;
    record.maxRange = 1000;
    ASSERT_EQ(trajcore::calcPre(&record), 11);
    const Entry e = entry(3000);
    SolverRow row{};
    trajcore::printOneLine(&row, e.v[1] * 1.0936133f, 1);
    EXPECT_NEAR(row.x, e.v[1] * 1.0936133f, 1e-3f);
    EXPECT_NEAR(row.t, e.t, 1e-6f);
}

} // namespace
