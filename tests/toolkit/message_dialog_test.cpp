// The message dialog on the screen: what it shows, how it is answered by
// keys, mouse and its unattended modes. Each test answers its dialogs with
// real window messages posted before the modal loop runs.
#include "toolkit/message_dialog.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "toolkit/fmt_label.h"
#include "toolkit/title_bar.h"
#include "toolkit/toolkit_start.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class MessageDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartToolkit({}); }
    void SetUp() override { ResetModes(); }
    void TearDown() override {
        SetMessageDialogWatcher(nullptr);
        ResetModes();
        if (main_) Application().SetMainForm(nullptr);
    }
    static void ResetModes() {
        MessagePrefix.clear();
        AutoCloseUnits = 0;
        AutoAnswer = false;
    }

    // The timers of the unattended modes need a main window.
    void ShowMainWindow() {
        main_ = std::make_unique<TMForm>(nullptr);
        main_->SetBounds(0, 0, 300, 200);
        main_->Show();
        Application().SetMainForm(main_.get());
    }

    // Runs one dialog; `act` sees it on the screen first.
    int Run(TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, std::function<void(TMessageDialogForm&)> act,
            const std::string& message = "Mesaj scurt", TMsgDlgType kind = mtWarning) {
        SetMessageDialogWatcher(act);
        const int result = RomMessageDlg(message, "", kind, taCenter, buttons, defaultButton);
        SetMessageDialogWatcher(nullptr);
        return result;
    }

    static void PostKey(TForm& dialog, WORD key) { PostMessageA(dialog.Handle(), WM_KEYDOWN, key, 1); }
    static void PostClose(TForm& dialog) { PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0); }
    static TControl& Part(TForm& dialog, const char* name) { return *dialog.FindChild<TControl>(name); }
    // A press of the mouse on the panel, over the given control of it.
    static void PostPanelPress(TForm& dialog, UINT down, UINT up, const TControl& over) {
        HWND panel = dialog.FindChild<TPanel>("Panel")->Handle();
        const LPARAM at = MAKELPARAM(over.Left() + over.Width() / 2, over.Top() + over.Height() / 2);
        PostMessageA(panel, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, at);
        PostMessageA(panel, up, 0, at);
    }
    static void PostIconClicks(TForm& dialog, int clicks) {
        for (int i = 0; i < clicks; ++i) PostPanelPress(dialog, WM_LBUTTONDOWN, WM_LBUTTONUP, Part(dialog, "Image"));
    }

    std::unique_ptr<TMForm> main_;
};

TEST_F(MessageDialog, ShortMessageIsCentredOnTheIconsMiddle) {
    Run({mbOK}, mbOK, [](TMessageDialogForm& dialog) {
        const TControl& icon = Part(dialog, "Image");
        const TControl& message = Part(dialog, "Message");
        EXPECT_EQ(icon.Top(), 10);
        EXPECT_NEAR(message.Top() + message.Height() / 2, icon.Top() + icon.Height() / 2, 1);
        EXPECT_GT(message.Left(), icon.Left() + icon.Width());
        dialog.ClickDefaultButtons();
    });
}

TEST_F(MessageDialog, LongMessageTakesTheIconDownAndWrapsAtBlanks) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "cuvant" + std::to_string(i) + " ";
    Run(
        {mbOK}, mbOK,
        [](TMessageDialogForm& dialog) {
            const TControl& icon = Part(dialog, "Image");
            const TControl& message = Part(dialog, "Message");
            EXPECT_EQ(message.Top(), 16);
            EXPECT_GT(icon.Top(), 10);
            EXPECT_NEAR(icon.Top() + icon.Height() / 2, message.Top() + message.Height() / 2, 1);
            // Half the screen wide at most: the lines were broken where it was measured.
            EXPECT_LE(message.Width(), Screen().Width() / 2);
            EXPECT_NE(message.Caption().find('\r'), std::string::npos);
            dialog.ClickDefaultButtons();
        },
        text);
}

TEST_F(MessageDialog, ButtonsAreNamedAfterTheirCaptionsAndSizeTheRow) {
    Run({mbOK}, mbOK, [](TMessageDialogForm& dialog) {
        EXPECT_GE(Part(dialog, "Panel").Width(), 150);
        dialog.ClickDefaultButtons();
    });
    Run({mbYes, mbNo, mbOK, mbCancel}, mbOK, [](TMessageDialogForm& dialog) {
        for (const char* name : {"BtnDa", "BtnNu", "BtnOK", "BtnRenunt"})
            EXPECT_NE(dialog.FindChild<TButton>(name), nullptr) << name;
        const TControl& row = *dialog.FindChild<TButton>("BtnDa")->Parent();
        EXPECT_EQ(row.Width(), 432);
        EXPECT_GE(Part(dialog, "Panel").Width(), 432);
        EXPECT_EQ(dialog.ActiveControl(), dialog.FindChild<TButton>("BtnOK"));
        dialog.ClickDefaultButtons();
    });
}

TEST_F(MessageDialog, NoAndNoToAllBothGetAButton) {
    const int result = Run({mbNo, mbNoToAll}, mbNoToAll, [](TMessageDialogForm& dialog) {
        EXPECT_EQ(dialog.Buttons().Count(), 2);
        dialog.ClickDefaultButtons();
    });
    EXPECT_EQ(result, mrNo);
}

TEST_F(MessageDialog, EscapeAnswersOnlyWhereTheButtonsSayHow) {
    // Where Escape does nothing, the Enter posted after it answers.
    EXPECT_EQ(Run({mbOK}, mbOK,
                  [](TMessageDialogForm& dialog) {
                      PostKey(dialog, VK_ESCAPE);
                      PostClose(dialog);
                  }),
              mrOk);
    EXPECT_EQ(Run({mbOK, mbCancel}, mbOK,
                  [](TMessageDialogForm& dialog) {
                      PostKey(dialog, VK_ESCAPE);
                      PostKey(dialog, VK_RETURN);
                  }),
              mrOk);
    EXPECT_EQ(Run({mbNo, mbCancel}, mbNo,
                  [](TMessageDialogForm& dialog) {
                      PostKey(dialog, VK_ESCAPE);
                      PostKey(dialog, VK_RETURN);
                  }),
              mrCancel);
}

TEST_F(MessageDialog, PrefixComesInCapitalsWithAnEmptyLine) {
    MessagePrefix = "Pentru continuare";
    Run(
        {mbOK}, mbOK,
        [](TMessageDialogForm& dialog) {
            EXPECT_EQ(Part(dialog, "Message").Caption(), "PENTRU CONTINUARE,\r\rIntroduceti discul 2");
            dialog.ClickDefaultButtons();
        },
        "Introduceti discul 2");
}

TEST_F(MessageDialog, EmptyCaptionShowsTheKindsCaption) {
    Run(
        {mbCancel}, mbCancel,
        [](TMessageDialogForm& dialog) {
            EXPECT_EQ(dialog.Caption(), "EROARE !");
            ASSERT_NE(dialog.TitleBar(), nullptr);
            EXPECT_EQ(dialog.TitleBar()->Caption(), "EROARE !");
            dialog.ClickDefaultButtons();
        },
        "x", mtError);
}

TEST_F(MessageDialog, CopyGivesCaptionMessageAndButtons) {
    Run({mbOK, mbCancel}, mbOK, [](TMessageDialogForm& dialog) {
        EXPECT_EQ(dialog.CopyText(),
                  "---------------------------\r\nAtentie !\r\n---------------------------\r\n"
                  "Mesaj scurt\r\n---------------------------\r\nOK   Renunt   \r\n"
                  "---------------------------\r\n");
        dialog.ClickDefaultButtons();
    });
}

TEST_F(MessageDialog, RightClickAnswersWithTheDefaultButton) {
    EXPECT_EQ(Run({mbYes, mbNo}, mbNo,
                  [](TMessageDialogForm& dialog) {
                      PostPanelPress(dialog, WM_RBUTTONDOWN, WM_RBUTTONUP, Part(dialog, "Message"));
                  }),
              mrNo);
}

TEST_F(MessageDialog, RightClickOnAFormUnderneathAnswersThroughEnter) {
    ShowMainWindow();
    EXPECT_EQ(Run({mbYes, mbNo}, mbYes,
                  [this](TMessageDialogForm&) {
                      PostMessageA(main_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(main_->Handle()),
                                   MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
                  }),
              mrYes);
}

TEST_F(MessageDialog, ThreeIconClicksSwitchOneButtonDialogsToCloseThemselves) {
    ShowMainWindow();
    EXPECT_EQ(Run({mbOK}, mbOK, [](TMessageDialogForm& dialog) { PostIconClicks(dialog, 3); }), mrIgnore);
    EXPECT_EQ(AutoCloseUnits, 1);
    // Nobody answers: it closes itself at the second tick.
    EXPECT_EQ(Run({mbOK}, mbOK, [](TMessageDialogForm&) {}), mrCancel);
    EXPECT_EQ(Run({mbOK}, mbOK, [](TMessageDialogForm& dialog) { PostIconClicks(dialog, 3); }), mrIgnore);
    EXPECT_EQ(AutoCloseUnits, 0);
}

TEST_F(MessageDialog, TwoIconClicksSwitchNothing) {
    ShowMainWindow();
    EXPECT_EQ(Run({mbOK}, mbOK,
                  [](TMessageDialogForm& dialog) {
                      PostIconClicks(dialog, 2);
                      PostKey(dialog, VK_RETURN);
                  }),
              mrOk);
    EXPECT_EQ(AutoCloseUnits, 0);
}

TEST_F(MessageDialog, ThreeIconClicksOnAQuestionSwitchAutomaticAnswers) {
    ShowMainWindow();
    EXPECT_EQ(Run({mbYes, mbNo}, mbNo, [](TMessageDialogForm& dialog) { PostIconClicks(dialog, 3); }), mrNo);
    EXPECT_TRUE(AutoAnswer);
    EXPECT_EQ(Run({mbOK, mbCancel}, mbCancel, [](TMessageDialogForm&) {}), mrCancel);
    // A one-button dialog waits long enough for the clicks that switch it off.
    EXPECT_EQ(Run({mbOK}, mbOK, [](TMessageDialogForm&) {}), mrOk);
    EXPECT_EQ(Run({mbYes, mbNo}, mbYes, [](TMessageDialogForm& dialog) { PostIconClicks(dialog, 3); }), mrYes);
    EXPECT_FALSE(AutoAnswer);
}

TEST_F(MessageDialog, NoMainWindowNoTimer) {
    AutoCloseUnits = 1;
    EXPECT_EQ(Run({mbOK}, mbOK, [](TMessageDialogForm& dialog) { PostKey(dialog, VK_RETURN); }), mrOk);
    EXPECT_EQ(CurrentDialog, nullptr);
}

}  // namespace
