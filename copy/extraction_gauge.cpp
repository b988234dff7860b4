#include "copy/extraction_gauge.h"

#include <cmath>

int ExtractionPercent(double written, double expected) {
    if (!(expected > 0) || !(written > 0)) return 0;
    // The default rounding mode rounds ties to even.
    const double percent = std::nearbyint(written / expected * 100.0);
    return percent >= 100 ? 100 : static_cast<int>(percent);
}
