#include "toolkit/button_layout.h"

const NameList kButtonLayoutNames = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

ButtonLayoutResult LayOutButton(const ButtonLayoutInput& in) {
    const bool vertical = in.layout == blGlyphTop || in.layout == blGlyphBottom;
    const bool glyphFirst = in.layout == blGlyphLeft || in.layout == blGlyphTop;
    LayoutSize glyph = in.glyph.Empty() ? LayoutSize{} : in.glyph;
    LayoutSize caption = in.caption.Empty() ? LayoutSize{} : in.caption;

    // Along the layout direction (a) and across it (c).
    const int size = vertical ? in.client.height : in.client.width;
    const int across = vertical ? in.client.width : in.client.height;
    const int ga = vertical ? glyph.height : glyph.width, gc = vertical ? glyph.width : glyph.height;
    const int ta = vertical ? caption.height : caption.width, tc = vertical ? caption.width : caption.height;

    int margin = in.margin, spacing = in.spacing;
    if (glyph.Empty() || caption.Empty()) spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = spacing = (size - ga - ta) / 3;
    } else if (margin == -1) {
        margin = (size - spacing - ga - ta) / 2;
    } else if (spacing == -1) {
        spacing = (size - margin - ga - ta) / 2;
    }

    int glyphAlong, captionAlong;
    if (glyphFirst) {
        glyphAlong = margin;
        captionAlong = margin + ga + spacing;
    } else {
        glyphAlong = size - margin - ga;
        captionAlong = glyphAlong - spacing - ta;
    }
    int glyphAcross = (across - gc) / 2, captionAcross = (across - tc) / 2;

    ButtonLayoutResult out;
    out.glyph = vertical ? LayoutPoint{glyphAcross, glyphAlong} : LayoutPoint{glyphAlong, glyphAcross};
    out.caption = vertical ? LayoutPoint{captionAcross, captionAlong} : LayoutPoint{captionAlong, captionAcross};
    return out;
}
