// The face of the toolkit's check boxes and radio buttons: one frame of a
// glyph strip beside the caption, painted off-screen and copied in one step.
#pragma once

#include "framework/stdctrls.h"

struct GlyphButtonFace {
    TBitmap* glyph = nullptr;  // a strip of `frames` equal frames; not owned
    int frames = 1;
    int frame = 0;
    std::string caption;
    TAlignment alignment = taRightJustify;  // right: glyph left of the text
    bool textRightAligned = false;          // with the glyph on the right
    bool focused = false;
    bool enabled = true;
};

// Paints the face of `control` (its font and colour) into dc, size w x h.
void PaintGlyphButton(HDC dc, int width, int height, TControl& control, const GlyphButtonFace& face);
