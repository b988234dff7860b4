// INSTALL.EXE started from a kit folder: the work copy it prepares, the
// note, the log switch and the failures a user can meet.
#include <windows.h>

#include <gtest/gtest.h>

#include "kit_run.h"
#include "program_path.h"

namespace {

const char* const LogPath = "C:\\korvinst.log";

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return bytes;
}

std::vector<std::string> LogEntries() {
    // Each line without its time stamp.
    std::vector<std::string> lines;
    const std::string text = ReadWholeFile(LogPath);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = text.substr(start, end - start);
        const size_t stamp = line.rfind(" <TIMP ");
        lines.push_back(stamp == std::string::npos ? line : line.substr(0, stamp));
    }
    return lines;
}

// Two sessions in the log: the kit's instance writes its begin line only,
// the work copy writes its own begin line and, last, its end line. What the
// work copy notes in between belongs to the wizard and is not counted here.
void ExpectKitAndWorkCopySessions(const std::vector<std::string>& lines) {
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "");
    EXPECT_TRUE(lines[1].starts_with("Begin debug session: INSTALL - ")) << lines[1];
    EXPECT_EQ(lines[2], "");
    EXPECT_TRUE(lines[3].starts_with("Begin debug session: INSTALL - ")) << lines[3];
    EXPECT_TRUE(lines.back().starts_with("End debug session: INSTALL - ")) << lines.back();
    size_t begins = 0;
    for (const auto& line : lines) begins += line.starts_with("Begin debug session: ");
    EXPECT_EQ(begins, 2u);
}

std::string WindowsFolder() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\";
}

const char* const WorkFileNames[] = {"INSTKORV.EXE", "UPGRADE.ZIP", "INSTKORV.CFG", "INSTKORV.DAT"};

void RemoveWorkCopy(const std::string& folder) {
    for (const char* name : WorkFileNames) DeleteFileA((folder + name).c_str());
}

class KitStart : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = "C:\\korven-e2e\\" + TestName();
        RemoveTree(root_);
        kit_ = root_ + "\\kit\\";
        work_ = root_ + "\\work\\";
        MakeFolders(root_ + "\\kit");
        MakeFolders(root_ + "\\work");
        LayKit(kit_);
        SetFileAttributesA(LogPath, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(LogPath);
    }
    void TearDown() override {
        RemoveTree(root_);
        DeleteFileA(LogPath);
    }

    void LayKit(const std::string& folder) {
        CopyFileA((ProgramFolder() + "INSTALL.EXE").c_str(), (folder + "INSTALL.EXE").c_str(), FALSE);
        // Sizes that are not a multiple of the copy's block.
        WriteWholeFile(folder + "UPGRADE.1", Pattern(5000));
        WriteWholeFile(folder + "INSTALL.CFG", "[General]\r\nNrDiscuri=2\r\n");
    }

    KitRun Start(const std::string& arguments) { return RunKit(kit_ + "INSTALL.EXE", arguments, work_); }

    void ExpectWorkCopyOf(const std::string& kit, const std::string& work) {
        ExpectSameBytes(work + "INSTKORV.EXE", kit + "INSTALL.EXE");
        ExpectSameBytes(work + "UPGRADE.ZIP", kit + "UPGRADE.1");
        ExpectSameBytes(work + "INSTKORV.CFG", kit + "INSTALL.CFG");
        EXPECT_EQ(ReadWholeFile(work + "INSTKORV.DAT"), kit + "\r\n");
    }
    static void ExpectSameBytes(const std::string& copy, const std::string& original) {
        const std::string copied = ReadWholeFile(copy);
        const std::string expected = ReadWholeFile(original);
        EXPECT_FALSE(expected.empty()) << original;
        EXPECT_EQ(copied.size(), expected.size()) << copy;
        EXPECT_TRUE(copied == expected) << copy << " differs from " << original;
    }

    std::string root_, kit_, work_;
};

TEST_F(KitStart, PreparesTheWorkCopyByteForByte) {
    const KitRun run = Start("");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.messages.empty());
    ExpectWorkCopyOf(kit_, work_);
    EXPECT_FALSE(FileExists(LogPath));
}

TEST_F(KitStart, NewStartOverwritesAnEarlierWorkCopy) {
    WriteWholeFile(work_ + "INSTKORV.CFG", std::string(9000, 'x'));
    WriteWholeFile(work_ + "INSTKORV.DAT", "D:\\old\\kit\\\r\n");
    Start("");
    ExpectWorkCopyOf(kit_, work_);
}

TEST_F(KitStart, LogSwitchCountsOnlyAsFirstOfTwoArguments) {
    Start("-log");
    EXPECT_FALSE(FileExists(LogPath)) << "a lone -log switches nothing on";
    Start("-LOG -LOG");
    EXPECT_FALSE(FileExists(LogPath)) << "the switch is case-sensitive";
    Start("x -log");
    EXPECT_FALSE(FileExists(LogPath)) << "the switch must come first";
}

TEST_F(KitStart, WorkCopyLogsAfterTheFirstInstancesBeginLine) {
    const KitRun run = Start("-log -log");
    EXPECT_EQ(run.exitCode, 0u);
    // The kit's instance ends without an end line; the work copy goes on.
    ExpectKitAndWorkCopySessions(LogEntries());
}

TEST_F(KitStart, MarkerFileInTheKitSwitchesLoggingOnForBothProcesses) {
    WriteWholeFile(kit_ + "debug.pas", "");
    Start("");
    ExpectKitAndWorkCopySessions(LogEntries());
}

TEST_F(KitStart, FolderNamedLikeTheMarkerSwitchesNothingOn) {
    MakeFolders(kit_ + "debug.pas");
    const KitRun run = Start("");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(FileExists(LogPath));
    ExpectWorkCopyOf(kit_, work_);
}

TEST_F(KitStart, WithoutTempTheWorkCopyGoesToTheWindowsFolder) {
    const KitRun run = RunKit(kit_ + "INSTALL.EXE", "", std::nullopt);
    EXPECT_EQ(run.exitCode, 0u);
    ExpectWorkCopyOf(kit_, WindowsFolder());
    RemoveWorkCopy(WindowsFolder());
}

TEST_F(KitStart, TempTooLongToStartAProgramFromActsAsMissing) {
    const std::string longTemp = work_ + std::string(260, 't');
    const KitRun run = RunKit(kit_ + "INSTALL.EXE", "-log -log", longTemp);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.messages.empty());
    const std::string windows = WindowsFolder();
    ExpectWorkCopyOf(kit_, windows);
    ExpectKitAndWorkCopySessions(LogEntries());
    RemoveWorkCopy(windows);
}

TEST_F(KitStart, WorkCopyWithAnEmptyNoteStartsWithAnEmptyKitFolder) {
    CopyFileA((kit_ + "INSTALL.EXE").c_str(), (work_ + "INSTKORV.EXE").c_str(), FALSE);
    WriteWholeFile(work_ + "INSTKORV.DAT", "\r\nD:\\second\\line\\\r\n");
    const KitRun run = RunKit(work_ + "INSTKORV.EXE", "-log -log", work_);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.messages.empty());
    const auto lines = LogEntries();
    ASSERT_GE(lines.size(), 3u) << ReadWholeFile(LogPath);
    EXPECT_TRUE(lines[1].starts_with("Begin debug session: INSTALL - "));
    EXPECT_TRUE(lines.back().starts_with("End debug session: INSTALL - "));
}

// Drive K: is a folder of the build tree, linked into the prefix by the
// test fixture.
TEST_F(KitStart, KitInADriveRootIsNotedWithOneBackslash) {
    ASSERT_TRUE(FileExists("K:\\")) << "drive K: is not set up";
    LayKit("K:\\");
    const KitRun run = RunKit("K:\\INSTALL.EXE", "", work_);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(work_ + "INSTKORV.DAT"), "K:\\\r\n");
}

TEST_F(KitStart, MissingKitFileIsReportedAndNothingIsLeftBehind) {
    DeleteFileA((kit_ + "INSTALL.CFG").c_str());
    const KitRun run = Start("-log -log");
    EXPECT_NE(run.exitCode, 0u);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_NE(run.messages[0].find("INSTALL.CFG"), std::string::npos) << run.messages[0];
    for (const char* name : WorkFileNames) EXPECT_FALSE(FileExists(work_ + name)) << name;
    // No work copy started: the log holds the kit's instance alone.
    EXPECT_EQ(LogEntries().size(), 3u) << ReadWholeFile(LogPath);
}

TEST_F(KitStart, ProgramUnderAnotherNameIsReportedAsAMissingKitFile) {
    MoveFileA((kit_ + "INSTALL.EXE").c_str(), (kit_ + "SETUP.EXE").c_str());
    const KitRun run = RunKit(kit_ + "SETUP.EXE", "", work_);
    EXPECT_NE(run.exitCode, 0u);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_NE(run.messages[0].find("INSTALL.EXE"), std::string::npos) << run.messages[0];
    EXPECT_FALSE(FileExists(work_ + "INSTKORV.DAT"));
}

TEST_F(KitStart, WorkFileThatCannotBeReplacedIsReported) {
    // Held open without sharing, as by a work copy of an earlier start.
    WriteWholeFile(work_ + "INSTKORV.CFG", "kept");
    HANDLE holder = CreateFileA((work_ + "INSTKORV.CFG").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const KitRun run = Start("");
    CloseHandle(holder);
    EXPECT_NE(run.exitCode, 0u);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_NE(run.messages[0].find("INSTKORV.CFG"), std::string::npos) << run.messages[0];
    EXPECT_EQ(ReadWholeFile(work_ + "INSTKORV.CFG"), "kept");
    EXPECT_FALSE(FileExists(work_ + "INSTKORV.EXE")) << "the files copied before are removed again";
    EXPECT_FALSE(FileExists(work_ + "INSTKORV.DAT"));
}

}  // namespace
