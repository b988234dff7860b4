#include <windows.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/debug_log.h"
#include "toolkit/message_dialog.h"
#include "core/user_interface.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        path_ = std::string(folder) + "korvinst-test-" + std::to_string(GetCurrentProcessId()) + ".log";
        Remove();
        StartUserInterface();
        // Every dialog is read and answered with its default button.
        SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
            messages_.push_back(dialog.Message());
            captions_.push_back(dialog.Caption());
            dialog.ClickDefaultButtons();
        });
        DebugEnabled = true;
    }
    void TearDown() override {
        DebugClose();  // no test leaves a log open for the next one
        SetMessageDialogWatcher(nullptr);
        Remove();
    }
    void Remove() {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
    }

    // The lines of the log with their time stamps checked and cut off.
    std::vector<std::string> Lines() {
        static const std::regex stamp(R"( <TIMP \d\d:\d\d:\d\d\.\d\d\d > $)");
        std::vector<std::string> lines;
        const std::string text = ReadFile(path_);
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            std::string line = text.substr(start, end - start);
            std::smatch match;
            EXPECT_TRUE(std::regex_search(line, match, stamp)) << "no time stamp: " << line;
            lines.push_back(line.substr(0, line.size() - match.length()));
        }
        EXPECT_EQ(start, text.size()) << "last line without CR LF";
        return lines;
    }

    std::string path_;
    std::vector<std::string> messages_, captions_;
};

TEST_F(DebugLogTest, NestedStepsLineUpAndNotesIndentByDepth) {
    DebugOpen(path_, "INSTALL");
    DebugNote("Confirmat");
    DebugBegin("A");
    DebugNote("in A");
    DebugBegin("B");
    DebugNote("in B");
    DebugBegin("C");
    DebugEnd("C");
    DebugEnd("B");
    DebugEnd("A");
    DebugClose();

    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "");
    EXPECT_TRUE(lines[1].starts_with("Begin debug session: INSTALL - ")) << lines[1];
    EXPECT_EQ(lines[2], "  *       Confirmat");
    EXPECT_EQ(lines[3], "BEGIN => A");
    EXPECT_EQ(lines[4], "    *       in A");
    EXPECT_EQ(lines[5], " | |BEGIN => B");
    EXPECT_EQ(lines[6], "      *       in B");
    EXPECT_EQ(lines[7], " | | |BEGIN => C");
    EXPECT_EQ(lines[8], " | | |END <- C");
    EXPECT_EQ(lines[9], " | |END <- B");
    EXPECT_EQ(lines[10], "END <- A");
    EXPECT_TRUE(lines[11].starts_with("End debug session: INSTALL - ")) << lines[11];
    EXPECT_FALSE(DebugEnabled);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(DebugLogTest, TimeStampHasTwoDigitFieldsAndMilliseconds) {
    EXPECT_EQ(DebugTimeStamp(9, 5, 7, 42), " <TIMP 09:05:07.042 > ");
}

TEST_F(DebugLogTest, NewRunIsAppendedAfterWhatEarlierRunsLeft) {
    std::ofstream(path_, std::ios::binary) << "earlier run <TIMP 01:02:03.004 > \r\n";
    DebugOpen(path_, "INSTALL");
    DebugClose();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "earlier run");
    EXPECT_EQ(lines[1], "");
}

// Another program holding the log without sharing stands for any log that
// cannot be written: a read-only attribute does not stop an administrator
// under every system the tests run on.
TEST_F(DebugLogTest, UnwritableLogIsReportedOnceAndTheRunGoesOn) {
    std::ofstream(path_, std::ios::binary) << "";
    HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    DebugOpen(path_, "INSTALL");
    DebugBegin("DoConfigBDE");
    DebugNote("after the failure");
    DebugEnd("DoConfigBDE");
    DebugClose();

    CloseHandle(holder);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "0\reroare SCRIERE debug");
    EXPECT_EQ(captions_[0], "Atentie !") << "the log's failures have no caption of their own";
    EXPECT_FALSE(DebugEnabled);
    EXPECT_EQ(ReadFile(path_), "");
}

TEST_F(DebugLogTest, LogThatCannotBeCreatedIsReportedOnce) {
    path_ = "C:\\no-such-folder-korven\\korvinst.log";
    DebugOpen(path_, "INSTALL");
    DebugNote("lost");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "0\reroare OPEN debug");
    EXPECT_FALSE(DebugEnabled);
}

TEST_F(DebugLogTest, FolderInTheLogsPlaceIsReportedAsNotOpened) {
    ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
    DebugOpen(path_, "INSTALL");
    DebugNote("lost");
    RemoveDirectoryA(path_.c_str());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "0\reroare OPEN debug");
    EXPECT_FALSE(DebugEnabled);
}

// "debug.pas" switches logging on when the program starts, long before the
// log has a file: what comes before DebugOpen is not a failure to report.
TEST_F(DebugLogTest, CallsBeforeTheLogIsOpenedDoNothing) {
    DebugWrite("too early");
    DebugBegin("A");
    DebugNote("x");
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(DebugEnabled);

    DebugOpen(path_, "INSTALL");
    DebugBegin("B");
    DebugEnd("B");
    DebugClose();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "BEGIN => B") << "the early step left the depth alone";
    EXPECT_EQ(lines[3], "END <- B");
}

TEST_F(DebugLogTest, NothingIsWrittenWhileLoggingIsOff) {
    DebugEnabled = false;
    DebugOpen(path_, "INSTALL");
    DebugBegin("A");
    DebugNote("x");
    DebugEnd("A");
    DebugClose();
    EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
