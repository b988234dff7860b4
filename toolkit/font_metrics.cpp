#include "toolkit/font_metrics.h"

namespace {

TEXTMETRICA MetricsOf(HGDIOBJ font) {
    gdi::WindowDC screen(nullptr);
    gdi::Selection selection(screen);
    selection.Select(font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    return metrics;
}

}  // namespace

TEXTMETRICA FontMetrics(const TFont& font) {
    gdi::Font handle = font.Create();
    return MetricsOf(handle);
}

int SystemFontHeight() { return MetricsOf(GetStockObject(SYSTEM_FONT)).tmHeight; }
