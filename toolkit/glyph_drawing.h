// Drawing one frame of a glyph strip (frames side by side: up, disabled,
// down) with its top-left colour transparent. The strip is only read: glyphs
// are the glyph holder's shared bitmaps.
#pragma once

#include "framework/graphics.h"
#include "toolkit/button_layout.h"

// The size of one frame; empty when the strip is empty or the frame count is
// not a positive number no larger than the strip's width.
LayoutSize GlyphFrameSize(const TBitmap& strip, int numGlyphs);

// Draws frame `frame` (the first one when the strip has fewer) with its
// top-left corner at (x, y), or stretched over `dest`.
void DrawGlyphFrame(TCanvas& canvas, TBitmap& strip, int numGlyphs, int frame, int x, int y);
void StretchGlyphFrame(TCanvas& canvas, TBitmap& strip, int numGlyphs, int frame, const RECT& dest);
