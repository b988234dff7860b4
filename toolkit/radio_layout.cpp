#include "toolkit/radio_layout.h"

#include <algorithm>

std::vector<RadioCell> RadioGroupCells(int count, int columns, int width, int height) {
    std::vector<RadioCell> cells;
    if (count <= 0) return cells;
    columns = std::clamp(columns, kMinRadioColumns, kMaxRadioColumns);
    int rows = (count + columns - 1) / columns;
    int columnWidth = width / columns;
    int rowHeight = height / rows;
    for (int i = 0; i < count; ++i)
        cells.push_back({(i / rows) * columnWidth, (i % rows) * rowHeight, columnWidth, rowHeight});
    return cells;
}
