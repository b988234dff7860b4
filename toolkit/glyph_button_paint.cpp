#include "toolkit/glyph_button_paint.h"

#include "toolkit/accelerator.h"
#include "toolkit/paint_guard.h"

#include <algorithm>

namespace {

constexpr TColor kFocusedText = clRed;
constexpr TColor kAccent = clRed;
constexpr int kGlyphGap = 4;  // between the glyph and the text

void PaintFace(HDC dc, int width, int height, TControl& control, const GlyphButtonFace& face) {
    TBitmap buffer;
    buffer.SetSize(width, height);
    TCanvas& canvas = buffer.Canvas();
    canvas.Brush().SetColor(control.Color());
    canvas.FillRect(RECT{0, 0, width, height});
    canvas.Font().Assign(control.Font());

    bool hasGlyph = face.glyph && face.frames > 0 && face.glyph->Width() / face.frames > 0;
    int glyphWidth = hasGlyph ? face.glyph->Width() / face.frames : 0;
    int glyphHeight = hasGlyph ? face.glyph->Height() : 0;
    int textHeight = canvas.TextHeight("Wg");
    // The taller of glyph and text sets the line; the other is centred on it.
    int lineTop = (height - std::max(glyphHeight, textHeight)) / 2;
    int glyphTop = lineTop + std::max(0, textHeight - glyphHeight) / 2;
    int textTop = lineTop + std::max(0, glyphHeight - textHeight) / 2;
    bool glyphLeft = face.alignment != taLeftJustify;

    if (hasGlyph) {
        int x = glyphLeft ? 0 : width - glyphWidth;
        // The shared strip is only read: its corner colour is left out as drawn.
        int frame = std::clamp(face.frame, 0, face.frames - 1);
        canvas.DrawTransparent(x, glyphTop, *face.glyph,
                               RECT{frame * glyphWidth, 0, (frame + 1) * glyphWidth, glyphHeight});
    }
    RECT text = glyphLeft ? RECT{glyphWidth + kGlyphGap, textTop, width, height}
                          : RECT{0, textTop, width - glyphWidth - kGlyphGap, height};
    TAlignment textAlign = !glyphLeft && face.textRightAligned ? taRightJustify : taLeftJustify;
    TColor accent = kAccent;
    if (!face.enabled) {
        canvas.Font().SetColor(clGrayText);
        accent = clGrayText;
    } else if (face.focused) {
        canvas.Font().SetColor(kFocusedText);
    }
    DrawAcceleratedText(canvas, face.caption, text, accent, face.focused, textAlign);
    BitBlt(dc, 0, 0, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

}  // namespace

void PaintGlyphButton(HDC dc, int width, int height, TControl& control, const GlyphButtonFace& face) {
    if (width <= 0 || height <= 0) return;
    // A face that cannot be painted (no memory for the off-screen bitmap)
    // stays as it was.
    GuardedPaint(control, [&] { PaintFace(dc, width, height, control, face); });
}
