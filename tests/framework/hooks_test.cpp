// What the toolkit builds on: owner-drawn buttons, a form that rewrites its
// window style at WM_NCCREATE and answers hit tests, keys seen before the
// controls, the screen's active form.
#include "test_page.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class TPaintedButton : public TButton {
public:
    explicit TPaintedButton(TComponent* owner) : TButton(owner) {}
    bool DrawItem(const DRAWITEMSTRUCT& item) override {
        ++draws;
        gdi::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(item.hDC, &item.rcItem, red);
        return true;
    }
    int draws = 0;

protected:
    bool OwnerDrawn() const override { return true; }
};

// A form without the caption of its window style, dragged by its surface.
class TCaptionless : public TForm {
public:
    TCaptionless() : TForm(nullptr) {
        SetBorderStyle(bsDialog);
        SetClientWidth(300);
        SetClientHeight(120);
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_NCCREATE) {
            HWND h = HandleIfAllocated();
            SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~WS_DLGFRAME);
        }
        TForm::WndProc(m);
        if (m.Msg == WM_NCHITTEST && m.Result == HTCLIENT) m.Result = HTCAPTION;
    }
};

// A form class that drops the dialog frame, as the title forms do: in its
// create parameters, so that its outer size is known early, and again at
// WM_NCCREATE. It notes the messages its procedure sees.
class TThinFramed : public TForm {
public:
    TThinFramed() : TForm(nullptr) {
        SetBorderStyle(bsDialog);
        SetClientWidth(300);
        SetClientHeight(120);
    }
    void WndProc(TMessage& m) override {
        seen.push_back(m.Msg);
        if (m.Msg == WM_NCCREATE) {
            HWND h = HandleIfAllocated();
            SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~WS_DLGFRAME);
        }
        TForm::WndProc(m);
    }
    std::vector<UINT> seen;

protected:
    void CreateParams(TCreateParams& params) override {
        TForm::CreateParams(params);
        params.style &= ~WS_DLGFRAME;
    }
};

TEST(HooksTest, OwnerDrawnButtonPaintsItselfAndStillClicks) {
    TForm form(nullptr);
    auto* button = new TPaintedButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 80, 30);
    button->SetModalResult(mrYes);
    button->SetDefault(true);
    EXPECT_EQ(GetWindowLongA(button->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
    PostKey(button->Handle(), VK_RETURN);
    EXPECT_EQ(form.ShowModal(), mrYes);
    EXPECT_GT(button->draws, 0);
}

TEST(HooksTest, FormRewritingItsStyleAtCreationKeepsItsClientSize) {
    TCaptionless form;
    HWND h = form.Handle();
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & WS_DLGFRAME, 0);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 120);
    POINT middle{150, 60};
    ClientToScreen(h, &middle);
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCAPTION);
}

TEST(HooksTest, FrameDroppedByAFormClassCountsBeforeTheWindowExists) {
    TThinFramed form;
    TForm framed(nullptr);  // the same without dropping the frame
    framed.SetBorderStyle(bsDialog);
    framed.SetClientWidth(300);
    framed.SetClientHeight(120);
    int width = form.Width(), height = form.Height();
    EXPECT_LT(height, framed.Height()) << "no caption counted";
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.ClientHeight(), 120);
}

TEST(HooksTest, SizeLimitsReachTheFormBeforeItsWindowIsCreated) {
    TThinFramed form;
    form.SetBorderStyle(bsSizeable);  // a sizeable window is asked its limits while it is made
    form.Constraints().SetMinHeight(150);
    form.Constraints().SetMaxWidth(250);
    form.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(form.Width(), 250);
    EXPECT_EQ(form.Height(), 150);
    form.Handle();
    ASSERT_FALSE(form.seen.empty());
    auto created = std::find(form.seen.begin(), form.seen.end(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_NE(std::find(form.seen.begin(), created, static_cast<UINT>(WM_GETMINMAXINFO)), created)
        << "WM_GETMINMAXINFO comes before WM_NCCREATE and reaches the form";
    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 5000};
    SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 250);
    EXPECT_EQ(info.ptMinTrackSize.y, 150);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 250);

    TForm described(nullptr);
    described.LoadFormText("object F: TForm\n Constraints.MaxHeight = 90\n Height = 300\nend", "Limite");
    EXPECT_EQ(described.Height(), 90);
}

TEST(HooksTest, AltF4ClosesAModalFormUnlessKeyPreviewSwallowsIt) {
    TTestPage page;
    page.Handle();
    PostKey(page.RName->Handle(), VK_F4, WM_SYSKEYDOWN);
    EndModalAfterTicks(page, 50, mrAbort);  // should Alt+F4 not arrive
    EXPECT_EQ(page.ShowModal(), mrCancel) << "the system's close ends a modal form with mrCancel";

    page.swallowKeys = true;
    page.previewedKeys.clear();
    PostKey(page.RName->Handle(), VK_F4, WM_SYSKEYDOWN);
    EndModalAfterTicks(page, page.ticks + 3, mrAbort);
    EXPECT_EQ(page.ShowModal(), mrAbort);
    EXPECT_EQ(page.previewedKeys, std::vector<WORD>{VK_F4});
}

TEST(HooksTest, WholeWindowDeviceContextStartsAtTheFrame) {
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetBounds(50, 50, 200, 120);
    form.Show();
    HWND h = form.Handle();
    RECT window;
    GetWindowRect(h, &window);
    POINT client{0, 0};
    ClientToScreen(h, &client);
    ASSERT_GT(client.y, window.top) << "the form has a caption";
    {
        gdi::WholeWindowDC dc(h);
        ::SetPixel(dc, client.x - window.left, client.y - window.top, RGB(255, 0, 0));
    }
    gdi::WindowDC clientDC(h);
    EXPECT_EQ(GetPixel(clientDC, 0, 0), RGB(255, 0, 0)) << "the client corner, reached from the window's";
    form.Hide();
}

TEST(HooksTest, ScreenKnowsTheActiveFormAndItsSize) {
    TTestPage page;
    TForm* active = nullptr;
    EndModalAfterTicks(page, 2, mrOk, [&] { active = Screen().ActiveForm(); });
    page.ShowModal();
    EXPECT_EQ(active, &page);
    EXPECT_EQ(Screen().Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(Screen().PixelsPerInch(), 0);
}

TEST(HooksTest, MaximisedBorderlessFormCoversTheScreenAndPaintsThroughOnPaint) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetWindowState(wsMaximized);
    form.SetColor(RGBColor(7, 70, 138));
    int resizes = 0, paints = 0;
    form.OnResize = [&](TObject*) { ++resizes; };
    form.OnPaint = [&](TObject*) {
        ++paints;
        form.Canvas().Brush().SetColor(clYellow);
        form.Canvas().FillRect(RECT{0, 0, 10, 10});
    };
    form.Show();
    EXPECT_EQ(form.ClientWidth(), Screen().Width());
    EXPECT_EQ(form.ClientHeight(), Screen().Height());
    EXPECT_GT(resizes, 0);
    TBitmap shot;
    shot.SetSize(20, 20);
    form.PaintTo(shot.Canvas().Handle());
    EXPECT_EQ(shot.Canvas().Pixel(5, 5), clYellow);
    EXPECT_EQ(shot.Canvas().Pixel(15, 15), RGBColor(7, 70, 138));
    EXPECT_GT(paints, 0);
    form.Hide();
}

TEST(HooksTest, OuterSizeIsKnownBeforeTheWindowExists) {
    TTestPage page;  // dialog border, client 400 x 220
    page.SetPosition(poDesigned);
    int width = page.Width(), height = page.Height();
    EXPECT_GT(height, 220);
    page.SetTop((Screen().Height() - height) / 9 * 8);  // how the wizard places a page
    RECT r;
    GetWindowRect(page.Handle(), &r);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.top, (Screen().Height() - height) / 9 * 8);
}

TEST(HooksTest, ScalingAFormScalesItsControlsAndFonts) {
    TTestPage page;  // client 400 x 220, font height -11
    RECT next = page.BNext->BoundsRect();
    int labelHeight = page.FindChild<TLabel>("LName")->Height();
    page.ScaleBy(120, 96);
    EXPECT_EQ(page.ClientWidth(), 500);
    EXPECT_EQ(page.ClientHeight(), 275);
    EXPECT_EQ(page.Font().Height(), -14);
    EXPECT_EQ(page.PixelsPerInch(), 120);
    EXPECT_EQ(page.BNext->Left(), MulDiv(next.left, 120, 96));
    EXPECT_EQ(page.BNext->Width(), MulDiv(next.right - next.left, 120, 96));
    EXPECT_EQ(page.RName->Font().Height(), -14) << "follows the form's font";
    EXPECT_GT(page.FindChild<TLabel>("LName")->Height(), labelHeight) << "sized again to the larger font";
    page.Handle();
    EXPECT_EQ(page.ClientWidth(), 500);
}

TEST(HooksTest, DescriptionMadeAtAnotherResolutionIsScaledToTheScreens) {
    ASSERT_EQ(Screen().PixelsPerInch(), 96) << "the test display";
    TForm form(nullptr);
    int createdWidth = 0;
    form.OnCreate = [&](TObject*) { createdWidth = form.ClientWidth(); };
    form.LoadFormText(R"(object F: TForm
  PixelsPerInch = 120
  BorderStyle = bsNone
  ClientWidth = 300
  ClientHeight = 150
  Font.Height = -15
  object B: TButton
    Left = 100
    Top = 50
    Width = 100
    Height = 25
  end
end)",
                      "Rezolutie");
    EXPECT_EQ(form.ClientWidth(), 240);
    EXPECT_EQ(form.ClientHeight(), 120);
    EXPECT_EQ(form.Font().Height(), -12);
    EXPECT_EQ(form.PixelsPerInch(), 96);
    EXPECT_EQ(createdWidth, 240) << "OnCreate sees the form as it will be shown";
    RECT b = form.FindChild<TButton>("B")->BoundsRect();
    EXPECT_EQ(b.left, 80);
    EXPECT_EQ(b.top, 40);
    EXPECT_EQ(b.right - b.left, 80);
    EXPECT_EQ(b.bottom - b.top, 20);

    TForm same(nullptr);
    same.LoadFormText("object F: TForm\n PixelsPerInch = 96\n ClientWidth = 300\nend", "Rezolutie");
    EXPECT_EQ(same.ClientWidth(), 300);
}

TEST(HooksTest, ScreenCentredFormIsPlacedInTheMiddle) {
    TForm form(nullptr);
    form.SetPosition(poScreenCenter);
    form.SetBorderStyle(bsNone);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, (Screen().Width() - 200) / 2);
    EXPECT_EQ(r.top, (Screen().Height() - 100) / 2);
}

TEST(HooksTest, BusyCursorOverridesTheWindowsOwn) {
    TTestPage page;
    page.Show();
    Screen().SetCursor(crHourGlass);
    EXPECT_EQ(SendMessageA(page.RName->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(page.RName->Handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), Screen().CursorHandle(crHourGlass));
    Screen().SetCursor(crDefault);
    page.Hide();
}

}  // namespace
