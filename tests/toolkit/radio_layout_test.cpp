#include "toolkit/radio_layout.h"

#include <gtest/gtest.h>

TEST(RadioLayout, ItemsFillColumnsTopToBottom) {
    // Five items in two columns of a 200 x 90 group: three rows of 30.
    auto cells = RadioGroupCells(5, 2, 200, 90);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0].left, 0);
    EXPECT_EQ(cells[2].top, 60);
    EXPECT_EQ(cells[3].left, 100);
    EXPECT_EQ(cells[3].top, 0);
    EXPECT_EQ(cells[4].top, 30);
    EXPECT_EQ(cells[4].width, 100);
    EXPECT_EQ(cells[4].height, 30);
}

TEST(RadioLayout, SizesAreCutDownNotRounded) {
    auto cells = RadioGroupCells(3, 1, 101, 100);
    EXPECT_EQ(cells[1].top, 33);
    EXPECT_EQ(cells[2].top, 66);
    EXPECT_EQ(cells[2].width, 101);
}

TEST(RadioLayout, NoItemsNoCellsAndColumnsStayInRange) {
    EXPECT_TRUE(RadioGroupCells(0, 3, 100, 100).empty());
    EXPECT_TRUE(RadioGroupCells(0, 0, 0, 0).empty());
    EXPECT_EQ(RadioGroupCells(2, 0, 100, 40)[1].top, 20) << "0 columns is one";
    auto many = RadioGroupCells(20, 40, 160, 20);  // 16 columns at most: two rows
    EXPECT_EQ(many[1].top, 10);
    EXPECT_EQ(many[2].left, 10);
}
