#include "toolkit/gradients.h"

#include <algorithm>
#include <cmath>

namespace {

int Channel(TColor color, int shift) { return (color >> shift) & 0xFF; }

}  // namespace

std::vector<ColorRun> TitleBarRuns(TColor start, TColor end, int width) {
    std::vector<ColorRun> runs;
    if (width <= 0) return runs;
    double steps[3];
    for (int c = 0; c < 3; ++c) steps[c] = static_cast<double>(Channel(end, 8 * c) - Channel(start, 8 * c)) / width;
    auto columnColor = [&](int x) {
        if (x < 2) return start;
        int rgb[3];
        for (int c = 0; c < 3; ++c) rgb[c] = static_cast<int>(std::trunc(Channel(start, 8 * c) + (x - 1) * steps[c]));
        return RGBColor(rgb[0], rgb[1], rgb[2]);
    };
    for (int x = 0; x < width; ++x) {
        TColor color = columnColor(x);
        if (!runs.empty() && runs.back().color == color)
            runs.back().right = x + 1;
        else
            runs.push_back({x, x + 1, color});
    }
    return runs;
}

TColor GradientLineColor(TColor start, TColor end, int i, int n) {
    if (n <= 0) return start;
    int rgb[3];
    for (int c = 0; c < 3; ++c) {
        int from = Channel(start, 8 * c), to = Channel(end, 8 * c);
        long value = from + std::lround(static_cast<double>(i) * (to - from) / n);
        rgb[c] = static_cast<int>(std::clamp(value, 0L, 255L));
    }
    return RGBColor(rgb[0], rgb[1], rgb[2]);
}
