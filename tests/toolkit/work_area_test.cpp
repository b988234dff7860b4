// The largest form size for each side the taskbar may sit on, on an 800 x
// 600 screen with a 30-pixel taskbar.
#include "toolkit/work_area.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkAreaLimit, TaskbarAtTheBottomOrTopTakesItsHeight) {
    FormSizeLimit bottom = WorkAreaLimit(800, 600, {0, 570, 800, 600});
    EXPECT_EQ(bottom.width, 806);
    EXPECT_EQ(bottom.height, 576);
    FormSizeLimit top = WorkAreaLimit(800, 600, {0, 0, 800, 30});
    EXPECT_EQ(top.width, 806);
    EXPECT_EQ(top.height, 576);
    // A taskbar hanging over the edges (as one that auto-hides does).
    FormSizeLimit over = WorkAreaLimit(800, 600, {-2, 568, 802, 602});
    EXPECT_EQ(over.height, 572);
}

TEST(WorkAreaLimit, TaskbarAtASideTakesItsWidth) {
    FormSizeLimit left = WorkAreaLimit(800, 600, {0, 0, 60, 600});
    EXPECT_EQ(left.width, 746);
    EXPECT_EQ(left.height, 606);
    FormSizeLimit right = WorkAreaLimit(800, 600, {740, 0, 800, 600});
    EXPECT_EQ(right.width, 746);
    EXPECT_EQ(right.height, 606);
}

TEST(WorkAreaLimit, NoTaskbarLeavesTheWholeScreen) {
    FormSizeLimit none = WorkAreaLimit(800, 600, {0, 0, 0, 0});
    EXPECT_EQ(none.width, 806);
    EXPECT_EQ(none.height, 606);
}

}  // namespace
