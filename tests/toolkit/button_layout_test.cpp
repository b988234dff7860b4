// Glyph and caption positions, worked out by hand from the layout rules.
#include "toolkit/button_layout.h"

#include <gtest/gtest.h>

namespace {

ButtonLayoutResult Lay(LayoutSize client, LayoutSize glyph, LayoutSize caption, int margin, int spacing,
                       TButtonLayout layout) {
    return LayOutButton({client, glyph, caption, margin, spacing, layout});
}

}  // namespace

TEST(ButtonLayout, GlyphOnTopWithFixedSpacingCentresTheStack) {
    // 51 - 5 - 20 - 13 = 13 left over; half of it (6) above the glyph.
    ButtonLayoutResult r = Lay({67, 51}, {20, 20}, {30, 13}, -1, 5, blGlyphTop);
    EXPECT_EQ(r.glyph.x, 23);
    EXPECT_EQ(r.glyph.y, 6);
    EXPECT_EQ(r.caption.x, 18);
    EXPECT_EQ(r.caption.y, 31);
}

TEST(ButtonLayout, FreeMarginAndSpacingShareTheRoomInThree) {
    // (90 - 28 - 40) / 3 = 7, the fraction dropped.
    ButtonLayoutResult r = Lay({90, 40}, {28, 28}, {40, 13}, -1, -1, blGlyphLeft);
    EXPECT_EQ(r.glyph.x, 7);
    EXPECT_EQ(r.glyph.y, 6);
    EXPECT_EQ(r.caption.x, 42);
    EXPECT_EQ(r.caption.y, 13);
}

TEST(ButtonLayout, GlyphOnTheRightWithAFixedMarginCentresTheCaptionBeforeIt) {
    // Spacing (90 - 4 - 20 - 30) / 2 = 18; glyph at 90 - 4 - 20.
    ButtonLayoutResult r = Lay({90, 40}, {20, 20}, {30, 13}, 4, -1, blGlyphRight);
    EXPECT_EQ(r.glyph.x, 66);
    EXPECT_EQ(r.glyph.y, 10);
    EXPECT_EQ(r.caption.x, 18);
    EXPECT_EQ(r.caption.y, 13);
}

TEST(ButtonLayout, GlyphAtTheBottomStacksUpwards) {
    ButtonLayoutResult r = Lay({67, 51}, {20, 20}, {30, 13}, 2, 3, blGlyphBottom);
    EXPECT_EQ(r.glyph.y, 29);
    EXPECT_EQ(r.caption.y, 13);
    EXPECT_EQ(r.caption.x, 18);
}

TEST(ButtonLayout, WithoutCaptionTheGlyphIsCentredAndTheSpacingIgnored) {
    ButtonLayoutResult r = Lay({42, 40}, {20, 20}, {0, 0}, -1, 5, blGlyphLeft);
    EXPECT_EQ(r.glyph.x, 11);
    EXPECT_EQ(r.glyph.y, 10);
    r = Lay({90, 40}, {0, 0}, {40, 13}, -1, 5, blGlyphTop);
    EXPECT_EQ(r.caption.x, 25);
    EXPECT_EQ(r.caption.y, 13) << "(40 - 13) / 2";
}
