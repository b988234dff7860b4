// Where the runs of a formatted caption go: lines measured from their runs,
// the size the label needs, and each run's place on its line's baseline.
// Portable: the label supplies the measures of its fonts.
#pragma once

#include <vector>

struct RunMetrics {
    int width = 0;
    int ascent = 0;
    int height = 0;
};

struct LineMetrics {
    int width = 0;   // the sum of its runs' widths
    int ascent = 0;  // the largest of its runs
    int height = 0;  // the largest of its runs
};

enum class FmtLineAlign { Left, Right, Centre };

struct FmtMeasure {
    std::vector<LineMetrics> lines;
    int neededWidth = 0;   // the widest line when centred, else all line widths added
    int neededHeight = 0;  // all line heights added
};

// runs[line][run] are the measures of the parsed runs.
FmtMeasure MeasureFormattedLines(const std::vector<std::vector<RunMetrics>>& runs, FmtLineAlign align);

struct RunPlace {
    int x = 0;
    int y = 0;
};

// The top-left corner of every run in a label `labelWidth` wide: lines start
// one ascent of the line above lower, runs share their line's baseline.
std::vector<std::vector<RunPlace>> PlaceFormattedRuns(const std::vector<std::vector<RunMetrics>>& runs,
                                                      const FmtMeasure& measure, FmtLineAlign align, int labelWidth);
