// The toolkit's buttons: kind defaults, drawing checked on memory bitmaps,
// and behaviour driven with real window messages.
#include "toolkit/mbutton.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/nice_button.h"
#include "toolkit/toolkit_log.h"
#include "toolkit/toolkit_start.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include "toolkit_form.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr TColor kPaper = clWhite;
constexpr TColor kKeyColour = clFuchsia;
constexpr TColor kSquare = clBlue;

class ButtonsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartToolkit({32, 96, {}}); }
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(0, 0, 300, 200);
        form.SetColor(kPaper);
    }
    TForm form{nullptr};
};

// What the button draws for its parent's owner-draw request.
void Render(TButton& button, TBitmap& into, UINT state = 0) {
    into.SetSize(button.Width(), button.Height());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemState = state;
    item.hDC = into.Canvas().Handle();
    item.rcItem = {0, 0, button.Width(), button.Height()};
    button.DrawItem(item);
}

bool Found(const RECT& box) { return box.left <= box.right; }
bool Greenish(TColor c) { return ((c >> 8) & 0xFF) > (c & 0xFF) + 40 && ((c >> 8) & 0xFF) > ((c >> 16) & 0xFF) + 40; }

// A 3-frame strip of 20 x 20 frames: key colour around a blue square from
// (2, 2) to (17, 17) in the up frame.
void SquareGlyph(TBitmap& strip) {
    strip.SetSize(60, 20);
    strip.Canvas().Brush().SetColor(kKeyColour);
    strip.Canvas().FillRect(RECT{0, 0, 60, 20});
    strip.Canvas().Brush().SetColor(kSquare);
    strip.Canvas().FillRect(RECT{2, 2, 18, 18});
}

// Handles messages for a while, as a modal loop would.
void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Application().ProcessMessages();
    } while (GetTickCount() - start < milliseconds);
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

// ---------------------------------------------------------------------------
// Kinds

TEST_F(ButtonsTest, KindGivesANewButtonItsCaptionResultAndWidth) {
    auto* button = new TMButton(&form);
    button->SetKind(mkCancel);
    EXPECT_EQ(button->Caption(), "&Renunt");
    EXPECT_EQ(button->ModalResult(), 2);
    EXPECT_EQ(button->Width(), 70);
    EXPECT_EQ(button->Height(), 40);
}

TEST_F(ButtonsTest, CaptionAndResultSetByTheFormSurviveTheKind) {
    form.LoadFormText(
        "object F: TForm\n"
        "  object BCancel: TMButton\n    Caption = '&Abandon'\n    ModalResult = mrCancel\n    Kind = mkCancel\n  end\n"
        "  object BRestart: TMButton\n    ModalResult = 0\n    Kind = mkYes\n  end\n"
        "  object BNice: TNiceButton\n    Caption = '&Abandon'\n    Kind = mkNo\n  end\n"
        "  object BRetry: TNiceButton\n    ModalResult = mrRetry\n    Kind = mkOK\n  end\n"
        "end\n",
        "F");
    auto* cancel = form.FindChild<TMButton>("BCancel");
    EXPECT_EQ(cancel->Caption(), "&Abandon");
    EXPECT_EQ(cancel->ModalResult(), 2);
    auto* restart = form.FindChild<TMButton>("BRestart");
    EXPECT_EQ(restart->ModalResult(), 0) << "a result of 0 chosen by the form stays";
    EXPECT_EQ(restart->Caption(), "&Da");
    auto* nice = form.FindChild<TNiceButton>("BNice");
    EXPECT_EQ(nice->Caption(), "&Abandon");
    EXPECT_EQ(nice->ModalResult(), 7);
    EXPECT_EQ(form.FindChild<TNiceButton>("BRetry")->ModalResult(), 4) << "results by name, as pages write them";
}

TEST_F(ButtonsTest, NavigationKindsHideTheCaption) {
    auto* button = new TMButton(&form);
    button->SetKind(mkNext);
    EXPECT_FALSE(button->CaptionVisible());
    button->SetKind(mkLast);
    EXPECT_FALSE(button->CaptionVisible());
    auto* other = new TMButton(&form);
    other->SetKind(mkAdd);
    EXPECT_TRUE(other->CaptionVisible());
}

TEST_F(ButtonsTest, YesNiceButtonShowsDaWithARedDAndTheOkGlyphAndClosesWithSix) {
    auto* yes = new TNiceButton(&form);
    yes->SetParent(&form);
    yes->SetKind(mkYes);
    EXPECT_EQ(yes->Caption(), "&Da");
    EXPECT_EQ(yes->ModalResult(), 6);
    TBitmap shot;
    Render(*yes, shot);
    RECT green = Extent(shot, Greenish);
    ASSERT_TRUE(Found(green)) << "the OK glyph";
    EXPECT_LE(green.right, 34) << "in the glyph zone";
    RECT red = Extent(shot, Reddish);
    ASSERT_TRUE(Found(red));
    EXPECT_GT(red.left, 35);
    EXPECT_LT(red.right, Extent(shot, Dark).right) << "the red D before the black a";

    yes->Click();
    EXPECT_EQ(form.ModalResult(), 6);
}

// ---------------------------------------------------------------------------
// TMButton drawing

TEST_F(ButtonsTest, GlyphOnTopWithSpacingFiveIsLaidOutAsComputed) {
    auto* button = new TMButton(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 67, 51);
    button->SetColor(kPaper);
    button->SetCaption("Ok");
    button->SetSpacing(5);
    button->SetButtonLayout(blGlyphTop);
    SquareGlyph(button->Glyph());
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas().Font().Assign(button->Font());
    // The caption's height is the face's that the machine puts in for the
    // default font: 13 pixels for MS Sans Serif, 12 for Liberation Sans.
    int textHeight = probe.Canvas().TextHeight("Ok");
    ASSERT_GE(textHeight, 11);
    ASSERT_LE(textHeight, 16);
    int textWidth = probe.Canvas().TextWidth("Ok");

    TBitmap shot;
    Render(*button, shot);
    // Margin (51 - 5 - 20 - 13) div 2 = 6 for a 13-pixel caption: the glyph
    // at (23, 6), its square two pixels in; the caption at y = 6 + 20 + 5 =
    // 31, centred across.
    int margin = (51 - 5 - 20 - textHeight) / 2;
    RECT square = Extent(shot, [](TColor c) { return c == kSquare; });
    EXPECT_EQ(square.left, 25);
    EXPECT_EQ(square.top, margin + 2);
    EXPECT_EQ(square.right, 40);
    EXPECT_EQ(square.bottom, margin + 17);
    RECT text = Extent(shot, Dark);
    ASSERT_TRUE(Found(text));
    EXPECT_GE(text.top, margin + 25);
    EXPECT_LT(text.bottom, margin + 25 + textHeight);
    EXPECT_GE(text.left, (67 - textWidth) / 2);
    EXPECT_LE(text.right, (67 - textWidth) / 2 + textWidth);
    EXPECT_FALSE(Found(Extent(shot, [](TColor c) { return c == kKeyColour; }))) << "the key colour is transparent";
}

TEST_F(ButtonsTest, DrawingLeavesTheSharedGlyphAsItWas) {
    auto* button = new TMButton(&form);
    button->SetParent(&form);
    button->SetKind(mkOK);
    button->SetColor(clYellow);
    TBitmap& shared = GlyphHolder().Picture("OK");
    TColor corner = shared.Canvas().Pixel(0, 0);
    TBitmap shot;
    Render(*button, shot);
    EXPECT_TRUE(Found(Extent(shot, Greenish)));
    EXPECT_EQ(shared.Canvas().Pixel(0, 0), corner);
    EXPECT_EQ(Extent(GlyphHolder().Picture("OK"), [](TColor c) { return c == clYellow; }).right, -1);
}

TEST_F(ButtonsTest, ZeroGlyphCountDrawsNoGlyph) {
    auto* button = new TMButton(&form);
    button->SetParent(&form);
    button->SetColor(kPaper);
    SquareGlyph(button->Glyph());
    button->SetNumGlyphs(0);
    TBitmap shot;
    Render(*button, shot);
    EXPECT_FALSE(Found(Extent(shot, [](TColor c) { return c == kSquare; })));
}

TEST_F(ButtonsTest, DisabledButtonDrawsTheDisabledFrame) {
    auto* button = new TMButton(&form);
    button->SetParent(&form);
    button->SetColor(kPaper);
    SquareGlyph(button->Glyph());
    TBitmap& strip = button->Glyph();
    strip.Canvas().Brush().SetColor(clGray);
    strip.Canvas().FillRect(RECT{22, 2, 38, 18});
    TBitmap shot;
    Render(*button, shot, ODS_DISABLED);
    EXPECT_FALSE(Found(Extent(shot, [](TColor c) { return c == kSquare; })));
    EXPECT_TRUE(Found(Extent(shot, [](TColor c) { return c == clGray; })));
}

TEST_F(ButtonsTest, StretchedNiceButtonFillsItselfWithTheGlyphFrame) {
    auto* button = new TNiceButton(&form);
    button->SetParent(&form);
    button->SetColor(kPaper);
    button->SetKind(mkCustom);
    button->SetCaptionVisible(false);
    button->SetStretch(true);
    button->SetBounds(0, 0, 60, 60);
    SquareGlyph(button->Glyph());
    TBitmap shot;
    Render(*button, shot);
    RECT square = Extent(shot, [](TColor c) { return c == kSquare; });
    EXPECT_LE(square.left, 7);  // the frame's 2 of 20 pixels, three times over
    EXPECT_GE(square.right, 52);
    EXPECT_LE(square.top, 7);
    EXPECT_GE(square.bottom, 52);
    EXPECT_FALSE(Found(Extent(shot, [](TColor c) { return c == kKeyColour; }))) << "the key colour is transparent";
}

// Far too big for an off-screen bitmap in a 32-bit process.
constexpr int kUnpaintable = 30000;

TEST_F(ButtonsTest, AButtonThatCannotPaintNotesWhyOnceAndCarriesOn) {
    std::vector<std::string> notes;
    SetToolkitLogSink({nullptr, nullptr, [&](const std::string& text) { notes.push_back(text); }});
    auto* plain = new TMButton(&form);
    plain->SetName("Simplu");
    auto* nice = new TNiceButton(&form);
    nice->SetName("Frumos");
    TBitmap small;
    small.SetSize(10, 10);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hDC = small.Canvas().Handle();
    item.rcItem = {0, 0, 10, 10};
    for (TButton* button : std::vector<TButton*>{plain, nice}) {
        button->SetBounds(0, 0, kUnpaintable, kUnpaintable);
        EXPECT_TRUE(button->DrawItem(item));
        EXPECT_TRUE(button->DrawItem(item)) << "painting again";
    }
    SetToolkitLogSink({});
    ASSERT_EQ(notes.size(), 2u) << "one note per reason";
    EXPECT_EQ(notes[0].rfind("Eroare la desenarea TMButton Simplu: ", 0), 0u) << notes[0];
    EXPECT_EQ(notes[1].rfind("Eroare la desenarea TNiceButton Frumos: ", 0), 0u) << notes[1];
}

// ---------------------------------------------------------------------------
// Behaviour

TEST_F(ButtonsTest, MouseMovingToAnotherLightButtonTakesTheFocusWithIt) {
    auto* first = new TMButton(&form);
    auto* second = new TMButton(&form);
    first->SetParent(&form);
    second->SetParent(&form);
    second->SetLeft(100);
    form.Show();
    first->SetFocus();
    Pump(20);
    ASSERT_TRUE(first->Focused());
    EXPECT_TRUE(first->Hot());
    PostMessageA(second->Handle(), WM_MOUSEMOVE, 0, At(10, 10));
    Pump(50);
    EXPECT_TRUE(second->Focused());
    EXPECT_TRUE(second->Hot());
    EXPECT_FALSE(first->Hot());
    form.Hide();
}

TEST_F(ButtonsTest, NiceButtonAnswersTheMouseOnlyOnItsSkinBand) {
    auto* button = new TNiceButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 120, 80);  // the skin is 28 high: band from y = 26 to 54
    button->SetCaption("Band");
    form.Show();
    Pump(20);
    auto hit = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(button->Handle(), &p);
        return SendMessageA(button->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(60, 5), HTTRANSPARENT);
    EXPECT_EQ(hit(60, 25), HTTRANSPARENT);
    EXPECT_EQ(hit(60, 26), HTCLIENT);
    EXPECT_EQ(hit(60, 53), HTCLIENT);
    EXPECT_EQ(hit(60, 54), HTTRANSPARENT);
    EXPECT_EQ(hit(60, 75), HTTRANSPARENT);
    POINT above{70, 15};
    ClientToScreen(form.Handle(), &above);
    EXPECT_EQ(WindowFromPoint(above), form.Handle()) << "a click above the band goes to the form";
    button->SetStretch(true);
    EXPECT_EQ(hit(60, 5), HTCLIENT);
    form.Hide();
}

TEST_F(ButtonsTest, EnterOnTheDefaultNiceButtonFlashesItPressed) {
    auto* button = new TNiceButton(&form);
    button->SetParent(&form);
    button->SetCaption("&Continua");
    button->SetDefault(true);
    TBitmap normal, duringClick;
    Render(*button, normal);
    bool downDuringClick = false;
    button->OnClick = [&](TObject*) {
        downDuringClick = button->ForcedDown();
        Render(*button, duringClick);
    };
    auto* end = new TTimer(&form);
    end->SetInterval(250);
    end->OnTimer = [&](TObject*) { form.SetModalResult(mrOk); };
    end->SetEnabled(true);
    form.SetBorderStyle(bsDialog);
    form.SetActiveControl(button);
    PostMessageA(button->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    form.ShowModal();
    EXPECT_TRUE(downDuringClick);
    EXPECT_FALSE(button->ForcedDown()) << "cleared again by its timer";
    auto same = [](TBitmap& a, TBitmap& b) {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Canvas().Pixel(x, y) != b.Canvas().Pixel(x, y)) return false;
        return true;
    };
    EXPECT_FALSE(same(duringClick, normal)) << "drawn pressed";
}

TEST_F(ButtonsTest, AMouseClickDoesNotFlash) {
    auto* button = new TNiceButton(&form);
    button->SetParent(&form);
    button->SetCaption("Mouse");
    bool forced = true;
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        forced = button->ForcedDown();
    };
    form.Show();
    Pump(20);
    PostMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(50, 14));
    PostMessageA(button->Handle(), WM_LBUTTONUP, 0, At(50, 14));
    Pump(50);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(forced);
    form.Hide();
}

TEST_F(ButtonsTest, OnlyOneNiceButtonIsHotAndAFreedOneIsForgotten) {
    auto* first = new TNiceButton(&form);
    auto* second = new TNiceButton(&form);
    first->SetParent(&form);
    second->SetParent(&form);
    second->SetLeft(120);
    first->SetCaption("Unu");
    second->SetCaption("Doi");
    form.Show();
    Pump(20);
    PostMessageA(first->Handle(), WM_MOUSEMOVE, 0, At(50, 14));
    Pump(30);
    EXPECT_EQ(TNiceButton::HotButton(), first);
    PostMessageA(second->Handle(), WM_MOUSEMOVE, 0, At(50, 14));
    Pump(30);
    EXPECT_EQ(TNiceButton::HotButton(), second);
    EXPECT_FALSE(first->Hot());
    delete second;
    EXPECT_EQ(TNiceButton::HotButton(), nullptr);
    first->SetEnabled(false);
    EXPECT_FALSE(first->Hot());
    form.Hide();
}

TEST_F(ButtonsTest, ToolbarKnowsItsButtonsByKindAndHearsTheirClicks) {
    struct TCountingBar : TMToolbar {
        using TMToolbar::TMToolbar;
        void ButtonClicked(TMButtonKind kind) override { clicked.push_back(kind); }
        std::vector<TMButtonKind> clicked;
    };
    auto* bar = new TCountingBar(&form);
    bar->SetParent(&form);
    auto* add = new TMButton(&form);
    add->SetKind(mkAdd);
    add->SetParent(bar);
    auto* nice = new TNiceButton(&form);
    nice->SetParent(bar);
    nice->SetKind(mkSave);
    EXPECT_EQ(bar->Button(mkAdd), add);
    EXPECT_EQ(bar->NiceButton(mkSave), nice);
    add->SetKind(mkDelete);
    EXPECT_EQ(bar->Button(mkAdd), nullptr);
    EXPECT_EQ(bar->Button(mkDelete), add);
    add->Click();
    EXPECT_EQ(bar->clicked, std::vector<TMButtonKind>{mkDelete});
    bar->SetEnabled(false);
    EXPECT_FALSE(add->Enabled());
    EXPECT_FALSE(nice->Enabled());
    delete add;
    EXPECT_EQ(bar->Button(mkDelete), nullptr);
}

TEST_F(ButtonsTest, NiceButtonWithoutCaptionCentresItsGlyphInTheZone) {
    auto* button = new TNiceButton(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 40, 28);
    button->SetColor(kPaper);
    button->SetCaptionVisible(false);
    SquareGlyph(button->Glyph());
    TBitmap shot;
    Render(*button, shot);
    // The 20-pixel frame at (35 - 20) div 2 = 7, (28 - 20) div 2 = 4.
    RECT square = Extent(shot, [](TColor c) { return c == kSquare; });
    EXPECT_EQ(square.left, 9);
    EXPECT_EQ(square.top, 6);
}
