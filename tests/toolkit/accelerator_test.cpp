// The accelerator drawing on a memory bitmap: where the accent colour lands.
#include "toolkit/accelerator.h"

#include <gtest/gtest.h>

#include "toolkit_form.h"

namespace {

class AcceleratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap.SetSize(120, 24);
        bitmap.Canvas().Font().SetColor(clBlack);
    }
    void Draw(const char* text, bool focused, TAlignment alignment = taLeftJustify) {
        DrawAcceleratedText(bitmap.Canvas(), text, RECT{0, 2, 120, 22}, clRed, focused, alignment);
    }
    TBitmap bitmap;
};

}  // namespace

TEST_F(AcceleratorTest, TheKeyIsDrawnInTheAccentColourBeforeTheRest) {
    Draw("&Da", false);
    RECT red = Extent(bitmap, Reddish), dark = Extent(bitmap, Dark);
    ASSERT_LE(red.left, red.right) << "the D is red";
    ASSERT_LE(dark.left, dark.right) << "the a is in the font colour";
    EXPECT_LT(red.right, dark.left);
    EXPECT_EQ(bitmap.Canvas().Font().Color(), clBlack) << "the canvas keeps its font colour";
}

TEST_F(AcceleratorTest, TheFocusedKeyIsUnderlined) {
    Draw("&Da", false);
    int plainBottom = Extent(bitmap, Reddish).bottom;
    bitmap.SetSize(120, 24);
    Draw("&Da", true);
    EXPECT_GT(Extent(bitmap, Reddish).bottom, plainBottom);
}

TEST_F(AcceleratorTest, ATrailingAmpersandMarksNothingAndIsNotShown) {
    Draw("Da&", false);
    RECT red = Extent(bitmap, Reddish);
    EXPECT_GT(red.left, red.right) << "no accent";
    int width = Extent(bitmap, Dark).right;
    bitmap.SetSize(120, 24);
    Draw("Da", false);
    EXPECT_EQ(Extent(bitmap, Dark).right, width);
}

TEST_F(AcceleratorTest, CentredAndRightAlignedLinesPlaceTheWholeLine) {
    int width = AcceleratedTextWidth(bitmap.Canvas(), "I&esire");
    ASSERT_GT(width, 0);
    Draw("I&esire", false, taRightJustify);
    RECT all = Extent(bitmap, [](TColor c) { return Dark(c) || Reddish(c); });
    EXPECT_GE(all.left, 120 - width);
    EXPECT_LE(all.right, 119);
    bitmap.SetSize(120, 24);
    Draw("I&esire", false, taCenter);
    all = Extent(bitmap, [](TColor c) { return Dark(c) || Reddish(c); });
    EXPECT_NEAR((all.left + all.right) / 2.0, 60, 3);
}

TEST_F(AcceleratorTest, EmbossedTextIsGreyWithAWhiteCopyBelowRight) {
    bitmap.Canvas().Brush().SetColor(0x00C8D0D4);
    bitmap.Canvas().FillRect(RECT{0, 0, 120, 24});
    DrawEmbossedText(bitmap.Canvas(), "&Nu", RECT{0, 2, 120, 22});
    RECT grey = Extent(bitmap, [](TColor c) { return c == 0x00808080; });
    RECT white = Extent(bitmap, [](TColor c) { return c == 0x00FFFFFF; });
    ASSERT_LE(grey.left, grey.right);
    EXPECT_EQ(white.right, grey.right + 1);
    EXPECT_EQ(white.bottom, grey.bottom + 1);
    EXPECT_GT(Extent(bitmap, Reddish).left, Extent(bitmap, Reddish).right) << "no accent when disabled";
}
