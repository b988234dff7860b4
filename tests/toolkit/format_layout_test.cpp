#include "toolkit/format_layout.h"

#include <gtest/gtest.h>

namespace {

// A line of 10 px wide small text (ascent 11, height 13) beside 30 px of
// larger text (ascent 18, height 22), and a second line of small text only.
const std::vector<std::vector<RunMetrics>> kTwoLines = {{{10, 11, 13}, {30, 18, 22}}, {{25, 11, 13}}};

}  // namespace

TEST(FormatLayout, LinesTakeTheirTallestRun) {
    FmtMeasure m = MeasureFormattedLines(kTwoLines, FmtLineAlign::Left);
    ASSERT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.lines[0].width, 40);
    EXPECT_EQ(m.lines[0].ascent, 18);
    EXPECT_EQ(m.lines[0].height, 22);
    EXPECT_EQ(m.neededHeight, 35);
}

TEST(FormatLayout, OnlyACentredLabelNeedsJustItsWidestLine) {
    EXPECT_EQ(MeasureFormattedLines(kTwoLines, FmtLineAlign::Left).neededWidth, 65);
    EXPECT_EQ(MeasureFormattedLines(kTwoLines, FmtLineAlign::Right).neededWidth, 65);
    EXPECT_EQ(MeasureFormattedLines(kTwoLines, FmtLineAlign::Centre).neededWidth, 40);
}

TEST(FormatLayout, RunsShareTheBaselineAndLinesStepByAscent) {
    FmtMeasure m = MeasureFormattedLines(kTwoLines, FmtLineAlign::Left);
    auto places = PlaceFormattedRuns(kTwoLines, m, FmtLineAlign::Left, 65);
    EXPECT_EQ(places[0][0].x, 0);
    EXPECT_EQ(places[0][0].y, 7) << "18 - 11: the small run sits on the large one's baseline";
    EXPECT_EQ(places[0][1].x, 10);
    EXPECT_EQ(places[0][1].y, 0);
    EXPECT_EQ(places[1][0].y, 18) << "one ascent of the line above lower";
}

TEST(FormatLayout, RightAndCentredLinesPlaceByTheLabelWidth) {
    FmtMeasure m = MeasureFormattedLines(kTwoLines, FmtLineAlign::Right);
    auto right = PlaceFormattedRuns(kTwoLines, m, FmtLineAlign::Right, 100);
    EXPECT_EQ(right[0][0].x, 60);
    EXPECT_EQ(right[1][0].x, 75);
    auto centred = PlaceFormattedRuns(kTwoLines, m, FmtLineAlign::Centre, 100);
    EXPECT_EQ(centred[0][0].x, 30);
    EXPECT_EQ(centred[1][0].x, 37);
}
