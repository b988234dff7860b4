// Drawing checked pixel by pixel on memory bitmaps.
#include "framework/graphics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

TColor At(TBitmap& b, int x, int y) { return b.Canvas().Pixel(x, y); }

TEST(CanvasTest, FillRectAndRectangleUseBrushAndPen) {
    TBitmap bitmap;
    bitmap.SetSize(40, 30);
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect(RECT{5, 5, 15, 10});
    EXPECT_EQ(At(bitmap, 5, 5), clRed);
    EXPECT_EQ(At(bitmap, 14, 9), clRed);
    EXPECT_EQ(At(bitmap, 15, 9), clWhite) << "the right edge is exclusive";
    EXPECT_EQ(At(bitmap, 4, 5), clWhite);

    c.Pen().SetColor(clBlue);
    c.Brush().SetColor(clLime);
    c.Rectangle(20, 10, 30, 20);
    EXPECT_EQ(At(bitmap, 20, 10), clBlue);
    EXPECT_EQ(At(bitmap, 29, 19), clBlue);
    EXPECT_EQ(At(bitmap, 25, 15), clLime);

    c.Brush().SetStyle(bsClear);
    c.Rectangle(0, 20, 10, 30);
    EXPECT_EQ(At(bitmap, 5, 25), clWhite) << "a clear brush leaves the inside";
}

TEST(CanvasTest, CopyRectTilesFromAnotherCanvas) {
    TBitmap tile;
    tile.SetSize(8, 8);
    tile.Canvas().Brush().SetColor(RGBColor(8, 74, 140));
    tile.Canvas().FillRect(RECT{0, 0, 8, 8});
    tile.Canvas().SetPixel(0, 0, clRed);
    TBitmap panel;
    panel.SetSize(20, 12);
    for (int x = 0; x < 20; x += 8)
        for (int y = 0; y < 12; y += 8)
            panel.Canvas().CopyRect(RECT{x, y, x + 8, y + 8}, tile.Canvas(), RECT{0, 0, 8, 8});
    EXPECT_EQ(At(panel, 0, 0), clRed);
    EXPECT_EQ(At(panel, 8, 8), clRed);
    EXPECT_EQ(At(panel, 16, 0), clRed);
    EXPECT_EQ(At(panel, 19, 11), RGBColor(8, 74, 140));
}

TEST(CanvasTest, LinesFollowThePen) {
    TBitmap bitmap;
    bitmap.SetSize(20, 20);
    TCanvas& c = bitmap.Canvas();
    c.Pen().SetColor(clGreen);
    c.MoveTo(2, 3);
    c.LineTo(12, 3);
    EXPECT_EQ(At(bitmap, 2, 3), clGreen);
    EXPECT_EQ(At(bitmap, 11, 3), clGreen);
    EXPECT_EQ(At(bitmap, 12, 3), clWhite) << "the end point is not drawn";
    EXPECT_EQ(c.PenPos().x, 12);
    c.Pen().SetColor(clMaroon);
    c.LineTo(12, 10);
    EXPECT_EQ(At(bitmap, 12, 6), clMaroon);
}

TEST(CanvasTest, SystemColoursAreResolvedWhenDrawing) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas().Brush().SetColor(clBtnFace);
    bitmap.Canvas().FillRect(RECT{0, 0, 4, 4});
    EXPECT_EQ(static_cast<COLORREF>(At(bitmap, 1, 1)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(SystemColor(COLOR_HIGHLIGHT)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(0x00C8D0D4), 0x00C8D0D4u);
}

TEST(CanvasTest, TransparentDrawLeavesTheTransparentColourUnpainted) {
    TBitmap glyph;
    glyph.SetSize(4, 4);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(RECT{0, 0, 4, 4});
    glyph.Canvas().Brush().SetColor(clGreen);
    glyph.Canvas().FillRect(RECT{1, 1, 3, 3});

    TBitmap target;
    target.SetSize(10, 10);
    target.Canvas().Brush().SetColor(clYellow);
    target.Canvas().FillRect(RECT{0, 0, 10, 10});

    glyph.SetTransparent(true);  // colour of the top-left pixel
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    target.Canvas().Draw(3, 3, glyph);
    EXPECT_EQ(At(target, 3, 3), clYellow);
    EXPECT_EQ(At(target, 4, 4), clGreen);
    EXPECT_EQ(At(target, 5, 5), clGreen);
    EXPECT_EQ(At(target, 6, 6), clYellow);

    glyph.SetTransparent(false);
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(At(target, 0, 0), clFuchsia);

    glyph.SetTransparent(true);
    glyph.SetTransparentColor(clGreen);
    target.Canvas().Draw(6, 0, glyph);
    EXPECT_EQ(At(target, 6, 0), clFuchsia);
    EXPECT_EQ(At(target, 7, 1), clYellow) << "green, now transparent, shows what was there";
}

// A strip of three 4 x 3 frames (red, green, blue) whose background colour,
// magenta, is its top-left pixel, with one background pixel inside frame 1.
void MakeStrip(TBitmap& strip) {
    strip.SetSize(12, 3);
    TColor colours[] = {clRed, clLime, clBlue};
    for (int frame = 0; frame < 3; ++frame) {
        strip.Canvas().Brush().SetColor(colours[frame]);
        strip.Canvas().FillRect(RECT{frame * 4, 0, frame * 4 + 4, 3});
    }
    strip.Canvas().SetPixel(0, 0, clFuchsia);
    strip.Canvas().SetPixel(5, 1, clFuchsia);
}

TEST(CanvasTest, OneFrameOfAStripIsDrawnWithItsTopLeftColourTransparent) {
    TBitmap strip;
    MakeStrip(strip);
    TBitmap target;
    target.SetSize(20, 10);
    target.Canvas().DrawTransparent(10, 5, strip, RECT{4, 0, 8, 3});
    EXPECT_EQ(At(target, 10, 5), clLime);
    EXPECT_EQ(At(target, 13, 7), clLime);
    EXPECT_EQ(At(target, 11, 6), clWhite) << "the background pixel inside the frame";
    EXPECT_EQ(At(target, 14, 5), clWhite) << "nothing of the next frame";
    EXPECT_EQ(At(target, 9, 5), clWhite);
    EXPECT_EQ(At(strip, 0, 0), clFuchsia) << "the strip itself is left as it was";
    EXPECT_FALSE(strip.Transparent());

    // A chosen colour instead of the corner's; a part beyond the strip is cut.
    target.Canvas().DrawTransparent(0, 0, strip, RECT{8, 0, 16, 3}, clBlue);
    EXPECT_EQ(At(target, 0, 0), clWhite);
    target.Canvas().DrawTransparent(0, 0, strip, RECT{8, 0, 16, 3}, clLime);
    EXPECT_EQ(At(target, 3, 2), clBlue);
    EXPECT_EQ(At(target, 4, 2), clWhite) << "only the 4 columns the strip has";
}

TEST(CanvasTest, FontMetricsAddUpForBaselineAlignedText) {
    TBitmap b;
    b.SetSize(10, 10);
    b.Canvas().Font().SetHeight(-20);
    TEXTMETRICA m = b.Canvas().TextMetrics();
    // A negative height asks for the character height; fonts round it a little.
    EXPECT_NEAR(m.tmHeight - m.tmInternalLeading, 20, 1);
    EXPECT_EQ(m.tmAscent + m.tmDescent, m.tmHeight);
    b.Canvas().Font().SetHeight(-40);
    EXPECT_GT(b.Canvas().TextMetrics().tmAscent, m.tmAscent) << "follows a change of font";
}

TEST(CanvasTest, MeasuredTextAgreesWithTheCanvasAndWrapsAtBlanks) {
    TFont font;
    font.SetHeight(-13);
    TBitmap b;
    b.SetSize(10, 10);
    b.Canvas().Font().Assign(font);
    SIZE line = MeasureText(font, "Instalare Korven", DT_SINGLELINE);
    SIZE extent = b.Canvas().TextExtent("Instalare Korven");
    EXPECT_EQ(line.cx, extent.cx);
    EXPECT_EQ(line.cy, extent.cy);
    SIZE wrapped = MeasureText(font, "unu doi trei", DT_WORDBREAK, b.Canvas().TextWidth("trei"));
    EXPECT_EQ(wrapped.cy, 3 * line.cy) << "one word a line";
}

TEST(CanvasTest, TextExtentGrowsWithSizeAndBold) {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    TCanvas& c = bitmap.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetSize(8);
    SIZE small = c.TextExtent("Continua");
    c.Font().SetSize(14);
    SIZE large = c.TextExtent("Continua");
    c.Font().SetStyle(fsBold);
    SIZE bold = c.TextExtent("Continua");
    EXPECT_GT(large.cx, small.cx);
    EXPECT_GT(large.cy, small.cy);
    EXPECT_GT(bold.cx, large.cx);
    EXPECT_EQ(c.TextWidth(""), 0);
}

TEST(CanvasTest, TextIsDrawnInTheFontColourOverTheBrush) {
    TBitmap bitmap;
    bitmap.SetSize(60, 20);
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(clBlue);
    c.Font().SetColor(clYellow);
    c.Font().SetHeight(-14);
    c.TextOut(0, 0, "MMMM");
    int blue = 0, yellow = 0;
    SIZE size = c.TextExtent("MMMM");
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            TColor p = At(bitmap, x, y);
            blue += p == clBlue;
            yellow += p == clYellow;
        }
    EXPECT_GT(blue, 0);
    EXPECT_GT(yellow, 0);
    EXPECT_EQ(At(bitmap, size.cx + 2, 2), clWhite);

    RECT r{0, 0, 30, 0};
    int height = c.DrawText("unu doi trei patru", r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_GT(height, size.cy) << "word break makes more than one line";
    EXPECT_EQ(r.bottom, height);
}

// A 24-bit bottom-up .bmp of 3 x 2: the first row holds magenta, green, blue.
std::vector<std::uint8_t> SwatchFile() {
    const char* hex =
        "424D4E0000000000000036000000280000000300000002000000010018000000000018000000130B0000130B00000000"
        "0000000000000000FF000000FFFFFF000000FF00FF00FF00FF0000000000";
    std::vector<std::uint8_t> bytes;
    for (const char* p = hex; p[0] && p[1]; p += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
    return bytes;
}

TEST(BitmapTest, LoadsBmpDataRightWayUp) {
    auto bytes = SwatchFile();
    TBitmap b;
    b.LoadFromMemory(bytes.data(), bytes.size());
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(At(b, 0, 0), RGBColor(255, 0, 255));
    EXPECT_EQ(At(b, 1, 0), RGBColor(0, 255, 0));
    EXPECT_EQ(At(b, 2, 0), RGBColor(0, 0, 255));
    EXPECT_EQ(At(b, 0, 1), RGBColor(255, 0, 0));
    EXPECT_EQ(b.ScanLine(0)[1], 0x0000FF00u);
}

TEST(BitmapTest, DamagedBmpDataIsRefusedAndLeavesTheBitmap) {
    auto bytes = SwatchFile();
    TBitmap b;
    b.SetSize(5, 5);
    auto truncated = bytes;
    truncated.resize(bytes.size() - 10);
    EXPECT_THROW(b.LoadFromMemory(truncated.data(), truncated.size()), std::runtime_error);
    auto notBmp = bytes;
    notBmp[0] = 'X';
    EXPECT_THROW(b.LoadFromMemory(notBmp.data(), notBmp.size()), std::runtime_error);
    auto huge = bytes;
    huge[18] = 0xFF;  // width far beyond the pixels present
    huge[19] = 0x7F;
    EXPECT_THROW(b.LoadFromMemory(huge.data(), huge.size()), std::runtime_error);
    EXPECT_EQ(b.Width(), 5);
}

TEST(BitmapTest, AnImageNoThirtyTwoBitProgramCouldMapIsRefusedOnEveryBuild) {
    TBitmap b;
    b.SetSize(5, 5);
    // 30000 x 30000 at four bytes a pixel is 3.6 GB; 23170 x 23170 is just under 2 GB.
    EXPECT_THROW(b.SetSize(30000, 30000), std::runtime_error);
    EXPECT_THROW(b.SetSize(23171, 23171), std::runtime_error);
    EXPECT_EQ(b.Width(), 5) << "a refused size leaves the image as it was";
    EXPECT_EQ(b.Canvas().Pixel(2, 2), clWhite);
}

TEST(BitmapTest, SavedFileLoadsBackTheSamePixels) {
    TBitmap b;
    b.SetSize(7, 5);
    b.Canvas().Brush().SetColor(RGBColor(12, 34, 56));
    b.Canvas().FillRect(RECT{2, 1, 5, 4});
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    std::string path = std::string(dir) + "korven_canvas_test.bmp";
    b.SaveToFile(path);
    TBitmap copy;
    copy.LoadFromFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(copy.Width(), 7);
    ASSERT_EQ(copy.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(At(copy, x, y), At(b, x, y)) << x << "," << y;
    EXPECT_THROW(copy.LoadFromFile(path), std::runtime_error);
}

TEST(BitmapTest, AssignCopiesPixelsAndTransparency) {
    TBitmap a;
    a.SetSize(3, 3);
    a.Canvas().SetPixel(1, 1, clRed);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(At(b, 1, 1), clRed);
    EXPECT_TRUE(b.Transparent());
    a.Canvas().SetPixel(1, 1, clBlue);
    EXPECT_EQ(At(b, 1, 1), clRed) << "a copy, not a shared picture";
}

}  // namespace
