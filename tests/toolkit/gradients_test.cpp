// The gradient arithmetic, against values worked out by hand.
#include "toolkit/gradients.h"

#include <gtest/gtest.h>

namespace {

TColor ColumnColor(const std::vector<ColorRun>& runs, int x) {
    for (const ColorRun& run : runs)
        if (x >= run.left && x < run.right) return run.color;
    return -1;
}

// The page title bar: from RGB(4, 48, 77) to RGB(239, 239, 239) over 100
// columns, steps 2.35, 1.91 and 1.62 per column.
TEST(TitleBarRuns, ColumnsFollowTheTruncatedSteps) {
    auto runs = TitleBarRuns(0x004D3004, 0x00EFEFEF, 100);
    EXPECT_EQ(ColumnColor(runs, 0), RGBColor(4, 48, 77));
    EXPECT_EQ(ColumnColor(runs, 1), RGBColor(4, 48, 77)) << "the first two columns are the start colour";
    EXPECT_EQ(ColumnColor(runs, 2), RGBColor(6, 49, 78)) << "6.35, 49.91, 78.62 truncated";
    EXPECT_EQ(ColumnColor(runs, 3), RGBColor(8, 51, 80)) << "8.7, 51.82, 80.24 truncated";
    EXPECT_EQ(ColumnColor(runs, 11), RGBColor(27, 67, 93)) << "27.5, 67.1, 93.2 truncated";
    EXPECT_EQ(ColumnColor(runs, 99), RGBColor(234, 235, 235)) << "234.3, 235.18, 235.76 truncated";
}

TEST(TitleBarRuns, EqualColumnsShareOneRunThatEndsAtTheRightEdge) {
    // Red climbs 0.5 per column from column 1 on: 10, 10, 10.5, 11, 11.5 ...
    auto runs = TitleBarRuns(RGBColor(10, 0, 0), RGBColor(15, 0, 0), 10);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].left, 0);
    EXPECT_EQ(runs[0].right, 3) << "columns 0 to 2 are all 10 (10.5 truncates)";
    EXPECT_EQ(runs[1].color, RGBColor(11, 0, 0));
    EXPECT_EQ(runs[1].left, 3);
    EXPECT_EQ(runs[1].right, 5);
    EXPECT_EQ(runs.back().right, 10);
    EXPECT_EQ(runs.back().color, RGBColor(14, 0, 0)) << "column 9: 10 + 8 * 0.5";
}

TEST(TitleBarRuns, FallingChannelsAndEmptyBars) {
    // Falling by 2.5 per column: 197.5 and 195 are truncated to 197 and 195.
    auto runs = TitleBarRuns(RGBColor(200, 0, 0), RGBColor(150, 0, 0), 20);
    EXPECT_EQ(ColumnColor(runs, 2), RGBColor(197, 0, 0));
    EXPECT_EQ(ColumnColor(runs, 3), RGBColor(195, 0, 0));
    EXPECT_TRUE(TitleBarRuns(0x004D3004, 0x00EFEFEF, 0).empty());
    EXPECT_TRUE(TitleBarRuns(0x004D3004, 0x00EFEFEF, -5).empty());
    EXPECT_EQ(TitleBarRuns(0x004D3004, 0x00EFEFEF, 1).size(), 1u);
}

TEST(GradientLineColor, RoundsEachChannelToTheNearestInteger) {
    // Red to 33 over 10 lines: 3.3, 6.6, 9.9, 13.2 round to 3, 7, 10, 13.
    TColor end = RGBColor(33, 0, 0);
    EXPECT_EQ(GradientLineColor(0, end, 0, 10), RGBColor(0, 0, 0));
    EXPECT_EQ(GradientLineColor(0, end, 1, 10), RGBColor(3, 0, 0));
    EXPECT_EQ(GradientLineColor(0, end, 2, 10), RGBColor(7, 0, 0));
    EXPECT_EQ(GradientLineColor(0, end, 3, 10), RGBColor(10, 0, 0));
    EXPECT_EQ(GradientLineColor(0, end, 4, 10), RGBColor(13, 0, 0));
    // Falling: 200 to 100 and 200 to 150 over 6 lines.
    TColor from = RGBColor(200, 200, 200), to = RGBColor(100, 150, 200);
    EXPECT_EQ(GradientLineColor(from, to, 1, 6), RGBColor(183, 192, 200));
    EXPECT_EQ(GradientLineColor(from, to, 2, 6), RGBColor(167, 183, 200));
    EXPECT_EQ(GradientLineColor(from, to, 3, 6), RGBColor(150, 175, 200));
    EXPECT_EQ(GradientLineColor(from, to, 0, 0), from) << "no lines: no division by zero";
}

}  // namespace
