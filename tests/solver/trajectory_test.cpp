// Integration, zeroing and row lookup, run once through the C++ functions and once through each
// library file loaded by name.
#include "SolverBackend.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

class Trajectory : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        std::string error;
        api = solverBackend(GetParam(), &error);
        ASSERT_TRUE(api.complete()) << error;
    }
    // Every test leaves the library with nothing allocated.
    void TearDown() override {
        if (api.complete()) {
            EXPECT_EQ(api.memDeAlloc(), 0);
        }
    }

    SolverBackend api;
};

// Rows every `step` from 0 to `last`, each search started afresh or from the previous index.
std::vector<SolverRow> rows(const HeldTrajectory& held, float step, float last, bool chained,
                            std::vector<int16_t>* stops = nullptr) {
    std::vector<SolverRow> out;
    int16_t start = 1;
    for (float range = 0; range <= last; range += step) {
        int16_t stop = 0;
        out.push_back(held.row(range, chained ? start : int16_t(1), &stop));
        start = stop;
        if (stops) stops->push_back(stop);
    }
    return out;
}

TEST_P(Trajectory, AllocationCountsElevenBlocksAndReleasesThemAll) {
    EXPECT_EQ(api.memAlloc(100), 11);
    EXPECT_EQ(api.memDeAlloc(), 0);
    EXPECT_EQ(api.memAlloc(32767), 11); // 32768 entries per column
    SolverRecord record = typicalLoad();
    record.stepRate = 16383;
    EXPECT_EQ(api.calcPre(&record), 11);
    SolverRow row{};
    EXPECT_EQ(api.printOneLine(&row, 5000, 1), 0); // the search runs to the last entry
    EXPECT_GT(row.t, 2.0f);
    EXPECT_EQ(api.memDeAlloc(), 0);
}

// The abandoned blocks stay counted for good, so this runs in a child process.
TEST_P(Trajectory, ASecondAllocationAbandonsTheFirstAndStaysCounted) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const auto scenario = [this] {
        bool ok = api.memAlloc(10) == 11 && api.memAlloc(10) == 22;
        ok = ok && api.memDeAlloc() == 11; // what the caller reports as a leak
        ok = ok && api.memAlloc(10) == 22 && api.memDeAlloc() == 11;
        // _Exit: the abandoned blocks are the point of this child, so no exit-time leak check.
        std::_Exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(scenario(), ::testing::ExitedWithCode(0), "");
}

TEST_P(Trajectory, RangeZeroIsTheMuzzle) {
    HeldTrajectory zeroed(api, typicalLoad());
    ASSERT_EQ(zeroed.computeResult(), 11);
    int16_t stop = -1;
    const SolverRow row = zeroed.row(0, 1, &stop);
    EXPECT_EQ(stop, 1);
    EXPECT_EQ(row.t, 0.0f);
    EXPECT_FLOAT_EQ(row.V, 2635.0f);
    EXPECT_FLOAT_EQ(row.y, -2.6f);
    EXPECT_EQ(row.x, 0.0f);
    EXPECT_EQ(row.z, 0.0f);
    EXPECT_GT(row.Vy, 0.0f); // zeroing raised the bore
}

TEST_P(Trajectory, WithoutZeroingTheBoreStartsOnTheLineOfSight) {
    SolverRecord record = typicalLoad();
    record.isZeroed = 0;
    const std::vector<SolverRow> level = flyTo(api, record, {0, 100, 127});
    EXPECT_EQ(level[0].y, 0.0f);
    EXPECT_EQ(level[0].Vy, 0.0f);
    EXPECT_FLOAT_EQ(level[0].V, 2635.0f);
    EXPECT_LT(level[2].y, -1.0f); // level bore: below the line of sight at once

    record.departureAngle = 0.1f; // degrees above the line of sight
    const std::vector<SolverRow> raised = flyTo(api, record, {0, 100});
    EXPECT_NEAR(raised[0].Vy, 2635 * std::sin(0.1 * M_PI / 180), 0.01);
    // 0.1 degree lifts the point of impact by 6.28 in at 100 yd.
    EXPECT_NEAR(raised[1].y - level[1].y, 6.28f, 0.01f);
}

TEST_P(Trajectory, ZeroingBringsTheTrajectoryToTheLineOfSightAtTheZeroRange) {
    SolverRecord record = typicalLoad();
    for (float zero : {50.0f, 127.0f, 300.0f, 600.0f}) {
        SCOPED_TRACE(zero);
        record.zeroRange = zero;
        HeldTrajectory held(api, record);
        EXPECT_NEAR(held.row(zero).y, 0.0f, 0.002f);
        // It crosses the line there rather than touching it.
        EXPECT_LT(held.row(zero - 10).y * held.row(zero + 10).y, 0.0f);
    }
}

TEST_P(Trajectory, ZeroRangeIsInYardsOrMetresByTheMetricFlag) {
    SolverRecord record = typicalLoad();
    record.zeroRange = 100;
    const SolverRow atHundredYards = flyTo(api, record, {100})[0];
    EXPECT_NEAR(atHundredYards.y, 0.0f, 0.002f);
    EXPECT_NEAR(atHundredYards.x, 100.0f, 1e-3f);

    record.isMetric = 1;
    record.maxRange = 914.4f;
    const std::vector<SolverRow> metres = flyTo(api, record, {91.44f, 100});
    const SolverRow atHundredMetres = metres[1];
    EXPECT_NEAR(atHundredMetres.y, 0.0f, 0.002f);
    EXPECT_NEAR(atHundredMetres.x, 100.0f, 1e-3f); // rows in metres too
    // 91.44 m is short of the metric zero, where the falling bullet is still above the line.
    const SolverRow short91 = metres[0];
    EXPECT_GT(short91.y, 0.02f);
    // Both trajectories reach 91.44 m at the same moment; only the metric one reports metres.
    EXPECT_NEAR(short91.t, atHundredYards.t, 1e-5f);
    EXPECT_NEAR(short91.x, 91.44f, 1e-3f);
}

TEST_P(Trajectory, AZeroRangeBeyondTheFlightIsExtrapolated) {
    SolverRecord record = typicalLoad();
    record.flightTime = 0.25f; // about 200 yd
    record.stepRate = 4000;
    record.zeroRange = 400;
    HeldTrajectory held(api, record);
    ASSERT_EQ(held.computeResult(), 11);
    const SolverRow row = held.row(400);
    EXPECT_TRUE(std::isfinite(row.y));
    EXPECT_NEAR(row.y, 0.0f, 0.05f); // on the line drawn through the last two entries
    EXPECT_GT(held.row(150).y, 0.5f);
}

TEST_P(Trajectory, ChainedSearchesGiveTheSameRowsAsFreshOnes) {
    HeldTrajectory held(api, typicalLoad());
    std::vector<int16_t> stops;
    const std::vector<SolverRow> chained = rows(held, 25, 1000, true, &stops);
    const std::vector<SolverRow> fresh = rows(held, 25, 1000, false);
    ASSERT_EQ(chained.size(), fresh.size());
    for (std::size_t i = 0; i < chained.size(); ++i)
        EXPECT_TRUE(sameRow(chained[i], fresh[i])) << "row " << i;
    for (std::size_t i = 1; i < stops.size(); ++i)
        EXPECT_GT(stops[i], stops[i - 1]);
    EXPECT_NEAR(chained.back().x, 1000.0f, 0.01f);
}

TEST_P(Trajectory, RowsAreSelfConsistent) {
    SolverRecord record = typicalLoad();
    record.windSpeed = 10;
    HeldTrajectory held(api, record);
    float previousT = -1, previousV = 1e9f;
    for (const SolverRow& row : rows(held, 50, 1000, true)) {
        EXPECT_NEAR(row.V, std::sqrt(row.Vx * row.Vx + row.Vy * row.Vy + row.Vz * row.Vz), 1e-3f);
        EXPECT_GT(row.t, previousT);
        EXPECT_LT(row.V, previousV);
        previousT = row.t;
        previousV = row.V;
    }
}

TEST_P(Trajectory, RangesBeyondTheFlightReturnZeroAndExtrapolate) {
    SolverRecord record = typicalLoad();
    record.muzzleVelocity = 1000; // about 550 yd in 2 s
    record.maxRange = 1500;
    record.stepRate = 12000;
    HeldTrajectory held(api, record);
    int16_t stop = -1;
    const SolverRow far = held.row(1500, 1, &stop);
    EXPECT_EQ(stop, 0);
    EXPECT_GT(far.t, 2.5f);
    EXPECT_NEAR(far.x, 1500.0f, 0.5f);
    EXPECT_TRUE(std::isfinite(far.y));
    // Passing the 0 back restarts the search from the beginning.
    EXPECT_TRUE(sameRow(held.row(100, 0), held.row(100, 1)));
}

TEST_P(Trajectory, StartingAtTheLastIndexExtrapolatesFromTheLastTwoEntries) {
    const SolverRecord record = typicalLoad();
    HeldTrajectory held(api, record);
    const int16_t n = stepsFor(record);
    int16_t stop = -1;
    const SolverRow a = held.row(100, n, &stop);
    EXPECT_EQ(stop, 0);
    const SolverRow b = held.row(200, n);
    const SolverRow c = held.row(300, n);
    EXPECT_NEAR((b.t - a.t) - (c.t - b.t), 0.0f, 1e-5f); // one straight line
    EXPECT_LT(a.t, held.row(100).t - 0.5f);
}

TEST_P(Trajectory, CrosswindDriftsDownwind) {
    SolverRecord record = typicalLoad();
    const SolverRow calm = flyTo(api, record, {500})[0];
    EXPECT_EQ(calm.z, 0.0f);
    EXPECT_EQ(calm.Vz, 0.0f);

    record.windSpeed = 10;
    const std::vector<SolverRow> windy = flyTo(api, record, {500, 1000});
    EXPECT_GT(windy[0].z, 10.0f);
    EXPECT_LT(windy[0].z, 40.0f);
    EXPECT_GT(windy[0].Vz, 0.0f);
    EXPECT_GT(windy[1].z, windy[0].z * 2.5f); // drift grows faster than range

    record.windSpeed = -10;
    EXPECT_FLOAT_EQ(flyTo(api, record, {500})[0].z, -windy[0].z);
}

TEST_P(Trajectory, CalcPreLeavesTheRecordAloneAndRepeats) {
    SolverRecord record = typicalLoad();
    record.lowerBc = 0.45f;
    record.lowerVel = 2000;
    const SolverRecord copy = record;
    ASSERT_EQ(api.memAlloc(stepsFor(record)), 11);
    ASSERT_EQ(api.calcPre(&record), 11);
    EXPECT_EQ(std::memcmp(&record, &copy, sizeof record), 0);
    SolverRow first{}, second{};
    api.printOneLine(&first, 800, 1);
    ASSERT_EQ(api.calcPre(&record), 11);
    api.printOneLine(&second, 800, 1);
    EXPECT_TRUE(sameRow(first, second));
    EXPECT_EQ(api.memDeAlloc(), 0);
}

TEST_P(Trajectory, DragFreeFlightFollowsTheParabola) {
    SolverRecord record = typicalLoad();
    record.ballisticCoef = 1e30f;
    record.isZeroed = 0;
    HeldTrajectory held(api, record);
    for (float range : {100.0f, 500.0f, 1000.0f}) {
        const SolverRow row = held.row(range);
        const double t = range * 0.9144 / (2635 * 0.3048);
        // Within what single-precision storage of the downrange distance allows over thousands
        // of steps; a wrongly weighted step would be off by a third.
        EXPECT_NEAR(row.t, t, 1e-4 * t);
        EXPECT_NEAR(row.y, -0.5 * 9.818 * t * t / 0.0254, 1e-3 + 2e-4 * std::abs(row.y));
        EXPECT_NEAR(row.Vy, -9.818 * t / 0.3048, 1e-3 + 1e-4 * std::abs(row.Vy));
        EXPECT_FLOAT_EQ(row.Vx, 2635.0f);
    }
}

TEST_P(Trajectory, UnlistedDragCodesFlyAsG1) {
    SolverRecord record = typicalLoad();
    const std::vector<float> ranges = {0, 100, 300, 600, 1000};
    const std::vector<SolverRow> expected = flyTo(api, record, ranges);
    for (int16_t code : {3, 12, -1}) {
        record.dragModel = code;
        const std::vector<SolverRow> got = flyTo(api, record, ranges);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(sameRow(got[i], expected[i])) << "code " << code << " row " << i;
    }
    record.dragModel = 7; // G7 retards a long bullet less
    EXPECT_GT(flyTo(api, record, {1000})[0].V, expected.back().V + 100);
}

// Rows of two records compared range by range.
bool sameRows(const SolverBackend& api, const SolverRecord& a, const SolverRecord& b) {
    std::vector<float> ranges;
    for (float range = 0; range <= 1000; range += 50)
        ranges.push_back(range);
    const std::vector<SolverRow> first = flyTo(api, a, ranges);
    const std::vector<SolverRow> second = flyTo(api, b, ranges);
    for (std::size_t i = 0; i < first.size(); ++i)
        if (!sameRow(first[i], second[i])) return false;
    return true;
}

TEST_P(Trajectory, BandCoefficientsAtOrBelowAThousandthAreIgnored) {
    const SolverRecord plain = typicalLoad();
    SolverRecord band = plain;
    band.lowerVel = 2000;
    band.lowestVel = 1500;
    for (float unusable : {0.0f, 0.001f, -0.3f}) {
        band.lowerBc = unusable;
        band.lowestBc = unusable;
        EXPECT_TRUE(sameRows(api, plain, band)) << unusable;
    }
    band.lowerBc = 0.0011f;
    EXPECT_FALSE(sameRows(api, plain, band));
}

TEST_P(Trajectory, LowerBandsTakeOverAsTheBulletSlows) {
    const SolverRecord plain = typicalLoad();
    SolverRecord banded = plain;
    banded.lowerBc = 0.4f;
    banded.lowerVel = 2000;
    const std::vector<SolverRow> a = flyTo(api, plain, {300, 800});
    const std::vector<SolverRow> b = flyTo(api, banded, {300, 800, 1000});
    // Identical until the downrange velocity reaches 2000 ft/s (near 400 yd), slower after.
    EXPECT_TRUE(sameRow(a[0], b[0]));
    EXPECT_LT(b[1].V, a[1].V - 50);

    // A lowest band with no usable coefficient keeps the lower one.
    SolverRecord lowestUnusable = banded;
    lowestUnusable.lowestVel = 1600;
    EXPECT_TRUE(sameRows(api, banded, lowestUnusable));
    SolverRecord lowest = lowestUnusable;
    lowest.lowestBc = 0.3f;
    EXPECT_LT(flyTo(api, lowest, {1000})[0].V, b[2].V - 30);
}

TEST_P(Trajectory, ABandStartingAboveTheMuzzleVelocityAppliesAlmostAtOnce) {
    SolverRecord banded = typicalLoad();
    banded.ballisticCoef = 0.6f;
    banded.lowerBc = 0.4f;
    banded.lowerVel = 3000;
    SolverRecord plain = typicalLoad();
    plain.ballisticCoef = 0.4f;
    const SolverRow a = flyTo(api, banded, {500})[0];
    const SolverRow b = flyTo(api, plain, {500})[0];
    // Only the very first slope is taken with the higher coefficient.
    EXPECT_NEAR(a.V, b.V, 0.05f);
    EXPECT_NEAR(a.y, b.y, 0.02f);
}

INSTANTIATE_TEST_SUITE_P(Backends, Trajectory,
                         ::testing::Values("c++", "trajcore.so", "quorvelsim.so"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

} // namespace
