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

std::string ProgramsFolder() {
    char folder[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
    return folder;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ProgramGroupShell : public ::testing::Test {
protected:
    void SetUp() override {
        StartUserInterface();
        RemoveTree(group_);
    }
    void TearDown() override { RemoveTree(group_); }

    void CreateWith(std::initializer_list<const char*> programs) {
        for (const char* program : programs) WriteBytes(dir_ + "\\" + program, "MZ");
        CreateProgramGroup(dir_, dir_);
    }

    const std::string group_ = ProgramsFolder() + "\\WinKORVEN\\";
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

}  // namespace
