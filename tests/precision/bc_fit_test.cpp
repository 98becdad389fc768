// The BC on another drag table that flies like the load's: exact where the tables are scaled
// copies of each other, and the same coefficient back when the fit is reversed.
#include "precision/BcFit.h"
#include "precision_support.h"

#include <gtest/gtest.h>

using namespace precision;
using namespace precision_test;

namespace {

TEST(EquivalentBc, ATableOfTwiceTheDragTakesTwiceTheCoefficient) {
    // Retardation goes with Cd / BC: on a table with every Cd doubled, twice the BC flies the
    // same path.
    const DragCurve g7 = shippedCurve("G7");
    DragCurve doubled = g7;
    for (double& cd : doubled.cd)
        cd *= 2;
    const auto bc = equivalentBc(typical308(), g7, doubled, 1000);
    ASSERT_TRUE(bc);
    EXPECT_NEAR(*bc, 2 * typical308().bc, 1e-5);
}

TEST(EquivalentBc, GoingThereAndBackGivesTheCoefficientAgain) {
    const DragCurve g1 = shippedCurve("G1"), g7 = shippedCurve("G7");
    Shot shot = typical308();
    shot.bc = 0.462; // a G1 figure of a .308 168-grain match bullet
    const auto onG7 = equivalentBc(shot, g1, g7, 1000);
    ASSERT_TRUE(onG7);
    // A G7 figure is about half the G1 one for a boat-tail match bullet.
    EXPECT_GT(*onG7, 0.20);
    EXPECT_LT(*onG7, 0.26);
    Shot back = shot;
    back.bc = *onG7;
    const auto onG1 = equivalentBc(back, g7, g1, 1000);
    ASSERT_TRUE(onG1);
    EXPECT_NEAR(*onG1, 0.462, 0.0005);
}

TEST(EquivalentBc, NoneWhenTheShotCannotFly) {
    Shot shot = typical308();
    shot.muzzleVelocityFps = 0;
    EXPECT_FALSE(equivalentBc(shot, shippedCurve("G1"), shippedCurve("G7"), 1000));
}

} // namespace
