// The Win32 side of the seam with real windows: the notify window receives
// WM_COMMAND with the percentage cell and may stop the member, and messages
// posted before an extraction are dispatched while it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/zip_engine.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

constexpr WPARAM kProgressCommand = 4242;

struct WindowLog {
    std::vector<uint16_t> percents;
    uint16_t stopAt = 0xFFFF;  // reply 0xFFFF once the percentage reaches this
    int appMessages = 0;
};
WindowLog* activeLog = nullptr;

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == kProgressCommand && activeLog) {
        auto* cell = reinterpret_cast<uint16_t*>(lParam);
        activeLog->percents.push_back(*cell);
        if (*cell >= activeLog->stopAt) *cell = 0xFFFF;
        return 0;
    }
    if (message == WM_APP && activeLog) {
        ++activeLog->appMessages;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A hidden top-level window of its own class, destroyed with the test.
class NotifyWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = NotifyProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KorvenUnzipNotifyTest";
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowA("KorvenUnzipNotifyTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        activeLog = &log_;
        ZipBuilder().Add(DeflatedMember("D.DAT", PseudoRandomBytes(300000, 31))).WriteTo(scratch_.Path("kit.zip"));
    }
    void TearDown() override {
        activeLog = nullptr;
        ::DestroyWindow(window_);
    }
    int Extract() {
        return ExtractMember(scratch_.Path("kit.zip"), scratch_.Path("out.dat"), 0,
                             reinterpret_cast<NotifyWindow>(window_), kProgressCommand);
    }

    ScratchFolder scratch_;
    HWND window_ = nullptr;
    WindowLog log_;
};

TEST_F(NotifyWindowFixture, ReceivesThePercentagesUpTo100) {
    ASSERT_EQ(Extract(), kOk);
    ASSERT_GE(log_.percents.size(), 3u);
    EXPECT_TRUE(std::is_sorted(log_.percents.begin(), log_.percents.end()));
    EXPECT_EQ(log_.percents.back(), 100);
}

TEST_F(NotifyWindowFixture, ItsReply65535StopsTheMember) {
    log_.stopAt = 30;
    EXPECT_EQ(Extract(), kAborted);
    EXPECT_FALSE(platform::FileExists(scratch_.Path("out.dat")));
}

TEST_F(NotifyWindowFixture, WaitingMessagesAreDispatchedDuringTheExtraction) {
    ::PostMessageA(window_, WM_APP, 0, 0);
    ASSERT_EQ(Extract(), kOk);
    EXPECT_EQ(log_.appMessages, 1);
}

}  // namespace
}  // namespace korven::unzip::test
