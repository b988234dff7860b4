// The colour arithmetic of the toolkit's gradients, apart from any drawing so
// that it can be checked on its own. Colours here are plain RGB values
// ($00BBGGRR); system colours are resolved by the caller. Portable.
#pragma once

#include "framework/colors.h"

#include <vector>

// Columns [left, right) of a title bar that share one colour.
struct ColorRun {
    int left;
    int right;
    TColor color;
};

// The title bar's horizontal gradient over `width` columns, as runs of equal
// colour. Columns 0 and 1 are `start`; column x >= 2 has each channel of
// start plus (x - 1) steps of (end - start) / width, truncated. The last run
// reaches `width`. A width of 0 or less gives no runs.
std::vector<ColorRun> TitleBarRuns(TColor start, TColor end, int width);

// Line i of a panel gradient of n lines: each channel is start plus the
// nearest integer to i * (end - start) / n, kept within 0..255.
TColor GradientLineColor(TColor start, TColor end, int i, int n);
