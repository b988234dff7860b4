// The transparent image on a panel: the parent's colour shows where the
// picture has its top-left colour; kinds pick glyphs of the glyph set.
#include "toolkit/glyph_set.h"
#include "toolkit/painted_panel.h"
#include "toolkit/trans_image.h"

#include <gtest/gtest.h>

namespace {

TColor At(TBitmap& b, int x, int y) { return b.Canvas().Pixel(x, y); }

// 4 x 4: red (the top-left colour) with a blue middle.
void RedWithBlueMiddle(TBitmap& b) {
    b.SetSize(4, 4);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect(RECT{0, 0, 4, 4});
    b.Canvas().Brush().SetColor(clBlue);
    b.Canvas().FillRect(RECT{1, 1, 3, 3});
}

class TransImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel.SetBevelOuter(bvNone);
        panel.SetBounds(0, 0, 20, 20);
        panel.SetColor(clYellow);
        image.SetParent(&panel);
        image.SetBounds(5, 5, 24, 24);
    }
    void TearDown() override { image.SetParent(nullptr); }
    void Paint() {
        picture.SetSize(20, 20);
        panel.PaintTo(picture.Canvas().Handle());
    }
    TPaintedPanel panel{nullptr};
    TTransImage image{nullptr};
    TBitmap picture;
};

TEST_F(TransImageTest, ParentsColourShowsWhereTheTopLeftColourWas) {
    TBitmap own;
    RedWithBlueMiddle(own);
    image.SetBitmap(own);
    EXPECT_EQ(image.Width(), 4) << "sized to its bitmap";
    EXPECT_EQ(image.Height(), 4);
    Paint();
    EXPECT_EQ(At(picture, 5, 5), clYellow);
    EXPECT_EQ(At(picture, 8, 8), clYellow);
    EXPECT_EQ(At(picture, 6, 6), clBlue);
    EXPECT_EQ(At(picture, 7, 7), clBlue);

    image.SetTransparent(false);
    Paint();
    EXPECT_EQ(At(picture, 5, 5), clRed) << "drawn unchanged";
    EXPECT_EQ(own.Canvas().Pixel(0, 0), clRed);

    image.SetImageVisible(false);
    Paint();
    EXPECT_EQ(At(picture, 6, 6), clYellow) << "a hidden picture is not painted";
}

TEST_F(TransImageTest, KindsExcludeOneAnotherAndABitmapResetsThem) {
    image.SetKindAlte(glCheck);
    EXPECT_EQ(&image.Picture(), &AlteGlyph(glCheck));
    EXPECT_EQ(image.Width(), AlteGlyph(glCheck).Width());
    image.SetKindMic(mkOK);
    EXPECT_EQ(image.KindAlte(), glCustom);
    EXPECT_EQ(&image.Picture(), &ButtonGlyph(mkOK));
    image.SetKindMare(mtWarning);
    EXPECT_EQ(image.KindMic(), mkCustom);
    EXPECT_EQ(&image.Picture(), &DialogIcon(mtWarning));
    EXPECT_EQ(image.Height(), 64) << "the warning icon is 42 x 64";

    TBitmap own;
    RedWithBlueMiddle(own);
    image.SetBitmap(own);
    EXPECT_EQ(image.KindMare(), mtCustom);
    EXPECT_EQ(&image.Picture(), &image.Bitmap());
}

TEST_F(TransImageTest, WithoutAutoSizeTheBoundsStay) {
    image.SetAutoSize(false);
    image.SetKindMare(mtError);
    EXPECT_EQ(image.Width(), 24);
    EXPECT_EQ(image.Height(), 24);
}

}  // namespace
