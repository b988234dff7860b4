// Where a radio group puts its item buttons: in columns filled top to
// bottom, each button filling its whole cell. Portable.
#pragma once

#include <vector>

constexpr int kMinRadioColumns = 1, kMaxRadioColumns = 16;

struct RadioCell {
    int left = 0, top = 0, width = 0, height = 0;
};

// The cells of `count` items in a group of the given size; no items, no
// cells. Columns are taken within 1..16.
std::vector<RadioCell> RadioGroupCells(int count, int columns, int width, int height);
