#include "services/CDrag.h"

#include <gtest/gtest.h>

namespace {

TEST(CDrag, CodesPerListPosition) {
    const CDrag drag;
    const int16_t expected[] = {0, 2, 5, 6, 7, 8, 10, 11};
    for (int16_t i = 0; i < 8; ++i)
        EXPECT_EQ(drag.getDrag(i), expected[i]) << "position " << i;
}

TEST(CDrag, OutsideTheListIsG1) {
    const CDrag drag;
    EXPECT_EQ(drag.getDrag(-1), 0);
    EXPECT_EQ(drag.getDrag(8), 0);
    EXPECT_EQ(drag.getDrag(INT16_MAX), 0);
    EXPECT_EQ(drag.getDrag(INT16_MIN), 0);
}

TEST(CDrag, InitAppendsTheNamesInOrderWithoutClearing) {
    const CDrag drag;
    QStringList list{"existing"};
    drag.init(list);
    ASSERT_EQ(list.size(), 9);
    EXPECT_EQ(list.front(), "existing");
    EXPECT_EQ(list[1], "G1 Standard Flat Base");
    EXPECT_EQ(list[2], "G2 Conical Artillery");
    EXPECT_EQ(list[3], "G5 Standard Boat Tail");
    EXPECT_EQ(list[4], "G6 Flat Base Spire Point");
    EXPECT_EQ(list[5], "G7 Very Low Drag");
    EXPECT_EQ(list[6], "G8 Very Low Drag Flat Base");
    EXPECT_EQ(list[7], "Mayevski");
    EXPECT_EQ(list[8], "British 1909");
    drag.init(list);
    EXPECT_EQ(list.size(), 17);
    EXPECT_EQ(CDrag::names(), list.mid(1, 8));
}

} // namespace
