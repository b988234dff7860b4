// The format label painted into memory bitmaps; expected sizes come from the
// system's own measuring of the same fonts.
#include "toolkit/fmt_label.h"
#include "toolkit_form.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kAll{0, 0, 400, 200};

struct LabelPage {
    explicit LabelPage(const std::string& caption, const std::string& extra = "")
        : form(
              "object F: TForm\n ClientWidth = 400\n ClientHeight = 200\n Color = clWhite\n"
              " object L: TFmtLabel\n  Left = 0\n  Top = 0\n  Width = 1\n  Height = 1\n"
              "  Font.Name = 'Arial'\n  Font.Size = 8\n  Font.Color = clBlack\n" +
              extra + " end\nend") {
        label = form.FindChild<TFmtLabel>("L");
        label->SetCaption(caption);
        Paint();
        Paint();  // after growing
    }
    void Paint() { PaintForm(form, shot); }
    ToolkitForm form;
    TFmtLabel* label = nullptr;
    TBitmap shot;
};

// What the system measures for text in Arial of `points`, optionally bold.
SIZE Measured(const std::string& text, int points = 8, TFontStyles style = 0) {
    TBitmap b;
    b.SetSize(10, 10);
    b.Canvas().Font().SetName("Arial");
    b.Canvas().Font().SetSize(points);
    b.Canvas().Font().SetStyle(style);
    return b.Canvas().TextExtent(text);
}

int Ascent(int points) {
    TBitmap b;
    b.SetSize(10, 10);
    b.Canvas().Font().SetName("Arial");
    b.Canvas().Font().SetSize(points);
    b.Canvas().TextExtent("x");  // the font is chosen when it is first used
    TEXTMETRICA tm{};
    GetTextMetricsA(b.Canvas().Handle(), &tm);
    return tm.tmAscent;
}

}  // namespace

TEST(FmtLabel, AColourCodeColoursOnlyTheTextAfterIt) {
    LabelPage page("H@9H");
    RECT black = Extent(page.shot.Canvas(), kAll, Dark);
    RECT red = Extent(page.shot.Canvas(), kAll, Reddish);
    ASSERT_LE(black.left, black.right);
    ASSERT_LE(red.left, red.right);
    EXPECT_LT(black.right, red.left) << "black first, red after";
}

TEST(FmtLabel, EscapesAndTrailingCodesShowWhatTheyShould) {
    EXPECT_EQ(LabelPage("a\\@b").label->Width(), Measured("a@b").cx) << "a backslash before @ shows the @";
    EXPECT_EQ(LabelPage("C:\\W").label->Width(), Measured("C:\\W").cx) << "before a letter both show";
    EXPECT_EQ(LabelPage("C:\\").label->Width(), Measured("C:\\").cx) << "a final backslash shows";
    LabelPage trailing("ab@12");
    EXPECT_EQ(trailing.label->Width(), Measured("ab").cx) << "both digits are the colour";
    RECT blue = Extent(trailing.shot.Canvas(), kAll, [](TColor c) { return c == clBlue; });
    EXPECT_GT(blue.left, blue.right) << "nothing blue is drawn";
}

TEST(FmtLabel, StylesAndSizesChangeTheFont) {
    EXPECT_EQ(LabelPage("$2Korven$0 ok").label->Width(), Measured("Korven", 8, fsBold).cx + Measured(" ok").cx);
    LabelPage big("&14Mare");
    EXPECT_EQ(big.label->Height(), Measured("Mare", 14).cy);
    EXPECT_EQ(big.label->Width(), Measured("Mare", 14).cx);
}

TEST(FmtLabel, TwoLinesAreOneAscentApartAndALeftLabelAddsTheirWidths) {
    LabelPage page("Instalare\rKorven");
    EXPECT_EQ(page.label->Width(), Measured("Instalare").cx + Measured("Korven").cx);
    EXPECT_EQ(page.label->Height(), 2 * Measured("Instalare").cy);
    // The tops of the capitals I and K that start the lines: the first
    // inked row, and the first inked row after a blank one.
    auto inked = [&](int y) {
        for (int x = 0; x < 3; ++x)
            if (Dark(page.shot.Canvas().Pixel(x, y))) return true;
        return false;
    };
    int firstTop = 0;
    while (firstTop < 200 && !inked(firstTop)) ++firstTop;
    int gap = firstTop;
    while (gap < 200 && inked(gap)) ++gap;
    int secondTop = gap;
    while (secondTop < 200 && !inked(secondTop)) ++secondTop;
    ASSERT_LT(secondTop, 200);
    int lineStep = Ascent(8);
    EXPECT_EQ(secondTop - firstTop, lineStep);
}

TEST(FmtLabel, ACentredLabelIsAsWideAsItsWidestLine) {
    LabelPage page("Instalare\rKorven", "  Alignment = taCenter\n");
    EXPECT_EQ(page.label->Width(), Measured("Instalare").cx);
}

TEST(FmtLabel, BlinkingRunsAreMadeAgainAtEveryPaintingAndTakeTurns) {
    LabelPage page("a~b~c~d");
    ASSERT_EQ(page.label->BlinkCount(), 2);
    page.Paint();
    EXPECT_EQ(page.label->BlinkCount(), 2) << "the old ones were freed";
    EXPECT_FALSE(page.label->Blink(0).Hidden());
    page.label->Blink(0).Tick();
    EXPECT_TRUE(page.label->Blink(0).Hidden()) << "the first tick hides";
    page.label->Blink(0).Tick();
    EXPECT_FALSE(page.label->Blink(0).Hidden());
    page.label->SetCaption("fara");
    page.Paint();
    EXPECT_EQ(page.label->BlinkCount(), 0);
}

TEST(FmtLabel, AlignPlacesTheLabelInItsParent) {
    LabelPage page("Korven", "  Align = alMRight\n");
    EXPECT_EQ(page.label->Left(), 400 - page.label->Width() - 2);
    page.label->SetMAlign(alMBottom);
    page.Paint();
    EXPECT_EQ(page.label->Top(), 200 - page.label->Height() - 1);
    page.label->SetMAlign(alMCenter);
    page.Paint();
    EXPECT_EQ(page.label->Left(), (400 - page.label->Width()) / 2);
}
