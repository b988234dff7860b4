#include "toolkit/glyph_drawing.h"

namespace {

// Where frame `frame` lies in the strip; empty when there is none.
RECT FrameRect(const TBitmap& strip, int numGlyphs, int frame) {
    LayoutSize size = GlyphFrameSize(strip, numGlyphs);
    if (size.Empty()) return {};
    if (frame < 0 || frame >= numGlyphs) frame = 0;
    return {frame * size.width, 0, (frame + 1) * size.width, size.height};
}

}  // namespace

LayoutSize GlyphFrameSize(const TBitmap& strip, int numGlyphs) {
    if (strip.Empty() || numGlyphs <= 0 || numGlyphs > strip.Width()) return {};
    return {strip.Width() / numGlyphs, strip.Height()};
}

// Drawing with the strip's top-left colour as the transparent one gives what
// replacing it by the face's colour first would give, without touching the
// shared strip.
void DrawGlyphFrame(TCanvas& canvas, TBitmap& strip, int numGlyphs, int frame, int x, int y) {
    RECT part = FrameRect(strip, numGlyphs, frame);
    if (!IsRectEmpty(&part)) canvas.DrawTransparent(x, y, strip, part);
}

// The frame is copied out of the strip so that it can be stretched whole; the
// strip's top-left colour stays the transparent one, whichever frame it is.
void StretchGlyphFrame(TCanvas& canvas, TBitmap& strip, int numGlyphs, int frame, const RECT& dest) {
    RECT part = FrameRect(strip, numGlyphs, frame);
    if (IsRectEmpty(&part) || IsRectEmpty(&dest)) return;
    TBitmap single;
    single.SetSize(part.right - part.left, part.bottom - part.top);
    single.Canvas().CopyRect({0, 0, single.Width(), single.Height()}, strip.Canvas(), part);
    single.SetTransparentColor(strip.Canvas().Pixel(0, 0));
    single.SetTransparent(true);
    canvas.StretchDraw(dest, single);
}
