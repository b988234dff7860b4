// Where a TMButton puts its glyph and caption. Portable arithmetic, kept
// apart from the drawing so that the rules read in one place; "/" truncates
// as integer division does, the fraction dropped.
#pragma once

#include "framework/properties.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
extern const NameList kButtonLayoutNames;

struct LayoutSize {
    int width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};
struct LayoutPoint {
    int x = 0, y = 0;
};

struct ButtonLayoutInput {
    LayoutSize client, glyph, caption;  // an empty glyph or caption takes no room
    int margin = -1;                    // -1: worked out
    int spacing = 0;                    // -1: worked out
    TButtonLayout layout = blGlyphLeft;
};

struct ButtonLayoutResult {
    LayoutPoint glyph, caption;
};

// Both are centred across the layout direction. Along it: margin and
// spacing -1 share the free space in three; margin -1 centres glyph, spacing
// and caption together; spacing -1 centres the caption in the room after the
// glyph. An empty glyph or caption makes the spacing 0.
ButtonLayoutResult LayOutButton(const ButtonLayoutInput& in);
