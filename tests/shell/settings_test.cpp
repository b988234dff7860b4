#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exec_and_wait.h"
#include "settings.h"
#include "user_message.h"

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

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "korven-settings-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        SetUserMessageHook([this](UserMessageKind, const std::string& text) { messages_.push_back(text); });
        InstallSettings.DiskCount = 1;
    }
    void TearDown() override {
        DeleteFileA(File().c_str());
        RemoveDirectoryA(folder_.c_str());
        SetUserMessageHook(nullptr);
    }
    std::string File() const { return folder_ + "\\INSTKORV.CFG"; }
    void Write(const std::string& text) { std::ofstream(File(), std::ios::binary) << text; }

    std::string folder_;
    std::vector<std::string> messages_;
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

TEST(ExecAndWaitTest, AnswersTheChildsExitCode) {
    EXPECT_EQ(ExecAndWait("cmd /c exit 7", SW_HIDE), 7);
    EXPECT_EQ(ExecAndWait("cmd /c exit 0", SW_HIDE), 0);
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
