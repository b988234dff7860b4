// The system step: CONFIG.SYS rewritten with the file limit raised, its
// attributes kept, failures leaving the old file as it was; the profile; the
// two outside tools started with their exact command lines.
#include "core/user_interface.h"
#include "config/config_sys.h"

#include <gtest/gtest.h>

#include <sstream>

#include "config_test_support.h"
#include "core/exec_and_wait.h"
#include "core/unique_handle.h"

namespace {

class ConfigSys : public ::testing::Test {
protected:
    void SetUp() override { StartUserInterface(); }

    std::string Updated(const std::string& before) {
        WriteBytes(file_, before);
        UpdateConfigSys(file_);
        return ReadBytes(file_);
    }

    ScratchFolder folder_{"korven config"};
    std::string file_ = folder_.File("CONFIG.SYS");
};

TEST_F(ConfigSys, AMissingFileIsCreatedWithTheLimitAlone) {
    UpdateConfigSys(file_);
    EXPECT_EQ(ReadBytes(file_), "FILES=255\r\n");
}

TEST_F(ConfigSys, AFilesLineIsRaisedInItsPlaceWhateverItsCase) {
    EXPECT_EQ(Updated("DEVICE=C:\\DOS\\HIMEM.SYS\r\nfiles=30\r\nBUFFERS=20\r\n"),
              "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=255\r\nBUFFERS=20\r\n");
    EXPECT_EQ(Updated("  Files = 40\r\nFILES=50\r\n"), "FILES=255\r\nFILES=255\r\n");
}

TEST_F(ConfigSys, AFilesHighLineIsEnoughAndNoFilesLineIsAdded) {
    EXPECT_EQ(Updated("FILESHIGH=40\r\nBUFFERS=20\r\n"), "FILESHIGH=255\r\nBUFFERS=20\r\n");
}

TEST_F(ConfigSys, WithoutAFilesLineOneIsAppended) {
    EXPECT_EQ(Updated("BUFFERS=20\r\n"), "BUFFERS=20\r\nFILES=255\r\n");
    // A last line without its end, and lines ended by LF alone.
    EXPECT_EQ(Updated("BUFFERS=20\nDOS=HIGH"), "BUFFERS=20\r\nDOS=HIGH\r\nFILES=255\r\n");
}

TEST_F(ConfigSys, ARemarkedFilesLineIsRaisedToo) {
    EXPECT_EQ(Updated("REM FILES=30\r\nBUFFERS=20\r\n"), "FILES=255\r\nBUFFERS=20\r\n");
    EXPECT_EQ(Updated("rem  fileshigh=30\r\n"), "FILESHIGH=255\r\n");
}

// The editors of the DOS days ended a text with Ctrl-Z; DOS stops reading
// there, so the limit must come before it.
TEST_F(ConfigSys, TheTextEndsAtTheFirstCtrlZ) {
    EXPECT_EQ(Updated("BUFFERS=20\r\n\x1A"), "BUFFERS=20\r\nFILES=255\r\n\x1A");
    EXPECT_EQ(Updated("files=30\r\nBUFFERS=20\x1A\x1A\r\nFILES=9\r\n"),
              "FILES=255\r\nBUFFERS=20\r\n\x1A\x1A\r\nFILES=9\r\n");
}

TEST_F(ConfigSys, LinesThatOnlyMentionTheWordKeepTheirBytes) {
    const std::string kept = "SET TEMPFILES=1\r\nDEVICE=C:\\FILES\\X.SYS /files=9 \r\nREMFILES=3\r\nFILESX=2\r\n";
    EXPECT_EQ(Updated(kept), kept + "FILES=255\r\n");
}

TEST_F(ConfigSys, AReadOnlyHiddenFileIsUpdatedAndKeepsItsAttributes) {
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    WriteBytes(file_, "files=30\r\n");
    SetFileAttributesA(file_.c_str(), attributes);
    UpdateConfigSys(file_);
    EXPECT_EQ(ReadBytes(file_), "FILES=255\r\n");
    EXPECT_EQ(GetFileAttributesA(file_.c_str()), attributes);
}

// Only the file itself is left in the folder: the new text never stays
// behind in a temporary file.
int FilesIn(const std::string& folder) {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// The whole step, with the profile put back, the log read and the dialogs
// answered.
class ConfigSysStep : public ConfigSys {
protected:
    const std::string before_ = "DEVICE=C:\\DOS\\HIMEM.SYS\r\nfiles=30\r\n";
    const DWORD attributes_ = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;

    // Runs the step while another program holds the file open with `share`.
    void RunWhileHeld(DWORD share) {
        WriteBytes(file_, before_);
        SetFileAttributesA(file_.c_str(), attributes_);
        ASSERT_EQ(GetFileAttributesA(file_.c_str()), attributes_);
        UniqueHandle holder(
            CreateFileA(file_.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder.valid());
        ConfigureSystem(file_, folder_.File("no tools here"));
    }

    void ExpectReportedAndUntouched() {
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].message, "Eroare la actualizarea config.sys!");
        EXPECT_EQ(dialogs_.shown[0].caption, "Eroare...");
        EXPECT_TRUE(log_.HasNote("Exceptie la actualizare CONFIG.SYS"));
        EXPECT_EQ(ReadBytes(file_), before_);
        EXPECT_EQ(GetFileAttributesA(file_.c_str()), attributes_);
        EXPECT_EQ(FilesIn(folder_.Path()), 1);
    }

    KeptFile winIni_{WindowsFile("win.ini")};
    CapturedLog log_;
    DialogRecorder dialogs_;
};

TEST_F(ConfigSysStep, AFileThatCannotBeReplacedStaysAsItWasAndTheUserIsTold) {
    RunWhileHeld(FILE_SHARE_READ);  // no one may delete or rename it
    ExpectReportedAndUntouched();
}

TEST_F(ConfigSysStep, AFileThatCannotBeReadStaysAsItWasAndTheUserIsTold) {
    RunWhileHeld(0);
    ExpectReportedAndUntouched();
}

TEST_F(ConfigSysStep, AFileThatFailsPartWayStaysAsItWasAndTheUserIsTold) {
    const FailingLink link(file_);
    ASSERT_TRUE(link.Made()) << file_;
    ConfigureSystem(file_, folder_.Path() + "no tools here");
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].message, "Eroare la actualizarea config.sys!");
    EXPECT_TRUE(StillTheFailingLink(file_)) << "the file was replaced";
}

TEST_F(ConfigSysStep, AFolderInTheFilesPlaceIsReportedAndLeftAlone) {
    CreateDirectoryA(file_.c_str(), nullptr);
    ConfigureSystem(file_, folder_.Path());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].message, "Eroare la actualizarea config.sys!");
    EXPECT_TRUE(GetFileAttributesA(file_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FilesIn(folder_.Path()), 0);
}

TEST(SetupTools, CommandLinesNameTheProgramFolderAsGiven) {
    EXPECT_EQ(SetupToolCommands("C:\\WinKorv"),
              (std::array<std::string, 2>{"C:\\WinKorv\\HHUPD.EXE /Q",
                                          "C:\\WinKorv\\TREGSVR.EXE -Q C:\\WinKorv\\CFX32.OCX"}));
    EXPECT_EQ(SetupToolCommands("C:\\Program Files\\Korven"),
              (std::array<std::string, 2>{"\"C:\\Program Files\\Korven\\HHUPD.EXE\" /Q",
                                          "\"C:\\Program Files\\Korven\\TREGSVR.EXE\" -Q "
                                          "\"C:\\Program Files\\Korven\\CFX32.OCX\""}));
}

struct TraceLine {
    std::string program, commandLine;
    int showMode = -1;
};

std::vector<TraceLine> ReadTrace(const std::string& path) {
    std::vector<TraceLine> lines;
    std::istringstream text(ReadBytes(path));
    for (std::string line; std::getline(text, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
        if (fields.size() != 5) continue;
        lines.push_back({fields[1], fields[2], std::stoi(fields[4])});
    }
    return lines;
}

// The outside tools built beside the tests, copied into a program folder
// with blanks in its name and one without.
class SetupToolsRun : public ConfigSysStep {
protected:
    void RunIn(const std::string& programDir) {
        CreateDirectoryA(programDir.c_str(), nullptr);
        for (const char* tool : {"HHUPD.EXE", "TREGSVR.EXE"})
            ASSERT_TRUE(CopyFileA((ToolFolder() + tool).c_str(), (programDir + "\\" + tool).c_str(), FALSE));
        const std::string trace = folder_.File("trace.txt");
        DeleteFileA(trace.c_str());
        SetEnvironmentVariableA("KORVEN_TRACE", trace.c_str());
        ConfigureSystem(file_, programDir);
        SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
        const auto commands = SetupToolCommands(programDir);
        const auto lines = ReadTrace(trace);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].program, "HHUPD.EXE");
        EXPECT_EQ(lines[0].commandLine, commands[0]);
        EXPECT_EQ(lines[1].program, "TREGSVR.EXE");
        EXPECT_EQ(lines[1].commandLine, commands[1]);
        for (const TraceLine& line : lines) EXPECT_EQ(line.showMode, SW_MINIMIZE);
    }
    static std::string ToolFolder() {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder = path;
        return folder.substr(0, folder.rfind('\\') + 1);
    }
};

TEST_F(SetupToolsRun, BothToolsRunInOrderWithTheirCommandLines) {
    RunIn(folder_.File("WinKorv"));
    RunIn(folder_.File("Program Korven"));
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(ReadBytes(file_), "FILES=255\r\n");
}

TEST_F(SetupToolsRun, TheDefaultUserIsRecordedInTheProfile) {
    WriteProfileStringA("Korven", "LastUser", "Altcineva");
    ConfigureSystem(file_, folder_.Path());
    char user[64] = {};
    GetProfileStringA("Korven", "LastUser", "", user, sizeof user);
    EXPECT_STREQ(user, "Master");
}

TEST_F(SetupToolsRun, AToolEndsWithTheExitCodeItIsGiven) {
    SetEnvironmentVariableA("KORVEN_TOOL_EXIT", "7");
    EXPECT_EQ(ExecAndWait(ToolFolder() + "HHUPD.EXE /Q", SW_MINIMIZE), 7);
    SetEnvironmentVariableA("KORVEN_TOOL_EXIT", nullptr);
}

}  // namespace
