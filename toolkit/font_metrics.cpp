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

int FontTextWidth(const TFont& font, std::string_view text) {
    if (text.empty()) return 0;
    gdi::WindowDC screen(nullptr);
    gdi::Font handle = font.Create();
    gdi::Selection selection(screen);
    selection.Select(handle);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}
