// The destination folders page for each installation type, and its folder
// picker, driven with window messages; the settings and the folders on the
// disk show what they did.
#include "pages/dir_dialog.h"
#include "pages/dirs_page.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/filectrls.h"
#include "framework/graphics.h"
#include "core/settings.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"
#include "toolkit/toolkit_start.h"

#include "page_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Click(TWinControl& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }

// Characters as the keyboard sends them to the focused edit.
void Type(TWinControl& edit, const std::string& text) {
    for (char c : text) SendMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Pump() {
    for (int i = 0; i < 5; ++i) Application().ProcessMessages();
}

class DirsPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartToolkit(); }

    void SetUp() override {
        InstallSettings = TInstallSettings{};
        char temp[MAX_PATH], full[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        GetFullPathNameA((std::string(temp) + "korven_pages_" + std::to_string(GetCurrentProcessId())).c_str(),
                         sizeof full, full, nullptr);
        root = full;
        CreateDirectoryA(root.c_str(), nullptr);
        MessagePrefix.clear();
        // Every dialog is noted with its caption and answered as Escape would.
        SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
            messages.push_back(dialog.Message() + " / " + dialog.Caption());
            dialog.SetModalResult(mrCancel);
        });
    }

    void TearDown() override {
        SetMessageDialogWatcher(nullptr);
        for (const char* sub : {"\\Program", "\\Date", "\\Alfa", ""}) RemoveDirectoryA((root + sub).c_str());
    }

    // Next, then Abandon: the page answers mrOk when Next closed it and
    // mrCancel when it stayed open.
    static int NextThenCancel(TDirs& page) {
        page.Handle();
        PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        PostMessageA(page.BCancel->Handle(), BM_CLICK, 0, 0);
        return page.ShowModal();
    }

    std::string root;
    std::vector<std::string> messages;
};

TEST_F(DirsPageTest, LocalShowsOnlyTheProgramFolderAndKeepsTheDataInIt) {
    InstallSettings.InstallType = itLocal;
    InstallSettings.DefaultProgramDir = root + "\\Program";
    TDirs page(nullptr);
    EXPECT_EQ(page.RProgram->Text(), root + "\\Program");
    EXPECT_TRUE(page.RProgram->Visible());
    EXPECT_TRUE(page.BProgram->Visible());
    EXPECT_FALSE(page.LDate->Visible());
    EXPECT_FALSE(page.RDate->Visible());
    EXPECT_FALSE(page.BDate->Visible());
    EXPECT_FALSE(page.netmemo->Visible());
    EXPECT_TRUE(page.BNext->Enabled());

    EXPECT_EQ(NextThenCancel(page), mrOk);
    EXPECT_TRUE(IsFolder(root + "\\Program")) << "the program folder is created";
    EXPECT_EQ(InstallSettings.ProgramDir, root + "\\Program");
    EXPECT_EQ(InstallSettings.DataDir, root + "\\Program");
    EXPECT_EQ(InstallSettings.DefaultProgramDir, root + "\\Program");
    EXPECT_EQ(InstallSettings.DefaultDataDir, root + "\\Program");
}

TEST_F(DirsPageTest, ServerTakesAnExistingDataFolderAndCreatesAMissingOne) {
    InstallSettings.InstallType = itServer;
    InstallSettings.DefaultProgramDir = root + "\\Program\\";
    InstallSettings.DefaultDataDir = root;
    {
        TDirs page(nullptr);
        EXPECT_EQ(page.RDate->Text(), root);
        EXPECT_TRUE(page.RDate->Visible());
        EXPECT_TRUE(page.BDate->Visible());
        EXPECT_FALSE(page.netmemo->Visible());
        EXPECT_TRUE(page.BNext->Enabled());
        EXPECT_EQ(NextThenCancel(page), mrOk);
    }
    EXPECT_EQ(InstallSettings.DataDir, root);
    EXPECT_EQ(InstallSettings.ProgramDir, root + "\\Program\\") << "taken as typed";

    InstallSettings.DefaultDataDir = root + "\\Date";
    TDirs again(nullptr);
    EXPECT_EQ(NextThenCancel(again), mrOk);
    EXPECT_TRUE(IsFolder(root + "\\Date"));
    EXPECT_EQ(InstallSettings.DataDir, root + "\\Date");
    EXPECT_TRUE(messages.empty());
}

TEST_F(DirsPageTest, ServerDataFolderTwoLevelsDeepFailsSilentlyAndThePageStays) {
    InstallSettings.InstallType = itServer;
    InstallSettings.DefaultProgramDir = root + "\\Program";
    InstallSettings.DefaultDataDir = root + "\\Alfa\\Beta";
    InstallSettings.DataDir = "D:\\Vechi";
    TDirs page(nullptr);
    EXPECT_EQ(NextThenCancel(page), mrCancel);
    EXPECT_FALSE(IsFolder(root + "\\Alfa")) << "only one level is ever created";
    EXPECT_TRUE(messages.empty()) << "no message";
    EXPECT_EQ(InstallSettings.DataDir, "D:\\Vechi") << "left as it was";
    EXPECT_EQ(InstallSettings.DefaultDataDir, "D:\\Vechi") << "what is confirmed is proposed again";
    EXPECT_EQ(InstallSettings.DefaultProgramDir, root + "\\Program");
}

TEST_F(DirsPageTest, ClientWaitsForTheDataFolderAndItMustExist) {
    InstallSettings.InstallType = itClient;
    InstallSettings.DefaultProgramDir = root + "\\Program";
    InstallSettings.DefaultDataDir = root;
    TDirs page(nullptr);
    EXPECT_EQ(page.RDate->Text(), "") << "the client names the server's folder itself";
    EXPECT_TRUE(page.netmemo->Visible());
    ASSERT_EQ(page.netmemo->Lines().Count(), 3);
    EXPECT_EQ(page.netmemo->Lines()[0], "Ati selectat o instalare de tip client.");
    // The note's last character lies inside the memo, a whole line above its
    // bottom: nothing of it is cut off.
    HWND note = page.netmemo->Handle();
    const int last = GetWindowTextLengthA(note) - 1;
    const int lastTop = HIWORD(SendMessageA(note, EM_POSFROMCHAR, last, 0));
    RECT noteRect;
    GetClientRect(note, &noteRect);
    EXPECT_EQ(SendMessageA(note, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_LE(lastTop + MeasureText(page.netmemo->Font(), "W", DT_SINGLELINE).cy, noteRect.bottom);
    EXPECT_LE(page.Panel1->Top() + page.Panel1->Height(), page.ClientHeight());
    EXPECT_FALSE(page.BNext->Enabled());
    EXPECT_FALSE(IsWindowEnabled(page.BNext->Handle()));

    page.RDate->SetFocus();
    Type(*page.RDate, root + "\\Date");
    EXPECT_TRUE(IsWindowEnabled(page.BNext->Handle())) << "a change of the data field enables Next";

    EXPECT_EQ(NextThenCancel(page), mrCancel);
    EXPECT_EQ(messages, std::vector<std::string>{"La instalarea client baza de date trebuie sa existe! / Eroare!"});
    EXPECT_FALSE(IsFolder(root + "\\Date")) << "a client never creates the server's folder";
    EXPECT_EQ(InstallSettings.DataDir, "C:\\WinKorv");

    page.RDate->SetText(root);
    EXPECT_EQ(NextThenCancel(page), mrOk);
    EXPECT_EQ(InstallSettings.DataDir, root);
    EXPECT_EQ(InstallSettings.DefaultDataDir, root);
}

// A name that is not full would put the files relative to wherever the
// installer runs; an empty one names nothing.
TEST_F(DirsPageTest, NamesThatAreNotFullFailLikeFoldersThatCannotBeMade) {
    InstallSettings.InstallType = itLocal;
    InstallSettings.DefaultProgramDir = "Program";
    {
        TDirs page(nullptr);
        EXPECT_EQ(NextThenCancel(page), mrCancel);
        page.RProgram->SetText("");
        EXPECT_EQ(NextThenCancel(page), mrCancel);
    }
    EXPECT_TRUE(messages.empty());

    InstallSettings.InstallType = itClient;
    InstallSettings.DefaultProgramDir = root + "\\Program";
    TDirs client(nullptr);
    client.RDate->SetText(".");
    EXPECT_EQ(NextThenCancel(client), mrCancel);
    EXPECT_EQ(messages.size(), 1u) << "the current folder is no server's database";
}

TEST_F(DirsPageTest, PickerPutsADriveRootWithOneBackslashIntoBothLocalFields) {
    ASSERT_EQ(root.substr(1, 2), ":\\");
    InstallSettings.InstallType = itLocal;
    InstallSettings.DefaultProgramDir = root + "\\Program";
    TDirs page(nullptr);
    page.Show();
    WhenPickerOpens([&](TDirDialog& picker) {
        EXPECT_EQ(picker.dirs->Directory(), root) << "opens at the nearest folder of the field that exists";
        DoubleClick(*picker.dirs, 0);
        Press(picker, "NiceButton1");
    });
    Click(*page.BProgram);
    EXPECT_EQ(page.RProgram->Text(), root.substr(0, 3));
    EXPECT_EQ(page.RDate->Text(), root.substr(0, 3));
    page.Hide();
}

TEST_F(DirsPageTest, PickedFolderEndsInABackslashAndRenuntChangesNothing) {
    CreateDirectoryA((root + "\\Alfa").c_str(), nullptr);
    InstallSettings.InstallType = itServer;
    InstallSettings.DefaultProgramDir = root + "\\Program";
    InstallSettings.DefaultDataDir = root;
    TDirs page(nullptr);
    page.Show();
    WhenPickerOpens([&](TDirDialog& picker) {
        DoubleClick(*picker.dirs, picker.dirs->Items().IndexOf("Alfa"));
        Press(picker, "NiceButton1");
    });
    Click(*page.BDate);
    EXPECT_EQ(page.RDate->Text(), root + "\\Alfa\\");
    EXPECT_EQ(page.RProgram->Text(), root + "\\Program") << "only the data field";

    WhenPickerOpens([&](TDirDialog& picker) {
        DoubleClick(*picker.dirs, 0);
        Press(picker, "NiceButton2");
    });
    Click(*page.BProgram);
    EXPECT_EQ(page.RProgram->Text(), root + "\\Program");
    page.Hide();
    Pump();
}

}  // namespace
