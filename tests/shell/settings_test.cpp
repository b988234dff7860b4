#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/exec_and_wait.h"
#include "core/settings.h"
#include "shell/startup.h"
#include "toolkit/message_dialog.h"
#include "core/user_interface.h"

namespace {

int Row(const char* name) {
    for (int row = 0; row < ComponentCount; ++row)
        if (std::string(Components[row].CompName) == name) return row;
    return -1;
}

TEST(ComponentSets, ClientsGetNoDatabaseAndUpgradesNoEngine) {
    for (int type = itNone; type <= itClient; ++type) EXPECT_FALSE(InSet(UpgradeSets[type], Row("BDE32"))) << type;
    EXPECT_FALSE(InSet(InstallSets[itClient], Row("DBDAT")));
    EXPECT_FALSE(InSet(InstallSets[itClient], Row("DBNEW")));
    EXPECT_TRUE(InSet(InstallSets[itClient], Row("BDE32")));
    EXPECT_EQ(InstallSets[itNone], 0);
    EXPECT_EQ(UpgradeSets[itNone], 0);
    for (int row = 0; row < ComponentCount; ++row) {
        EXPECT_TRUE(InSet(InstallSets[itLocal], row));
        EXPECT_TRUE(InSet(InstallSets[itServer], row));
    }
}

TEST(ComponentTable, RowsInTheOrderTheCopyPagesExtractThem) {
    struct Row {
        const char* name;
        const char* description;
        TCompTarget target;
    };
    const Row expected[] = {
        {"EXE", "Fisiere executabile", ctProgram},
        {"OUTPOST", "Outpost KORVEN", ctProgram},
        {"DBDAT", "KORVEN: baza de date si exemple", ctData},
        {"DBNEW", "KORVEN: baza de date martor", ctNewData},
        {"BDE32", "Borland Database Engine", ctEngine},
        {"HELP", "Help Winkorven", ctProgram},
        {"PAYROLL", "Payroll KORVEN", ctProgram},
    };
    ASSERT_EQ(std::size(expected), Components.size());
    for (size_t row = 0; row < Components.size(); ++row) {
        EXPECT_STREQ(Components[row].CompName, expected[row].name) << row;
        EXPECT_STREQ(Components[row].CompDescription, expected[row].description) << row;
        EXPECT_EQ(Components[row].CompTarget, expected[row].target) << row;
    }
}

TEST(ComponentTable, EveryNameLeadsBackToItsRow) {
    for (int row = 0; row < ComponentCount; ++row) EXPECT_EQ(ComponentRow(Components[row].CompName), row);
    EXPECT_EQ(ComponentRow("SETUP"), std::nullopt);
    EXPECT_EQ(ComponentList(), "EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYROLL");
}

// Every member of every set, by name, against the table of installed
// components per installation type.
TEST(ComponentSets, EachTypeInstallsAndUpgradesExactlyItsComponents) {
    auto names = [](TCompSet set) {
        std::string list;
        for (int row = 0; row < ComponentCount; ++row)
            if (InSet(set, row)) list += std::string(list.empty() ? "" : " ") + Components[row].CompName;
        EXPECT_EQ(set >> ComponentCount, 0) << "bits beyond the table";
        return list;
    };
    EXPECT_EQ(names(InstallSets[itNone]), "");
    EXPECT_EQ(names(InstallSets[itLocal]), "EXE OUTPOST DBDAT DBNEW BDE32 HELP PAYROLL");
    EXPECT_EQ(names(InstallSets[itServer]), "EXE OUTPOST DBDAT DBNEW BDE32 HELP PAYROLL");
    EXPECT_EQ(names(InstallSets[itClient]), "EXE OUTPOST BDE32 HELP PAYROLL");
    EXPECT_EQ(names(UpgradeSets[itNone]), "");
    EXPECT_EQ(names(UpgradeSets[itLocal]), "EXE OUTPOST DBDAT DBNEW HELP PAYROLL");
    EXPECT_EQ(names(UpgradeSets[itServer]), "EXE OUTPOST DBDAT DBNEW HELP PAYROLL");
    EXPECT_EQ(names(UpgradeSets[itClient]), "EXE OUTPOST HELP PAYROLL");
}

TEST(InitialSettings, AFreshRecordHoldsTheStartValues) {
    const TInstallSettings fresh;
    EXPECT_FALSE(fresh.UpgradeMode);
    EXPECT_FALSE(fresh.OldEngineFound);
    EXPECT_EQ(fresh.InstallType, itNone);
    EXPECT_EQ(fresh.CurrentPage, 0);
    EXPECT_EQ(fresh.DefaultProgramDir, "C:\\WinKorv");
    EXPECT_EQ(fresh.ProgramDir, "C:\\WinKorv");
    EXPECT_EQ(fresh.DefaultDataDir, "C:\\WinKorv");
    EXPECT_EQ(fresh.DataDir, "C:\\WinKorv");
    EXPECT_EQ(fresh.SourceDir, "");
    EXPECT_EQ(fresh.DiskCount, 1u);
    const std::array<std::string, 4> names{"KORVENALIAS", "FIRMAALIAS", "LUNAALIAS", "KORVEN"};
    const std::array<std::string, 4> folders{"NEW\\DATA", "NEW\\FIRMA", "NEW\\LUNA", "DATA"};
    EXPECT_EQ(fresh.AliasNames, names);
    EXPECT_EQ(fresh.AliasDirs, folders);
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "korven-settings-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        StartUserInterface();
        // Every dialog is read and answered with its default button.
        SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
            messages_.push_back(dialog.Message());
            captions_.push_back(dialog.Caption());
            dialog.ClickDefaultButtons();
        });
        InstallSettings.DiskCount = 1;
    }
    void TearDown() override {
        DeleteFileA(File().c_str());
        RemoveDirectoryA(folder_.c_str());
        SetMessageDialogWatcher(nullptr);
    }
    std::string File() const { return folder_ + "\\INSTKORV.CFG"; }
    void Write(const std::string& text) { std::ofstream(File(), std::ios::binary) << text; }

    std::string folder_;
    std::vector<std::string> messages_, captions_;
};

TEST_F(SettingsFileTest, MissingFileOrKeyMeansSixDisks) {
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 6u);
    InstallSettings.DiskCount = 1;
    Write("[General]\r\nAltceva=2\r\n");
    ReadSettingsFile(folder_ + "\\");
    EXPECT_EQ(InstallSettings.DiskCount, 6u);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SettingsFileTest, CountIsReadAsWrittenZeroIncluded) {
    Write("[General]\r\nNrDiscuri=0\r\n");
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 0u);
    Write("[General]\r\nNrDiscuri=3\r\n");
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 3u);
}

TEST_F(SettingsFileTest, NegativeCountIsReportedAndTakenAsSix) {
    Write("[General]\r\nNrDiscuri=-2\r\n");
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 6u);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("NrDiscuri=-2"), std::string::npos) << messages_[0];
}

TEST_F(SettingsFileTest, MinusZeroIsZeroNotNegative) {
    Write("[General]\r\nNrDiscuri=-0\r\n");
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 0u);
    Write("[General]\r\nNrDiscuri= -00\r\n");
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 0u);
    EXPECT_TRUE(messages_.empty());
}

// The kit builder's list of pieces beside the disk count; a kit that has
// none lists nothing, and a line not understood leaves only its piece out.
TEST_F(SettingsFileTest, ThePiecesSectionListsEachPieceWithItsSizeCrcAndDisk) {
    Write("[General]\r\nNrDiscuri=3\r\n");
    ReadSettingsFile(folder_);
    EXPECT_TRUE(InstallSettings.Pieces.Empty());

    Write(
        "[General]\r\nNrDiscuri=3\r\n\r\n[Piese]\r\n"
        "EXE.1=1457664,5D1D1DF4,1\r\n"
        "exe.2=18446744073709551615,0e3efc84,2\r\n"
        "HELP.1=12,0E3EFC8,2\r\n"                      // seven hexadecimal digits
        "DBDAT.1=12,0E3EFC84,0\r\n"                    // there is no disk 0
        "DBDAT.2=18446744073709551616,0E3EFC84,3\r\n"  // more than any size
        "DBNEW.1=12;0E3EFC84;3\r\n"
        "BDE32.1 = 7 , 11CA8A66 , 3\r\n");
    ReadSettingsFile(folder_);
    EXPECT_EQ(InstallSettings.DiskCount, 3u);
    const ExpectedPiece* first = InstallSettings.Pieces.Find("exe.1");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->size, 1457664u);
    EXPECT_EQ(first->crc, 0x5D1D1DF4u);
    EXPECT_EQ(first->disk, 1u);
    const ExpectedPiece* second = InstallSettings.Pieces.Find("EXE.2");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->size, 18446744073709551615u);
    EXPECT_EQ(second->crc, 0x0E3EFC84u);
    EXPECT_EQ(second->disk, 2u);
    for (const char* unread : {"HELP.1", "DBDAT.1", "DBDAT.2", "DBNEW.1", "EXE.3"})
        EXPECT_EQ(InstallSettings.Pieces.Find(unread), nullptr) << unread;
    const ExpectedPiece* blanks = InstallSettings.Pieces.Find("BDE32.1");
    ASSERT_NE(blanks, nullptr);
    EXPECT_EQ(blanks->size, 7u);
    EXPECT_TRUE(messages_.empty());
}

TEST(WorkFolderTest, BackslashIsARealTempValueAndOnlyAMissingOneFallsBack) {
    char saved[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("TEMP", saved, MAX_PATH);
    SetEnvironmentVariableA("TEMP", "\\");
    EXPECT_EQ(WorkFolder(), "\\");
    SetEnvironmentVariableA("TEMP", "C:\\Temp");
    EXPECT_EQ(WorkFolder(), "C:\\Temp\\");
    SetEnvironmentVariableA("TEMP", nullptr);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(WorkFolder(), std::string(windows) + "\\");
    SetEnvironmentVariableA("TEMP", length ? saved : nullptr);
}

TEST(ExecAndWaitTest, AnswersTheChildsExitCode) {
    EXPECT_EQ(ExecAndWait("cmd /c exit 7", SW_HIDE), 7);
    EXPECT_EQ(ExecAndWait("cmd /c exit 0", SW_HIDE), 0);
}

// A tool that broadcasts a message or starts a DDE conversation waits for
// our windows to answer: they must be served while the tool runs, and must
// not start anything else meanwhile.
bool seen = false, enabledWhenSeen = true;

LRESULT CALLBACK NoteTheMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        seen = true;
        enabledWhenSeen = IsWindowEnabled(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ExecAndWaitTest, MessagesAreDispatchedWhileItWaitsWithTheWindowsDisabled) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NoteTheMessage;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KorvenExecWaitTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("KorvenExecWaitTest", "page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window);
    PostMessageA(window, WM_APP, 0, 0);

    EXPECT_EQ(ExecAndWait("cmd /c exit 3", SW_HIDE), 3);
    EXPECT_TRUE(seen) << "the message waited until the program ended";
    EXPECT_FALSE(enabledWhenSeen) << "the window stayed enabled while the program ran";
    EXPECT_TRUE(IsWindowEnabled(window)) << "the window stayed disabled";
    DestroyWindow(window);
}

TEST(ExecAndWaitTest, CommandLinesLongerThanFiveHundredCharactersRunWhole) {
    // The exit code sits at the end, so a cut line would answer otherwise.
    const std::string padding(600, 'x');
    EXPECT_EQ(ExecAndWait("cmd /c set KORVEN_PAD=" + padding + " & exit 5", SW_HIDE), 5);
}

TEST(ExecAndWaitTest, MissingProgramAnswersMinusOne) {
    EXPECT_EQ(ExecAndWait("C:\\no-such-folder\\no-such-program.exe", SW_HIDE), -1);
}

}  // namespace
