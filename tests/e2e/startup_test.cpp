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
        EXPECT_EQ(ReadWholeFile(work + "INSTKORV.EXE"), ReadWholeFile(kit + "INSTALL.EXE"));
        EXPECT_EQ(ReadWholeFile(work + "UPGRADE.ZIP"), ReadWholeFile(kit + "UPGRADE.1"));
        EXPECT_EQ(ReadWholeFile(work + "INSTKORV.CFG"), ReadWholeFile(kit + "INSTALL.CFG"));
        EXPECT_EQ(ReadWholeFile(work + "INSTKORV.DAT"), kit + "\r\n");
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
    const auto lines = LogEntries();
    ASSERT_EQ(lines.size(), 6u) << ReadWholeFile(LogPath);
    EXPECT_EQ(lines[0], "");
    EXPECT_TRUE(lines[1].starts_with("Begin debug session: INSTALL - "));
    // The kit's instance ends without an end line; the work copy goes on.
    EXPECT_EQ(lines[2], "");
    EXPECT_TRUE(lines[3].starts_with("Begin debug session: INSTALL - "));
    EXPECT_NE(lines[4].find(kit_), std::string::npos) << "the work copy read the note: " << lines[4];
    EXPECT_TRUE(lines[5].starts_with("End debug session: INSTALL - "));
}

TEST_F(KitStart, MarkerFileInTheKitSwitchesLoggingOnForBothProcesses) {
    WriteWholeFile(kit_ + "debug.pas", "");
    Start("");
    const auto lines = LogEntries();
    ASSERT_EQ(lines.size(), 6u) << ReadWholeFile(LogPath);
    EXPECT_TRUE(lines[5].starts_with("End debug session: INSTALL - "));
}

TEST_F(KitStart, WithoutTempTheWorkCopyGoesToTheWindowsFolder) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string folder = std::string(windows) + "\\";
    const KitRun run = RunKit(kit_ + "INSTALL.EXE", "", std::nullopt);
    EXPECT_EQ(run.exitCode, 0u);
    ExpectWorkCopyOf(kit_, folder);
    for (const char* name : {"INSTKORV.EXE", "UPGRADE.ZIP", "INSTKORV.CFG", "INSTKORV.DAT"})
        DeleteFileA((folder + name).c_str());
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
    for (const char* name : {"INSTKORV.EXE", "UPGRADE.ZIP", "INSTKORV.CFG", "INSTKORV.DAT"})
        EXPECT_FALSE(FileExists(work_ + name)) << name;
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
