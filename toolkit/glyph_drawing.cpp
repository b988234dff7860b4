#include "toolkit/glyph_drawing.h"

namespace {

// Pixels of the strip's top-left colour show what lies beneath. Drawing with
// that colour as the transparent one gives what replacing it by the face's
// colour first would give, without touching the shared strip.
void TransparentPart(HDC dc, TBitmap& bitmap, int sx, int sy, int w, int h, const RECT& dest) {
    if (w <= 0 || h <= 0 || dest.right <= dest.left || dest.bottom <= dest.top) return;
    HDC source = bitmap.Canvas().Handle();
    TransparentBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source, sx, sy, w, h,
                   GetPixel(source, 0, 0));
}

}  // namespace

LayoutSize GlyphFrameSize(const TBitmap& strip, int numGlyphs) {
    if (strip.Empty() || numGlyphs <= 0 || numGlyphs > strip.Width()) return {};
    return {strip.Width() / numGlyphs, strip.Height()};
}

void DrawGlyphFrame(HDC dc, TBitmap& strip, int numGlyphs, int frame, int x, int y) {
    LayoutSize size = GlyphFrameSize(strip, numGlyphs);
    StretchGlyphFrame(dc, strip, numGlyphs, frame, RECT{x, y, x + size.width, y + size.height});
}

void StretchGlyphFrame(HDC dc, TBitmap& strip, int numGlyphs, int frame, const RECT& dest) {
    LayoutSize size = GlyphFrameSize(strip, numGlyphs);
    if (size.Empty()) return;
    if (frame < 0 || frame >= numGlyphs) frame = 0;
    TransparentPart(dc, strip, frame * size.width, 0, size.width, size.height, dest);
}

void DrawSkinPart(HDC dc, TBitmap& skin, int sourceX, int sourceY, int width, int height, const RECT& dest) {
    if (skin.Empty()) return;
    TransparentPart(dc, skin, sourceX, sourceY, width, height, dest);
}
