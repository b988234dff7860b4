// INSTALL.EXE started from a kit folder: the work copy it prepares, the
// note, the log switch and the failures a user can meet.
#include <windows.h>

#include <gtest/gtest.h>

#include "kit_run.h"
#include "core/program_path.h"

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

// The session lines of the log, in order, with the empty separator that
// comes before each begin line; what a process notes between them (the
// toolkit's start, the wizard's steps) is its own business and left out.
std::vector<std::string> SessionLines(const std::vector<std::string>& lines) {
    std::vector<std::string> sessions;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool begin = lines[i].starts_with("Begin debug session: ");
        if (begin && i > 0) sessions.push_back(lines[i - 1]);
        if (begin || lines[i].starts_with("End debug session: ")) sessions.push_back(lines[i]);
    }
    return sessions;
}

// Two sessions in the log: the kit's instance writes its begin line only,
// the work copy writes its own begin line and, last, its end line.
void ExpectKitAndWorkCopySessions(const std::vector<std::string>& lines) {
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "");
    const std::vector<std::string> sessions = SessionLines(lines);
    ASSERT_EQ(sessions.size(), 5u);
    EXPECT_EQ(sessions[0], "");
    EXPECT_TRUE(sessions[1].starts_with("Begin debug session: INSTALL - ")) << sessions[1];
    EXPECT_EQ(sessions[2], "");
    EXPECT_TRUE(sessions[3].starts_with("Begin debug session: INSTALL - ")) << sessions[3];
    EXPECT_TRUE(sessions[4].starts_with("End debug session: INSTALL - ")) << sessions[4];
    EXPECT_EQ(sessions[4], lines.back());
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

    // The work copy has run by now: on a computer without an installation it
    // removes the upgrade archive it was given, unopened (the upgrade tests
    // see the library it carries arrive).
    void ExpectWorkCopyOf(const std::string& kit, const std::string& work) {
        ExpectSameBytes(work + "INSTKORV.EXE", kit + "INSTALL.EXE");
        EXPECT_FALSE(PathExists(work + "UPGRADE.ZIP")) << "the upgrade archive was left in " << work;
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
    EXPECT_TRUE(run.dialogs.empty());
    ExpectWorkCopyOf(kit_, work_);
    EXPECT_FALSE(PathExists(LogPath));
}

TEST_F(KitStart, NewStartOverwritesAnEarlierWorkCopy) {
    WriteWholeFile(work_ + "INSTKORV.CFG", std::string(9000, 'x'));
    WriteWholeFile(work_ + "INSTKORV.DAT", "D:\\old\\kit\\\r\n");
    Start("");
    ExpectWorkCopyOf(kit_, work_);
}

TEST_F(KitStart, LogSwitchCountsOnlyAsFirstOfTwoArguments) {
    Start("-log");
    EXPECT_FALSE(PathExists(LogPath)) << "a lone -log switches nothing on";
    Start("-LOG -LOG");
    EXPECT_FALSE(PathExists(LogPath)) << "the switch is case-sensitive";
    Start("x -log");
    EXPECT_FALSE(PathExists(LogPath)) << "the switch must come first";
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
    EXPECT_FALSE(PathExists(LogPath));
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
    EXPECT_TRUE(run.dialogs.empty());
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
    EXPECT_TRUE(run.dialogs.empty());
    const auto lines = LogEntries();
    ASSERT_GE(lines.size(), 3u) << ReadWholeFile(LogPath);
    EXPECT_TRUE(lines[1].starts_with("Begin debug session: INSTALL - "));
    EXPECT_TRUE(lines.back().starts_with("End debug session: INSTALL - "));
}

// Drive K: is a folder of the build tree, linked into the prefix by the
// test fixture.
TEST_F(KitStart, KitInADriveRootIsNotedWithOneBackslash) {
    ASSERT_TRUE(PathExists("K:\\")) << "drive K: is not set up";
    LayKit("K:\\");
    const KitRun run = RunKit("K:\\INSTALL.EXE", "", work_);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(work_ + "INSTKORV.DAT"), "K:\\\r\n");
}

TEST_F(KitStart, MissingKitFileIsReportedAndNothingIsLeftBehind) {
    DeleteFileA((kit_ + "INSTALL.CFG").c_str());
    const KitRun run = Start("-log -log");
    EXPECT_NE(run.exitCode, 0u);
    ASSERT_EQ(run.dialogs.size(), 1u);
    EXPECT_NE(run.dialogs[0].text.find("INSTALL.CFG"), std::string::npos) << run.dialogs[0].text;
    EXPECT_EQ(run.dialogs[0].caption, "EROARE !");
    EXPECT_EQ(run.dialogs[0].buttons, "OK   ");
    for (const char* name : WorkFileNames) EXPECT_FALSE(PathExists(work_ + name)) << name;
    // No work copy started: the log holds the kit's instance alone.
    const std::vector<std::string> sessions = SessionLines(LogEntries());
    ASSERT_EQ(sessions.size(), 2u) << ReadWholeFile(LogPath);
    EXPECT_TRUE(sessions[1].starts_with("Begin debug session: INSTALL - ")) << sessions[1];
}

// A log held open without sharing by another program stands for any log
// that cannot be written: a read-only attribute does not stop an
// administrator under every system the tests run on.
TEST_F(KitStart, LogThatCannotBeWrittenIsReportedOnceAndTheStartGoesOn) {
    WriteWholeFile(LogPath, "");
    HANDLE holder = CreateFileA(LogPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const KitRun run = Start("-log -log");
    CloseHandle(holder);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.dialogs.size(), 1u);
    EXPECT_EQ(run.dialogs[0].caption, "Atentie !");
    EXPECT_EQ(run.dialogs[0].text, "0\r\neroare SCRIERE debug");
    EXPECT_EQ(run.dialogs[0].buttons, "OK   ");
    // Logging is off after the failure, so the work copy is started without it.
    ExpectWorkCopyOf(kit_, work_);
    EXPECT_EQ(ReadWholeFile(LogPath), "");
}

TEST_F(KitStart, ProgramUnderAnotherNameIsReportedAsAMissingKitFile) {
    MoveFileA((kit_ + "INSTALL.EXE").c_str(), (kit_ + "SETUP.EXE").c_str());
    const KitRun run = RunKit(kit_ + "SETUP.EXE", "", work_);
    EXPECT_NE(run.exitCode, 0u);
    ASSERT_EQ(run.dialogs.size(), 1u);
    EXPECT_NE(run.dialogs[0].text.find("INSTALL.EXE"), std::string::npos) << run.dialogs[0].text;
    EXPECT_FALSE(PathExists(work_ + "INSTKORV.DAT"));
}

TEST_F(KitStart, WorkFileThatCannotBeReplacedIsReported) {
    // Held open without sharing, as by a work copy of an earlier start.
    WriteWholeFile(work_ + "INSTKORV.CFG", "kept");
    HANDLE holder = CreateFileA((work_ + "INSTKORV.CFG").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const KitRun run = Start("");
    CloseHandle(holder);
    EXPECT_NE(run.exitCode, 0u);
    ASSERT_EQ(run.dialogs.size(), 1u);
    EXPECT_NE(run.dialogs[0].text.find("INSTKORV.CFG"), std::string::npos) << run.dialogs[0].text;
    EXPECT_EQ(ReadWholeFile(work_ + "INSTKORV.CFG"), "kept");
    EXPECT_FALSE(PathExists(work_ + "INSTKORV.EXE")) << "the files copied before are removed again";
    EXPECT_FALSE(PathExists(work_ + "INSTKORV.DAT"));
}

// Switches are checked before anything is copied: a refusal leaves the
// work folder as it was.
TEST_F(KitStart, RefusedSwitchesEndWithCodeFourOnStandardErrorAndInTheLog) {
    const UnattendedRun run = RunUnattended(kit_ + "INSTALL.EXE", "/UNATTENDED /TYPE=BOGUS", work_, 30000);
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_NE(run.errors.find("/TYPE nu accepta valoarea \"BOGUS\""), std::string::npos) << run.errors;
    EXPECT_TRUE(run.errors.ends_with("\r\n")) << run.errors;
    for (const char* name : WorkFileNames) EXPECT_FALSE(PathExists(work_ + name)) << name;
    EXPECT_NE(ReadWholeFile(LogPath).find("Optiuni refuzate: Optiunea /TYPE"), std::string::npos);
}

TEST_F(KitStart, SwitchesTypedByAPersonAreRefusedInADialog) {
    const KitRun run = Start("/TIP=LOCAL");
    EXPECT_EQ(run.exitCode, 4u);
    ASSERT_EQ(run.dialogs.size(), 1u);
    EXPECT_NE(run.dialogs[0].text.find("/TIP=LOCAL"), std::string::npos) << run.dialogs[0].text;
    EXPECT_FALSE(PathExists(work_ + "INSTKORV.EXE"));
}

TEST_F(KitStart, HelpListsTheSwitchesAndExitCodesAndCopiesNothing) {
    const KitRun run = Start("/?");
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.dialogs.size(), 1u);
    for (const char* part : {"/UNATTENDED", "/TYPE=LOCAL|SERVER|CLIENT", "/DIR=folder", "/DATA=folder",
                             "/RESTART=NO|YES", "/SERVERUPGRADE=NO|YES", "/ANSWERS=fisier", "[Instalare]",
                             "DEZINST.EXE /UNINSTALL [/UNATTENDED [/REMOVEDATA=NO|YES]]",
                             "0 - instalat, actualizat sau dezinstalat", "2 - renuntat", "4 - optiuni gresite"})
        EXPECT_NE(run.dialogs[0].text.find(part), std::string::npos) << part;
    EXPECT_FALSE(PathExists(work_ + "INSTKORV.EXE"));
    EXPECT_FALSE(PathExists(LogPath));
}

// Nobody is there to answer: the failure goes to the script, not a dialog.
TEST_F(KitStart, UnattendedKitThatCannotBePreparedEndsWithCodeOne) {
    DeleteFileA((kit_ + "INSTALL.CFG").c_str());
    const UnattendedRun run = RunUnattended(kit_ + "INSTALL.EXE", "/UNATTENDED", work_, 30000);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.errors.find("INSTALL.CFG"), std::string::npos) << run.errors;
    for (const char* name : WorkFileNames) EXPECT_FALSE(PathExists(work_ + name)) << name;
    EXPECT_NE(ReadWholeFile(LogPath).find("Lipseste fisierul"), std::string::npos) << "the log is on unattended";
}

}  // namespace
