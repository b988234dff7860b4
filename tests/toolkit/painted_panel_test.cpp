// The painted panel's gradients, caption lines and border colour, painted
// into memory bitmaps.
#include "toolkit/painted_panel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TColor At(TBitmap& b, int x, int y) { return b.Canvas().Pixel(x, y); }

void PaintPanel(TPaintedPanel& panel, TBitmap& picture) {
    picture.SetSize(panel.Width(), panel.Height());
    panel.PaintTo(picture.Canvas().Handle());
}

TEST(PaintedPanelTest, HorizontalGradientHasOneColourPerColumn) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 10, 4);
    panel.SetColor(RGBColor(0, 0, 0));
    panel.SetSecondColor(RGBColor(33, 0, 0));
    panel.SetUseSecondColor(true);
    panel.SetUseHGradient(true);
    TBitmap picture;
    PaintPanel(panel, picture);
    // 3.3 red per column, rounded: 0, 3, 7, 10, 13.
    const int expected[] = {0, 3, 7, 10, 13};
    for (int x = 0; x < 5; ++x)
        for (int y : {0, 3}) EXPECT_EQ(At(picture, x, y), RGBColor(expected[x], 0, 0)) << "column " << x;
}

TEST(PaintedPanelTest, VerticalGradientHasOneColourPerRow) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 5, 6);
    panel.SetColor(RGBColor(200, 200, 200));
    panel.SetSecondColor(RGBColor(100, 150, 200));
    panel.SetUseSecondColor(true);
    TBitmap picture;
    PaintPanel(panel, picture);
    EXPECT_EQ(At(picture, 2, 0), RGBColor(200, 200, 200));
    EXPECT_EQ(At(picture, 0, 1), RGBColor(183, 192, 200));
    EXPECT_EQ(At(picture, 4, 2), RGBColor(167, 183, 200));
    EXPECT_EQ(At(picture, 2, 3), RGBColor(150, 175, 200));
}

TEST(PaintedPanelTest, SecondColourEqualToTheFirstFillsFlat) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 8, 8);
    panel.SetColor(clTeal);
    panel.SetSecondColor(clTeal);
    panel.SetUseSecondColor(true);
    TBitmap picture;
    PaintPanel(panel, picture);
    EXPECT_EQ(At(picture, 0, 0), clTeal);
    EXPECT_EQ(At(picture, 7, 7), clTeal);
}

// Rows that hold ink (any pixel darker than light grey, as smoothed text
// edges are), counted as bands of touching rows.
bool Ink(TColor c) { return (c & 0xFF) < 200 || ((c >> 8) & 0xFF) < 200 || ((c >> 16) & 0xFF) < 200; }
int TextBands(TBitmap& b) {
    int bands = 0;
    bool inside = false;
    for (int y = 0; y < b.Height(); ++y) {
        bool found = false;
        for (int x = 0; x < b.Width() && !found; ++x) found = Ink(At(b, x, y));
        if (found && !inside) ++bands;
        inside = found;
    }
    return bands;
}

TEST(PaintedPanelTest, HashBreaksTheCaptionIntoLinesUnlessItIsAlone) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 200, 60);
    panel.SetColor(clWhite);
    panel.Font().SetColor(clBlack);
    TBitmap picture;
    panel.SetCaption("Unu Doi");
    PaintPanel(panel, picture);
    EXPECT_EQ(TextBands(picture), 1);
    panel.SetCaption("Unu#Doi");
    PaintPanel(panel, picture);
    EXPECT_EQ(TextBands(picture), 2);
    panel.SetCaption("#");
    PaintPanel(panel, picture);
    EXPECT_EQ(TextBands(picture), 1) << "a lone # is drawn as it is";
}

bool Has(TBitmap& b, TColor color) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (At(b, x, y) == color) return true;
    return false;
}

TEST(PaintedPanelTest, AcceleratorIsRedUnlessTheCaptionIsADoubledAmpersand) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 120, 30);
    panel.SetColor(clWhite);
    panel.Font().SetColor(clBlack);
    TBitmap picture;
    panel.SetCaption("&Abandon");
    PaintPanel(panel, picture);
    EXPECT_TRUE(Has(picture, clRed));
    panel.SetCaption("&&");
    PaintPanel(panel, picture);
    EXPECT_FALSE(Has(picture, clRed));
    EXPECT_TRUE(Has(picture, clBlack));
    panel.SetCaption("Fara tasta");
    PaintPanel(panel, picture);
    EXPECT_FALSE(Has(picture, clRed));
}

TEST(PaintedPanelTest, DisabledCaptionIsEmbossed) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 120, 30);
    panel.SetColor(clNavy);
    panel.SetCaption("&Abandon");
    panel.SetEnabled(false);
    TBitmap picture;
    PaintPanel(panel, picture);
    bool grey = false, white = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            grey = grey || At(picture, x, y) == clGray;
            white = white || At(picture, x, y) == clWhite;
        }
    EXPECT_TRUE(grey);
    EXPECT_TRUE(white);
}

TEST(PaintedPanelTest, BorderColourInsideAnOutlineOfTheParentsColour) {
    TPaintedPanel parent(nullptr);
    parent.SetColor(clYellow);
    TPaintedPanel panel(nullptr);
    panel.SetParent(&parent);
    panel.SetBorderStyle(bsNone);
    panel.SetBounds(0, 0, 20, 10);
    panel.SetColor(clWhite);
    panel.SetBorderColor(clRed);
    panel.SetUseBorderColor(true);
    TBitmap picture;
    PaintPanel(panel, picture);
    EXPECT_EQ(At(picture, 0, 0), clYellow);
    EXPECT_EQ(At(picture, 19, 5), clYellow);
    EXPECT_EQ(At(picture, 1, 1), clRed);
    EXPECT_EQ(At(picture, 18, 8), clRed);
    EXPECT_EQ(At(picture, 5, 5), clWhite);
    panel.SetParent(nullptr);
}

TEST(PaintedPanelTest, OnPaintReplacesBackgroundAndCaption) {
    TPaintedPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 10, 10);
    panel.SetColor(clWhite);
    panel.SetSecondColor(clBlack);
    panel.SetUseSecondColor(true);
    int painted = 0;
    panel.OnPaint = [&](TObject* sender) {
        EXPECT_EQ(sender, &panel);
        ++painted;
    };
    TBitmap picture;
    PaintPanel(panel, picture);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(At(picture, 5, 9), clWhite) << "the plain panel's fill, no gradient";
}

}  // namespace
