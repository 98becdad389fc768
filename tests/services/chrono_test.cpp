// The chronograph correction: the muzzle velocity behind a speed measured downrange.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "services/CChronoVelocity.h"
#include "services/CSmallBall.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Speed at `feet` from the muzzle for a muzzle velocity, through the simulator library with the
// record the correction uses.
float speedAt(float muzzle, float feet, float bc, float angle = 0) {
    SolverRecord record{};
    record.muzzleVelocity = muzzle;
    record.ballisticCoef = bc;
    record.flightTime = 0.2f;
    record.departureAngle = angle;
    record.dragModel = 1;
    record.stepRate = 5000;
    CSmallBall sb;
    sb.isTable = false;
    sb.allocMem(record);
    sb.calcAll(record);
    SolverRow row{};
    sb.getOneResult(row, feet / 3.0f, 1);
    sb.deAllocMem();
    return row.V;
}

class ChronoTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    QuietPrompt prompts;
    CChronoVelocity chrono;
};

TEST_F(ChronoTest, FindsTheMuzzleVelocityBehindTheReading) {
    const float mv = chrono.chronoCorrect(0.45f, 15, 2700, QStringLiteral("0"));
    // 15 ft out, a .45 bullet has lost some 20 ft/s.
    EXPECT_GT(mv, 2705);
    EXPECT_LT(mv, 2740);
    // Flown again, that velocity gives the reading at 15 feet (5 yards) within the tolerance.
    EXPECT_NEAR(speedAt(mv, 15, 0.45f), 2700, 0.1);
    EXPECT_GT(chrono.iterations(), 1);
}

TEST_F(ChronoTest, TheFirstGuessStandsAtTheSmallestDistance) {
    // 0.01 ft: the guess chronoVel + 0.03 already meets the tolerance after one integration.
    const float mv = chrono.chronoCorrect(0.5f, 0.01f, 3000, QStringLiteral("0"));
    EXPECT_EQ(mv, 0.01f * 3.0f + 3000.0f);
    EXPECT_EQ(chrono.iterations(), 1);
}

TEST_F(ChronoTest, RepeatingGivesTheSameResult) {
    const float a = chrono.chronoCorrect(0.3f, 12, 2400, QStringLiteral("5"));
    const float b = chrono.chronoCorrect(0.3f, 12, 2400, QStringLiteral("5"));
    EXPECT_EQ(a, b);
    CChronoVelocity other;
    EXPECT_EQ(other.chronoCorrect(0.3f, 12, 2400, QStringLiteral("5")), a);
}

TEST_F(ChronoTest, StopsWhenTheNextGuessWouldPassTwelveTenthsOfTheReading) {
    // 300 ft/s and a coefficient of 0.003 (the dialog refuses it, the calculation does not):
    // the speed 15 ft out needs more than 360 ft/s, so the search stops once the next guess
    // would pass 360 and reports the guess before it.
    const float vel = 300, feet = 15, bc = 0.003f;
    const float mv = chrono.chronoCorrect(bc, feet, vel, QStringLiteral("0"));
    EXPECT_GT(chrono.iterations(), 1);
    EXPECT_LE(mv, vel * 1.2f);
    const float diff = speedAt(mv, feet, bc) - vel;
    EXPECT_GE(std::fabs(diff), 0.1f);
    EXPECT_GT(mv - diff / 2, vel * 1.2f);
    // A first guess beyond the ceiling is itself the answer: one integration.
    EXPECT_EQ(chrono.chronoCorrect(bc, 30, vel, QStringLiteral("0")), 390.0f);
    EXPECT_EQ(chrono.iterations(), 1);
}

TEST_F(ChronoTest, ANonNumericAngleIsReported) {
    EXPECT_EQ(chrono.chronoCorrect(0.5f, 10, 2800, QStringLiteral("steep")), 0.0f);
    // Kept for the entry point, which reports it once.
    ASSERT_TRUE(chrono.failure());
    prompts.expected = {QStringLiteral("CChronoVelocity chronoCorrect: 13 - Type mismatch")};
    Problems::report(*chrono.failure());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("CChronoVelocity chronoCorrect: 13 - Type mismatch"));
}

TEST(ChronoWithoutSolver, ReportsTheMissingLibrary) {
    TestAppFolder folder(false);
    QuietPrompt prompts; // nothing shown: the failure is kept for the entry point
    CChronoVelocity chrono;
    EXPECT_EQ(chrono.chronoCorrect(0.5f, 10, 2800, QStringLiteral("0")), 0.0f);
    const QList<Problem> problems = chrono.problems();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.front().messageText().startsWith(QStringLiteral("CSmallBall allocMem: ")));
    // The next call keeps only its own.
    EXPECT_EQ(chrono.chronoCorrect(0.5f, 10, 2800, QStringLiteral("steep")), 0.0f);
    ASSERT_EQ(chrono.problems().size(), 1);
    EXPECT_EQ(chrono.problems().front().messageText(),
              QStringLiteral("CChronoVelocity chronoCorrect: 13 - Type mismatch"));
}

} // namespace
