// The program group: which commands go to the shell for which programs, and
// what Wine's own shell makes of them.
#include "core/user_interface.h"
#include "config/program_group.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "config_test_support.h"

namespace {

using Commands = std::vector<std::string>;

TEST(ProgramGroupCommands, TheMainProgramAloneGivesThreeCommands) {
    EXPECT_EQ(ProgramGroupCommands("C:\\WinKorv", {}),
              (Commands{"[CreateGroup(\"WinKORVEN\")]", "[AddItem(\"C:\\WinKorv\\KORVEN.EXE\", \"Korven\")]",
                        "[ShowGroup(\"WinKORVEN\",8)]"}));
}

TEST(ProgramGroupCommands, OutpostBringsUtilityFirstAndPayrollComesLast) {
    EXPECT_EQ(ProgramGroupCommands("C:\\WinKorv", {.outpost = true, .payroll = true}),
              (Commands{"[CreateGroup(\"WinKORVEN\")]", "[AddItem(\"C:\\WinKorv\\KORVEN.EXE\", \"Korven\")]",
                        "[AddItem(\"C:\\WinKorv\\UTILITY.EXE\", \"Utility\")]",
                        "[AddItem(\"C:\\WinKorv\\OUTPOST.EXE\", \"Outpost\")]",
                        "[AddItem(\"C:\\WinKorv\\PAYROLL.EXE\", \"Payroll\")]", "[ShowGroup(\"WinKORVEN\",8)]"}));
}

TEST(ProgramGroupCommands, AFolderEndingInABackslashIsJoinedAsGiven) {
    EXPECT_EQ(ProgramGroupCommands("C:\\WinKorv\\", {})[1], "[AddItem(\"C:\\WinKorv\\\\KORVEN.EXE\", \"Korven\")]");
}

TEST(SiblingPrograms, UtilityCountsOnlyThroughOutpost) {
    ScratchFolder folder{"korven config"};
    const std::string dir = folder.Path();
    WriteBytes(dir + "\\KORVEN.EXE", "MZ");
    WriteBytes(dir + "\\UTILITY.EXE", "MZ");
    SiblingPrograms found = FindSiblingPrograms(dir);
    EXPECT_FALSE(found.outpost);
    EXPECT_FALSE(found.payroll);

    CreateDirectoryA((dir + "\\PAYROLL.EXE").c_str(), nullptr);  // a folder is no program
    WriteBytes(dir + "\\OUTPOST.EXE", "MZ");
    found = FindSiblingPrograms(dir);
    EXPECT_TRUE(found.outpost);
    EXPECT_FALSE(found.payroll);

    RemoveDirectoryA((dir + "\\PAYROLL.EXE").c_str());
    WriteBytes(dir + "\\PAYROLL.EXE", "MZ");
    EXPECT_TRUE(FindSiblingPrograms(dir).payroll);
}

std::string ProgramsFolder(int which = CSIDL_PROGRAMS) {
    char folder[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
    return folder;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ProgramGroupShell : public ::testing::Test {
protected:
    void SetUp() override {
        StartUserInterface();
        RemoveTree(group_);
        RemoveTree(commonGroup_);
    }
    void TearDown() override {
        RemoveTree(group_);
        RemoveTree(commonGroup_);
    }

    void CreateWith(std::initializer_list<const char*> programs) {
        for (const char* program : programs) WriteBytes(dir_ + "\\" + program, "MZ");
        CreateProgramGroup(dir_, dir_);
    }

    const std::string group_ = ProgramsFolder() + "\\WinKORVEN\\";
    const std::string commonGroup_ = ProgramsFolder(CSIDL_COMMON_PROGRAMS) + "\\WinKORVEN\\";
    ScratchFolder folder_{"korven config"};
    const std::string dir_ = folder_.Path();
    CapturedLog log_;
    DialogRecorder dialogs_;
};

TEST_F(ProgramGroupShell, TheShellMakesTheGroupWithAnItemPerProgram) {
    CreateWith({"KORVEN.EXE", "UTILITY.EXE", "OUTPOST.EXE", "PAYROLL.EXE"});
    EXPECT_TRUE(dialogs_.shown.empty());
    for (const char* item : {"Korven.lnk", "Utility.lnk", "Outpost.lnk", "Payroll.lnk"})
        EXPECT_TRUE(Exists(group_ + item)) << item;
    for (const std::string& line : log_.Lines()) EXPECT_EQ(line.find("Cererea DDE"), std::string::npos) << line;
}

// Wine's shell will not make a shortcut to a program that is not there: the
// Utility item that OUTPOST.EXE brings without UTILITY.EXE.
TEST_F(ProgramGroupShell, ARefusedRequestIsNotedInTheLogOnly) {
    CreateWith({"KORVEN.EXE", "OUTPOST.EXE"});
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_TRUE(Exists(group_ + "Korven.lnk"));
    bool noted = false;
    for (const std::string& line : log_.Lines()) noted |= line.starts_with("*       Cererea DDE a fost refuzata (cod ");
    EXPECT_TRUE(noted);
}

// Wine's shell takes DeleteGroup and removes the group's folder with all it
// holds; removed by hand, a file that is no shortcut would keep the folder.
// So the folder's going shows that the request reached the shell.
TEST_F(ProgramGroupShell, TheShellTakesTheGroupAwayWhenAsked) {
    CreateWith({"KORVEN.EXE", "UTILITY.EXE", "OUTPOST.EXE", "PAYROLL.EXE"});
    ASSERT_TRUE(Exists(group_ + "Korven.lnk"));
    WriteBytes(group_ + "Citeste.txt", "put there by the shell's user");

    EXPECT_TRUE(RemoveProgramGroup("WinKORVEN"));

    EXPECT_FALSE(Exists(group_));
    EXPECT_TRUE(dialogs_.shown.empty());
    for (const std::string& line : log_.Lines()) EXPECT_EQ(line.find("Cererea DDE"), std::string::npos) << line;
    EXPECT_TRUE(RemoveProgramGroup("WinKORVEN")) << "a group that is not there is gone";
}

// A group kept for every user (as a Windows shell makes it for an
// administrator) lies where the shell's own command may not look.
TEST_F(ProgramGroupShell, AGroupInTheFolderCommonToAllUsersIsRemovedToo) {
    ASSERT_TRUE(CreateDirectoryA(commonGroup_.c_str(), nullptr)) << commonGroup_;
    for (const char* file : {"Korven.lnk", "Outpost.PIF", "desktop.ini"}) WriteBytes(commonGroup_ + file, "x");
    SetFileAttributesA((commonGroup_ + "desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_TRUE(RemoveProgramGroup("WinKORVEN"));

    EXPECT_FALSE(Exists(commonGroup_));
    EXPECT_TRUE(dialogs_.shown.empty());
}

// The shell's own command takes the whole folder; where the folder is
// removed by hand, only what a group holds goes.
TEST_F(ProgramGroupShell, AFileThatIsNoShortcutKeepsTheGroupFolderByHand) {
    ASSERT_TRUE(CreateDirectoryA(commonGroup_.c_str(), nullptr)) << commonGroup_;
    WriteBytes(commonGroup_ + "Korven.lnk", "x");
    WriteBytes(commonGroup_ + "Notite.txt", "the user's");

    EXPECT_FALSE(RemoveProgramGroup("WinKORVEN"));

    EXPECT_FALSE(Exists(commonGroup_ + "Korven.lnk"));
    EXPECT_EQ(ReadBytes(commonGroup_ + "Notite.txt"), "the user's");
    bool noted = false;
    for (const std::string& line : log_.Lines()) noted |= line.find("Nu pot sterge dosarul ") != std::string::npos;
    EXPECT_TRUE(noted);
}

}  // namespace
