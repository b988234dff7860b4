// The title bar painted into memory bitmaps, checked pixel by pixel.
#include "toolkit/glyph_set.h"
#include "toolkit/title_bar.h"

#include "framework/form.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TColor At(TBitmap& b, int x, int y) { return b.Canvas().Pixel(x, y); }

// Paints the bar alone into a bitmap of its size.
void PaintBar(TTitleBar& bar, TBitmap& picture) {
    picture.SetSize(bar.Width(), bar.Height());
    bar.PaintOn(picture.Canvas().Handle());
}

// Text may be drawn with smoothed edges: only the pixels a stroke covers
// fully keep the text's own colour.
bool Light(TColor c) { return (c & 0xFF) > 220 && ((c >> 8) & 0xFF) > 220 && ((c >> 16) & 0xFF) > 220; }
bool Dark(TColor c) { return (c & 0xFF) < 40 && ((c >> 8) & 0xFF) < 40 && ((c >> 16) & 0xFF) < 40; }

// The first column holding a pixel that `matches`.
struct Extent {
    int left = -1;
};
template <class Match>
Extent Find(TBitmap& b, Match matches) {
    for (int x = 0; x < b.Width(); ++x)
        for (int y = 0; y < b.Height(); ++y)
            if (matches(At(b, x, y))) return {x};
    return {};
}
Extent FirstPixel(TBitmap& b, TColor color) {
    return Find(b, [color](TColor c) { return c == color; });
}

class TitleBarTest : public ::testing::Test {
protected:
    void SetUp() override { HighColorDisplay = true; }
    void TearDown() override { HighColorDisplay = true; }
};

TEST_F(TitleBarTest, GradientColumnsAreTruncatedSteps) {
    TTitleBar bar(nullptr);
    bar.SetBounds(0, 0, 100, 25);
    TBitmap picture;
    PaintBar(bar, picture);
    // From RGB(4, 48, 77) to RGB(239, 239, 239): steps 2.35, 1.91, 1.62.
    for (int y : {0, 24}) {
        EXPECT_EQ(At(picture, 0, y), RGBColor(4, 48, 77));
        EXPECT_EQ(At(picture, 1, y), RGBColor(4, 48, 77));
        EXPECT_EQ(At(picture, 2, y), RGBColor(6, 49, 78));
        EXPECT_EQ(At(picture, 11, y), RGBColor(27, 67, 93));
        EXPECT_EQ(At(picture, 99, y), RGBColor(234, 235, 235));
    }
}

TEST_F(TitleBarTest, FlatActiveCaptionColourWithoutHighColour) {
    HighColorDisplay = false;
    TTitleBar bar(nullptr);
    bar.SetBounds(0, 0, 80, 25);
    bar.SetCaption("Tipul instalarii");
    TBitmap picture;
    PaintBar(bar, picture);
    auto caption = static_cast<TColor>(GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(At(picture, 0, 0), caption);
    EXPECT_EQ(At(picture, 79, 0), caption);
    EXPECT_EQ(At(picture, 40, 24), caption);
    EXPECT_GE(Find(picture, Light).left, 0) << "the caption is still drawn";
    EXPECT_GE(Find(picture, Dark).left, 0) << "with its shadow";
}

TEST_F(TitleBarTest, ZeroWidthBarDrawsNothing) {
    TTitleBar bar(nullptr);
    bar.SetBounds(0, 0, 0, 25);
    bar.SetCaption("Titlu");
    TBitmap picture;
    picture.SetSize(4, 25);
    bar.PaintOn(picture.Canvas().Handle());
    EXPECT_EQ(At(picture, 0, 0), clWhite);
}

// A one-colour bar, so that the caption's white and its black shadow can be
// found.
void PlainBar(TTitleBar& bar, int width) {
    bar.SetBounds(0, 0, width, bar.Height());
    bar.SetStartColor(clGray);
    bar.SetEndColor(clGray);
    bar.SetCaption("I");
}

// Where the caption's shadow lies, relative to the caption: the caption is
// painted once alone (its shadow in the bar's colour) and once together with
// its shadow, both in black; the union reaches further right and down by the
// shadow's offset, whatever smoothing the font has.
POINT ShadowOffset(TTitleBar& bar) {
    auto inkReach = [&bar](TColor shadow, TColor caption) {
        bar.Font().SetColor(shadow);
        bar.SetCaptionColor(caption);
        TBitmap picture;
        PaintBar(bar, picture);
        POINT reach{-1, -1};
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (At(picture, x, y) != clGray) {
                    reach.x = std::max<LONG>(reach.x, x);
                    reach.y = std::max<LONG>(reach.y, y);
                }
        return reach;
    };
    POINT alone = inkReach(clGray, clBlack), both = inkReach(clBlack, clBlack);
    return {both.x - alone.x, both.y - alone.y};
}

TEST_F(TitleBarTest, ShadowLiesOnePixelRightAndBelowAt96) {
    TForm form(nullptr);
    TTitleBar bar(&form);
    EXPECT_EQ(bar.Height(), 25);
    EXPECT_EQ(bar.Font().Height(), -13) << "10 points at 96 pixels per inch";
    EXPECT_TRUE(bar.Font().Style() & fsBold);
    EXPECT_EQ(bar.Font().Color(), clBlack);
    PlainBar(bar, 120);
    POINT offset = ShadowOffset(bar);
    EXPECT_EQ(offset.x, 1);
    EXPECT_EQ(offset.y, 1);
}

TEST_F(TitleBarTest, At120PixelsPerInchTheBarIs31HighWithA2PixelShadow) {
    TForm form(nullptr);
    form.SetPixelsPerInch(120);
    TTitleBar bar(&form);
    EXPECT_DOUBLE_EQ(bar.Scale(), 1.25);
    EXPECT_EQ(bar.Height(), 31) << "25 x 1.25 = 31.25";
    EXPECT_EQ(bar.Font().Height(), -18) << "11 points at 120 pixels per inch";
    PlainBar(bar, 120);
    POINT offset = ShadowOffset(bar);
    EXPECT_EQ(offset.x, 2);
    EXPECT_EQ(offset.y, 1);
}

TEST_F(TitleBarTest, IconStyleMovesTheCaptionAreaRight) {
    TTitleBar bar(nullptr);
    PlainBar(bar, 200);
    EXPECT_EQ(bar.TextLeft(), 10);
    EXPECT_EQ(bar.TextWidth(), 180);
    TBitmap plain;
    PaintBar(bar, plain);
    bar.SetIconStyle(isSearch);
    EXPECT_EQ(bar.TextLeft(), 43) << "half the 56-pixel icon image, plus 15";
    EXPECT_EQ(bar.TextWidth(), 147);
    TBitmap withIcon;
    PaintBar(bar, withIcon);
    EXPECT_EQ(FirstPixel(withIcon, clWhite).left - FirstPixel(plain, clWhite).left, 33);
    bar.SetWidth(300);
    EXPECT_EQ(bar.TextWidth(), 247) << "resizing recomputes the caption area";
}

TEST_F(TitleBarTest, GrayedCaptionIsButtonShadow) {
    TTitleBar bar(nullptr);
    PlainBar(bar, 120);
    bar.SetStartColor(clNavy);  // not the grey of a button shadow
    bar.SetEndColor(clNavy);
    bar.SetCaptionColor(clYellow);
    bar.SetGrayed(true);
    TBitmap picture;
    PaintBar(bar, picture);
    EXPECT_LT(FirstPixel(picture, clYellow).left, 0);
    EXPECT_GE(FirstPixel(picture, static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW))).left, 0);
    bar.SetGrayed(false);
    PaintBar(bar, picture);
    EXPECT_GE(FirstPixel(picture, clYellow).left, 0);
}

}  // namespace
