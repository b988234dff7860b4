#include "toolkit/accelerator.h"

#include "toolkit/accelerator_text.h"

namespace {

constexpr TColor kEmbossLight = clWhite;
constexpr TColor kEmbossShade = 0x00808080;
constexpr UINT kPlainLine = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_TOP | DT_LEFT;

int LineLeft(const RECT& rect, int width, TAlignment alignment) {
    switch (alignment) {
    case taRightJustify: return rect.right - width;
    case taCenter: return rect.left + (rect.right - rect.left - width) / 2;
    default: return rect.left;
    }
}

// Draws one piece at x in the given colour and returns the x after it.
int DrawPiece(TCanvas& canvas, std::string_view piece, int x, const RECT& rect, TColor color, UINT flags) {
    if (piece.empty()) return x;
    canvas.Font().SetColor(color);
    RECT place{x, rect.top, x + canvas.TextWidth(piece) + 1, rect.bottom};
    canvas.DrawText(piece, place, flags);
    return x + canvas.TextWidth(piece);
}

// Puts the font colour and brush style back when drawing is done.
class CanvasColours {
public:
    explicit CanvasColours(TCanvas& canvas)
        : canvas_(canvas), font_(canvas.Font().Color()), brush_(canvas.Brush().Style()) {
        canvas.Brush().SetStyle(bsClear);
    }
    CanvasColours(const CanvasColours&) = delete;
    CanvasColours& operator=(const CanvasColours&) = delete;
    ~CanvasColours() {
        canvas_.Font().SetColor(font_);
        canvas_.Brush().SetStyle(brush_);
    }
    TColor Font() const { return font_; }

private:
    TCanvas& canvas_;
    TColor font_;
    TBrushStyle brush_;
};

}  // namespace

int AcceleratedTextWidth(TCanvas& canvas, std::string_view text) {
    std::string shown = StripAccelerator(text);
    return shown.empty() ? 0 : canvas.TextWidth(shown);
}

void DrawAcceleratedText(TCanvas& canvas, std::string_view text, const RECT& rect, TColor accent, bool focused,
                         TAlignment alignment) {
    CanvasColours colours(canvas);
    AcceleratorParts parts = SplitAccelerator(text);
    int x = LineLeft(rect, AcceleratedTextWidth(canvas, text), alignment);
    x = DrawPiece(canvas, parts.before, x, rect, colours.Font(), kPlainLine);
    if (!parts.key.empty()) {
        if (focused) {
            // "&" and its character together: the prefix processing underlines it.
            std::string marked = "&" + std::string(parts.key);
            canvas.Font().SetColor(accent);
            int width = canvas.TextWidth(parts.key);
            RECT place{x, rect.top, x + width + 1, rect.bottom};
            canvas.DrawText(marked, place, DT_SINGLELINE | DT_NOCLIP | DT_TOP | DT_LEFT);
            x += width;
        } else {
            x = DrawPiece(canvas, parts.key, x, rect, accent, kPlainLine);
        }
    }
    DrawPiece(canvas, parts.after, x, rect, colours.Font(), kPlainLine);
}

void DrawEmbossedText(TCanvas& canvas, std::string_view text, const RECT& rect, TAlignment alignment) {
    CanvasColours colours(canvas);
    std::string shown = StripAccelerator(text);
    if (shown.empty()) return;
    int x = LineLeft(rect, canvas.TextWidth(shown), alignment);
    RECT light{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    DrawPiece(canvas, shown, x + 1, light, kEmbossLight, kPlainLine);
    DrawPiece(canvas, shown, x, rect, kEmbossShade, kPlainLine);
}
