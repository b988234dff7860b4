#include "toolkit/format_layout.h"

#include <algorithm>

FmtMeasure MeasureFormattedLines(const std::vector<std::vector<RunMetrics>>& runs, FmtLineAlign align) {
    FmtMeasure measure;
    for (const auto& line : runs) {
        LineMetrics metrics;
        for (const RunMetrics& run : line) {
            metrics.width += run.width;
            metrics.ascent = std::max(metrics.ascent, run.ascent);
            metrics.height = std::max(metrics.height, run.height);
        }
        measure.lines.push_back(metrics);
        measure.neededHeight += metrics.height;
        measure.neededWidth = align == FmtLineAlign::Centre ? std::max(measure.neededWidth, metrics.width)
                                                            : measure.neededWidth + metrics.width;
    }
    return measure;
}

std::vector<std::vector<RunPlace>> PlaceFormattedRuns(const std::vector<std::vector<RunMetrics>>& runs,
                                                      const FmtMeasure& measure, FmtLineAlign align, int labelWidth) {
    std::vector<std::vector<RunPlace>> places;
    int y = 0;
    for (size_t i = 0; i < runs.size() && i < measure.lines.size(); ++i) {
        const LineMetrics& line = measure.lines[i];
        int x = 0;
        if (align == FmtLineAlign::Right) x = labelWidth - line.width;
        if (align == FmtLineAlign::Centre) x = (labelWidth - line.width) / 2;
        std::vector<RunPlace>& row = places.emplace_back();
        for (const RunMetrics& run : runs[i]) {
            row.push_back({x, y + line.ascent - run.ascent});
            x += run.width;
        }
        y += line.ascent;
    }
    return places;
}
