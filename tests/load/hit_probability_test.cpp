// The hit probability against what can be worked out apart from it: the normal distribution's
// closed forms, the vertical spread from two tables flown at two velocities, and a Monte Carlo
// over the same flights.
#include "table_support.h"

#include "load/HitMath.h"
#include "load/HitTable.h"
#include "load/InputFields.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace InputFields;

namespace {

class HitProbabilityTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        const std::pair<int, const char*> texts[] = {
            {MuzzleVelocity, "2800"}, {BulletWeight, "168"}, {Bc, "0.462"},
            {MaxRange, "1000"},       {Increments, "50"},    {ZeroRange, "100"},
            {XwindSpeed, "10"},       {XwindAngle, "90"},    {Altitude, "0"},
            {Temperature, "59"},      {SightHeight, "1.5"},  {Angle, "0"},
            {Pressure, "29.53"},      {Humidity, "50"},      {TargetSpeed, "0"}};
        for (const auto& [index, text] : texts)
            set(index, text);
        model.form.dragIndex = 0;
        model.form.precision.dragTable = "G1";
    }

    static HitInputs only(double HitInputs::*source, double value) {
        HitInputs in;
        in.groupMoa = in.velocitySdFps = in.bcSdPct = in.rangeSd = in.windSdMph = 0;
        if (source) in.*source = value;
        return in;
    }

    HitTable::Result hits(const HitInputs& in) {
        HitTable::Result r = HitTable::compute(model.snapshot(), in);
        EXPECT_TRUE(r.ok()) << r.problem.toStdString();
        return r;
    }

    // The table's height at each row for the velocity field set to `velocity`.
    std::vector<double> heights(const char* velocity) {
        set(MuzzleVelocity, velocity);
        const TableResult t = txt.rows(model.snapshot(), model.values.in1, model.values.in1);
        EXPECT_TRUE(t.ok());
        std::vector<double> h;
        for (const TableRow& row : t.rows)
            h.push_back(row[TableColumns::Height]);
        return h;
    }
};

TEST(HitMathTest, CircleUnderRoundGroupIsRayleigh) {
    // Equal sigmas: the radius is Rayleigh, P(r <= R) = 1 - exp(-R^2 / 2 sigma^2).
    for (double sigma : {0.5, 2.0, 6.0}) {
        const double expected = 1 - std::exp(-25 / (2 * sigma * sigma));
        EXPECT_NEAR(HitMath::circleProbability(10, sigma, sigma), expected, 1e-6) << sigma;
    }
    // One axis without spread: the other's interval alone.
    EXPECT_NEAR(HitMath::circleProbability(10, 2, 0), std::erf(5 / (2 * std::sqrt(2.0))), 1e-9);
}

TEST(HitMathTest, GroupSizeBecomesSigmaPerAxis) {
    // A 3.07-MOA five-shot group is one MOA sigma: 10.472 in at 1000 yd.
    EXPECT_NEAR(HitMath::groupSigmaIn(3.07, 1000), 10.472, 1e-3);
}

TEST_F(HitProbabilityTest, RifleSpreadAloneIsProductOfErrorFunctions) {
    HitInputs in = only(&HitInputs::groupMoa, 1.5);
    in.targetWidthIn = 12;
    in.targetHeightIn = 8;
    const HitTable::Result r = hits(in);
    ASSERT_GT(r.rows.size(), 12u);
    for (size_t i : {4u, 12u}) {
        const HitTable::Row& row = r.rows[i];
        const double sigma = 1.5 / 3.07 * 1.0472 * row.range / 100;
        EXPECT_NEAR(row.sigmaVIn, sigma, 1e-6);
        EXPECT_NEAR(row.sigmaHIn, sigma, 1e-6);
        const double p =
            std::erf(6 / (sigma * std::sqrt(2.0))) * std::erf(4 / (sigma * std::sqrt(2.0)));
        EXPECT_NEAR(row.hitPct, 100 * p, 1e-6);
        EXPECT_NEAR(row.budgetPct[HitTable::Rifle], 100, 1e-9);
    }
}

TEST_F(HitProbabilityTest, VelocitySpreadAloneFollowsTwoTables) {
    for (bool precise : {false, true}) {
        model.form.precision.setOn(precise);
        set(XwindSpeed, "0"); // a slower bullet drifts more: no wind, no drift to spread
        const HitTable::Result r = hits(only(&HitInputs::velocitySdFps, 12));
        const std::vector<double> up = heights("2830"), down = heights("2770");
        set(MuzzleVelocity, "2800");
        ASSERT_GE(up.size(), r.rows.size());
        for (size_t i : {6u, 12u, 20u}) {
            ASSERT_LT(i, r.rows.size());
            const double expected = std::fabs(up[i] - down[i]) / 60 * 12;
            EXPECT_NEAR(r.rows[i].sigmaVIn, expected, 0.02 * expected + 0.01)
                << "precision " << precise << " row " << i;
            EXPECT_NEAR(r.rows[i].sigmaHIn, 0, 0.02);
        }
    }
}

TEST_F(HitProbabilityTest, FallsWithRangeAndNeverWithALargerTarget) {
    HitInputs small;
    HitInputs wide = small;
    wide.targetWidthIn = 14;
    HitInputs round = small;
    round.circleDiameterIn = 10;
    HitInputs bigRound = round;
    bigRound.circleDiameterIn = 12;
    const auto a = hits(small), b = hits(wide), c = hits(round), d = hits(bigRound);
    ASSERT_EQ(a.rows.size(), 21u);
    for (size_t i = 1; i < a.rows.size(); ++i) {
        EXPECT_LE(a.rows[i].hitPct, a.rows[i - 1].hitPct + 1e-9) << i;
        EXPECT_GE(b.rows[i].hitPct, a.rows[i].hitPct) << i;
        EXPECT_GE(d.rows[i].hitPct, c.rows[i].hitPct - 1e-9) << i;
        EXPECT_LE(c.rows[i].hitPct, a.rows[i].hitPct + 1e-9) << i; // the circle inside the square
    }
    EXPECT_LT(a.rows.back().hitPct, 50);
    EXPECT_GT(a.rows[4].hitPct, 95);
}

TEST_F(HitProbabilityTest, BudgetSumsToHundredAndWindLeadsFarOut) {
    HitInputs in;
    in.rangeSd = 10;
    const auto r = hits(in);
    for (size_t i = 1; i < r.rows.size(); ++i) {
        const auto& b = r.rows[i].budgetPct;
        EXPECT_NEAR(std::accumulate(b.begin(), b.end(), 0.0), 100, 1e-9) << i;
        for (double share : b)
            EXPECT_GE(share, 0);
    }
    const auto& far = r.rows.back().budgetPct;
    EXPECT_EQ(std::max_element(far.begin(), far.end()) - far.begin(), HitTable::WindCall);
}

TEST_F(HitProbabilityTest, MonteCarloAgreesToOnePointAndRepeatsWithItsSeed) {
    set(MaxRange, "600");
    HitInputs in;
    in.rangeSd = 5;
    const auto r = hits(in);
    ASSERT_EQ(r.rows.size(), 13u);
    const std::vector<double> mc = HitTable::monteCarlo(r, in, 40000, 7, false);
    ASSERT_EQ(mc.size(), r.rows.size());
    for (size_t i = 0; i < mc.size(); ++i)
        EXPECT_NEAR(mc[i], r.rows[i].hitPct, 1.0) << "row " << i;
    EXPECT_LT(mc.back(), 90); // the check sees misses, not a full house everywhere
    EXPECT_EQ(HitTable::monteCarlo(r, in, 10000, 42, false),
              HitTable::monteCarlo(r, in, 10000, 42, false));
    EXPECT_NE(HitTable::monteCarlo(r, in, 10000, 42, false),
              HitTable::monteCarlo(r, in, 10000, 43, false));
}

TEST_F(HitProbabilityTest, WhereTheResponseBendsTheRowIsTheMonteCarlos) {
    // Everyday errors: the linear method holds at every row.
    for (const HitTable::Row& row : hits(HitInputs()).rows)
        EXPECT_FALSE(row.monteCarlo) << row.range;
    // A velocity spread of 80 ft/s and a BC known to 15 %: far out the drop's response curves.
    HitInputs wild;
    wild.velocitySdFps = 80;
    wild.bcSdPct = 15;
    wild.targetWidthIn = wild.targetHeightIn = 30;
    const HitTable::Result r = hits(wild);
    ASSERT_TRUE(r.rows.back().monteCarlo);
    const std::vector<double> check = HitTable::monteCarlo(r, wild, 40000, 3, false);
    for (size_t i = 0; i < r.rows.size(); ++i) {
        if (!r.rows[i].monteCarlo) continue;
        EXPECT_NEAR(r.rows[i].hitPct, check[i], 1.5) << "row " << i;
        // What the linear method would have said is off by more.
        const double linear =
            100 * HitMath::rectangleProbability(30, 30, r.rows[i].sigmaVIn, r.rows[i].sigmaHIn);
        if (i + 1 == r.rows.size()) {
            EXPECT_GT(std::fabs(linear - check[i]), 1.5) << linear;
        }
    }
    // Its shots are the same for any target: a larger one never counts fewer.
    HitInputs larger = wild;
    larger.targetWidthIn = 31;
    const HitTable::Result l = hits(larger);
    for (size_t i = 0; i < r.rows.size(); ++i)
        EXPECT_GE(l.rows[i].hitPct, r.rows[i].hitPct) << i;
}

} // namespace
