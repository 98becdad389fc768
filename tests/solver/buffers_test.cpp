// Allocation, counting and release of the solver's buffers, and calls made out of order.
#include "SolverBackend.h"

#include <gtest/gtest.h>

namespace {

// Leaves the solver with nothing allocated and allocation failures switched off.
class SolverBuffers : public ::testing::Test {
protected:
    void TearDown() override {
        trajcore::failAllocationsAfter(-1);
        trajcore::memDeAlloc();
        EXPECT_EQ(trajcore::liveBlocks(), 0);
    }
};

TEST_F(SolverBuffers, EveryAllocationFailureGivesANegativeCountAndReleasesCleanly) {
    for (int successes = 0; successes < 11; ++successes) {
        SCOPED_TRACE(successes);
        trajcore::failAllocationsAfter(successes);
        EXPECT_EQ(trajcore::memAlloc(100), successes == 0 ? -1 : -successes);
        trajcore::failAllocationsAfter(-1);
        // Nothing is computed or read from half-made buffers.
        const SolverRecord record = typicalLoad();
        EXPECT_EQ(trajcore::calcPre(&record), 0);
        SolverRow row{};
        row.t = 42;
        EXPECT_EQ(trajcore::printOneLine(&row, 100, 1), 0);
        EXPECT_EQ(row.t, 42);
        EXPECT_EQ(trajcore::memDeAlloc(), 0);
    }
}

TEST_F(SolverBuffers, StartVectorFailureComputesNothing) {
    ASSERT_EQ(trajcore::memAlloc(100), 11);
    trajcore::failAllocationsAfter(0);
    SolverRecord record = typicalLoad();
    EXPECT_EQ(trajcore::calcPre(&record), 0);
    float t = -1;
    float values[6] = {1, 1, 1, 1, 1, 1};
    ASSERT_TRUE(trajcore::tableEntry(50, t, values));
    EXPECT_EQ(t, 0.0f); // still the zero-filled table
    for (float value : values)
        EXPECT_EQ(value, 0.0f);
    trajcore::failAllocationsAfter(-1);
    EXPECT_EQ(trajcore::calcPre(&record), 11);
    SolverRow before{}, after{};
    trajcore::printOneLine(&before, 50, 1);
    // A failed recomputation leaves the table and the record it was made from in place.
    record.isMetric = 1;
    record.muzzleVelocity = 1000;
    trajcore::failAllocationsAfter(0);
    EXPECT_EQ(trajcore::calcPre(&record), 0);
    trajcore::printOneLine(&after, 50, 1);
    EXPECT_TRUE(sameRow(before, after));
    trajcore::failAllocationsAfter(-1);
    EXPECT_EQ(trajcore::memDeAlloc(), 0);
}

TEST_F(SolverBuffers, CountsBelowOneAreRefused) {
    EXPECT_LT(trajcore::memAlloc(0), 0);
    EXPECT_LT(trajcore::memAlloc(-5), 0);
    EXPECT_EQ(trajcore::liveBlocks(), 0);
    ASSERT_EQ(trajcore::memAlloc(10), 11);
    EXPECT_LT(trajcore::memAlloc(0), 0);
    EXPECT_EQ(trajcore::stepCount(), 10); // the refused call changed nothing
    EXPECT_EQ(trajcore::memDeAlloc(), 0);
}

TEST_F(SolverBuffers, CallsWithoutBuffersOrRecordsDoNothing) {
    const SolverRecord record = typicalLoad();
    EXPECT_EQ(trajcore::calcPre(&record), 0);
    SolverRow row{};
    EXPECT_EQ(trajcore::printOneLine(&row, 100, 1), 0);
    EXPECT_TRUE(sameRow(row, SolverRow{}));
    EXPECT_EQ(trajcore::memDeAlloc(), 0);
    EXPECT_EQ(trajcore::memDeAlloc(), 0);
    ASSERT_EQ(trajcore::memAlloc(10), 11);
    EXPECT_EQ(trajcore::calcPre(nullptr), 0);
    EXPECT_EQ(trajcore::printOneLine(nullptr, 1, 1), 0);
}

TEST_F(SolverBuffers, StartIndexOutsideTheTableIsKeptInside) {
    const SolverRecord record = typicalLoad();
    ASSERT_EQ(trajcore::memAlloc(stepsFor(record)), 11);
    ASSERT_EQ(trajcore::calcPre(&record), 11);
    SolverRow fresh{}, low{}, high{}, last{};
    trajcore::printOneLine(&fresh, 0, 1);
    trajcore::printOneLine(&low, 0, -7);
    EXPECT_TRUE(sameRow(fresh, low));
    trajcore::printOneLine(&last, 300, stepsFor(record));
    EXPECT_EQ(trajcore::printOneLine(&high, 300, 32767), 0);
    EXPECT_TRUE(sameRow(last, high));
}

TEST_F(SolverBuffers, TableEntriesAreReadableOnlyInsideTheTable) {
    float t;
    float values[6];
    EXPECT_FALSE(trajcore::tableEntry(0, t, values));
    ASSERT_EQ(trajcore::memAlloc(20), 11);
    EXPECT_TRUE(trajcore::tableEntry(0, t, values));
    EXPECT_TRUE(trajcore::tableEntry(20, t, values));
    EXPECT_FALSE(trajcore::tableEntry(21, t, values));
    EXPECT_FALSE(trajcore::tableEntry(-1, t, values));
}

} // namespace
