// Toolkit forms driven with real window messages: the colour scheme applied
// when loading, the buttons while the form is disabled, the keyboard, the
// hit test, the system menu and the right-click answer to a message dialog.
#include "toolkit/painted_panel.h"
#include "toolkit/title_bar.h"
#include "toolkit/title_form.h"
#include "toolkit/toolkit_start.h"
#include "toolkit/work_area.h"

#include "framework/application.h"
#include "framework/stdctrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TTitlePage : public TTitleForm {
public:
    TTitlePage() : TTitleForm(nullptr) {
        PublishField("TitleBar1", TitleBar1);
        PublishField("RName", RName);
        PublishField("BBack", BBack);
        PublishField("BNext", BNext);
        PublishField("BCancel", BCancel);
        LoadForm("TitlePage");
    }
    TTitleBar* TitleBar1 = nullptr;
    TEdit* RName = nullptr;
    TButton* BBack = nullptr;
    TButton* BNext = nullptr;
    TButton* BCancel = nullptr;
};

void Pump() {
    for (int i = 0; i < 5; ++i) Application().ProcessMessages();
}

std::string MenuText(HMENU menu, UINT command) {
    char text[64] = {};
    GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
    return text;
}

TEST(TitleFormTest, TitleBarKeepsTheToolkitColoursWhateverTheDescriptionSays) {
    TTitlePage page;
    EXPECT_EQ(page.TitleBar(), page.TitleBar1);
    EXPECT_EQ(page.TitleBar1->StartColor(), 0x004D3004);
    EXPECT_EQ(page.TitleBar1->EndColor(), 0x00EFEFEF);
    page.Show();
    TBitmap picture;
    picture.SetSize(page.ClientWidth(), page.ClientHeight());
    page.PaintTo(picture.Canvas().Handle());
    EXPECT_EQ(picture.Canvas().Pixel(0, 0), RGBColor(4, 48, 77)) << "not the description's RGB(8, 74, 140)";
    EXPECT_EQ(picture.Canvas().Pixel(page.ClientWidth() - 1, 0),
              RGBColor(4 + 235 * 418 / 420, 48 + 191 * 418 / 420, 77 + 162 * 418 / 420));
}

TEST(TitleFormTest, ButtonFaceBecomesTheFixedGreyAndSchemeGreysStay) {
    TTitlePage page;
    EXPECT_EQ(page.Color(), 0x00C8D0D4);
    EXPECT_EQ(page.FindChild<TPaintedPanel>("Face")->Color(), 0x00C8D0D4);
    EXPECT_EQ(page.FindChild<TPaintedPanel>("Swatch")->Color(), 0x00CFCFCF);
    EXPECT_EQ(page.BNext->Color(), 0x00C8D0D4) << "a TMButton's button face";
    page.Show();
    TBitmap picture;
    picture.SetSize(page.ClientWidth(), page.ClientHeight());
    page.PaintTo(picture.Canvas().Handle());
    EXPECT_EQ(picture.Canvas().Pixel(5, page.ClientHeight() - 5), 0x00C8D0D4);
}

TEST(TitleFormTest, DisablingSavesAndDisablesTheButtonsAndEnablingGivesThemBack) {
    TTitlePage page;
    page.Show();
    page.BBack->SetEnabled(false);  // the page's own choice, before a dialog opens
    page.BNext->SetFocus();
    Pump();
    ASSERT_EQ(GetFocus(), page.BNext->Handle());

    EnableWindow(page.Handle(), FALSE);
    EXPECT_FALSE(page.BBack->Enabled());
    EXPECT_FALSE(page.BNext->Enabled());
    EXPECT_FALSE(page.BCancel->Enabled());
    EXPECT_TRUE(page.TitleBar1->Grayed());
    EXPECT_TRUE(page.RName->Enabled()) << "only buttons are disabled";

    EnableWindow(page.Handle(), TRUE);
    Pump();
    EXPECT_FALSE(page.BBack->Enabled()) << "disabled before, disabled after";
    EXPECT_TRUE(page.BNext->Enabled());
    EXPECT_TRUE(page.BCancel->Enabled());
    EXPECT_FALSE(page.TitleBar1->Grayed());
    EXPECT_EQ(GetFocus(), page.BNext->Handle()) << "the focus goes back to the button that had it";
}

TEST(TitleFormTest, ButtonsAreDisabledWhileAModalFormCoversThePage) {
    TTitlePage page;
    page.Show();
    page.BCancel->SetFocus();
    Pump();
    TTitleForm dialog(nullptr);
    dialog.SetBounds(0, 0, 200, 100);
    bool disabledMeanwhile = false;
    dialog.OnShow = [&](TObject*) { PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0); };
    dialog.OnActivate = [&](TObject*) {
        disabledMeanwhile = !page.BNext->Enabled() && !page.BCancel->Enabled() && page.TitleBar1->Grayed();
    };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(disabledMeanwhile);
    Pump();
    EXPECT_TRUE(page.BNext->Enabled());
    EXPECT_TRUE(page.BCancel->Enabled());
    EXPECT_EQ(GetFocus(), page.BCancel->Handle());
}

TEST(TitleFormTest, AltF4DoesNothing) {
    TTitlePage page;
    page.Show();
    page.BNext->SetFocus();
    Pump();
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE altDown[256];
    std::copy(std::begin(keys), std::end(keys), altDown);
    altDown[VK_MENU] = 0x80;
    SetKeyboardState(altDown);
    for (HWND target : {page.BNext->Handle(), page.Handle()}) {
        PostMessageA(target, WM_SYSKEYDOWN, VK_F4, 0x20000001);
        Pump();
    }
    SetKeyboardState(keys);
    EXPECT_TRUE(IsWindowVisible(page.Handle()));
    EXPECT_EQ(page.ModalResult(), mrNone);
    EXPECT_TRUE(page.KeyPreview());
}

TEST(TitleFormTest, TheSurfaceAnswersCaptionToTheHitTest) {
    TTitlePage page;
    page.Show();
    Pump();
    auto hitTest = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(page.Handle(), &p);
        return SendMessageA(page.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hitTest(5, 100), HTCAPTION) << "bare surface";
    EXPECT_EQ(hitTest(200, 10), HTCAPTION) << "the title bar";
    EXPECT_EQ(GetWindowLongA(page.Handle(), GWL_STYLE) & WS_DLGFRAME, 0) << "no Windows caption";
}

TEST(TitleFormTest, CaptionIsTheTitleBarsAndTheHeightHasAMinimum) {
    TTitlePage page;
    page.SetCaption("Alt titlu");
    EXPECT_EQ(page.TitleBar1->Caption(), "Alt titlu");
    page.Show();
    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 5000};
    SendMessageA(page.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.y, page.Height() - page.ClientHeight() + 25);
}

TEST(TitleFormTest, SystemMenuIsRomanianWithCloseGreyedExceptOnTheMainForm) {
    TTitlePage page;
    page.Show();
    HMENU menu = GetSystemMenu(page.Handle(), FALSE);
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuText(menu, SC_MOVE), "&Muta");
    EXPECT_EQ(MenuText(menu, SC_CLOSE), "&Inchide    ALT+F4");
    EXPECT_TRUE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);

    TMainForm main(nullptr);
    main.Show();
    HMENU mainMenu = GetSystemMenu(main.Handle(), FALSE);
    ASSERT_TRUE(mainMenu);
    EXPECT_EQ(MenuText(mainMenu, SC_MINIMIZE), "Mi&nimizeaza");
    EXPECT_FALSE(GetMenuState(mainMenu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(TitleFormTest, RightClickAnswersAnOpenMessageDialogWithEnter) {
    TTitlePage page;
    page.Show();
    TMessageForm dialog(nullptr);
    dialog.SetBounds(0, 0, 200, 100);
    dialog.Show();
    Screen().SetActiveForm(&dialog);
    LRESULT result = SendMessageA(page.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(page.Handle()),
                                  MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
    EXPECT_EQ(result, -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, dialog.Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_RETURN));

    Screen().SetActiveForm(&page);
    SendMessageA(page.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(page.Handle()),
                 MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
    EXPECT_FALSE(PeekMessageA(&msg, dialog.Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "no dialog, no answer";
}

TEST(TitleFormTest, ToolkitStartWritesTheTitleMarksAndTheFormLimit) {
    std::vector<std::string> lines;
    StartToolkit({}, {[&](const std::string& s) { lines.push_back("BEGIN " + s); },
                      [&](const std::string& s) { lines.push_back("END " + s); }, nullptr});
    EXPECT_EQ(lines, (std::vector<std::string>{"BEGIN Title init", "END Title init"}));
    EXPECT_GE(MaxFormWidth, Screen().Width() - 200);
    EXPECT_GT(MaxFormHeight, 0);
    SetToolkitLogSink({});
}

}  // namespace
