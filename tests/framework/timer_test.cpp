// User-interface timers: the shortest interval, one shared window, and
// timers that die with their owner, even from inside their own tick.
#include "framework/application.h"
#include "framework/extctrls.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Handles messages until done() or two seconds have passed.
bool PumpUntil(const std::function<bool()>& done) {
    DWORD end = GetTickCount() + 2000;
    while (!done() && GetTickCount() < end) {
        Application().ProcessMessages();
        Sleep(1);
    }
    return done();
}

int MessageOnlyWindowsOfThisThread() {
    int count = 0;
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) ++count;
    return count;
}

TEST(TimerTest, IntervalZeroTicksAsOftenAsTheSystemAllows) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(0);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    int stopped = ticks;
    PumpUntil([] { return false; });
    EXPECT_EQ(ticks, stopped) << "a disabled timer is silent";
}

TEST(TimerTest, ManyTimersShareOneWindow) {
    TComponent owner(nullptr);
    TTimer first(&owner);  // the shared window exists from here on
    int before = MessageOnlyWindowsOfThisThread();
    int ticked = 0;
    for (int i = 0; i < 40; ++i) {
        auto* timer = new TTimer(&owner);
        timer->SetInterval(10);
        timer->OnTimer = [&ticked, timer](TObject*) {
            ++ticked;
            timer->SetEnabled(false);
        };
    }
    EXPECT_EQ(MessageOnlyWindowsOfThisThread(), before);
    EXPECT_TRUE(PumpUntil([&] { return ticked == 40; })) << ticked;
}

TEST(TimerTest, TimerFreeingItsOwnerFromItsOwnTickStopsThere) {
    auto* owner = new TComponent(nullptr);
    auto* doomed = new TTimer(owner);
    doomed->SetInterval(0);
    int doomedTicks = 0;
    doomed->OnTimer = [&](TObject*) {
        ++doomedTicks;
        delete owner;
    };
    TTimer survivor(nullptr);
    survivor.SetInterval(0);
    int survivorTicks = 0;
    survivor.OnTimer = [&](TObject*) { ++survivorTicks; };
    EXPECT_TRUE(PumpUntil([&] { return survivorTicks >= 5; }));
    EXPECT_EQ(doomedTicks, 1);
}

TEST(TimerTest, TickForATimerThatIsGoneIsDropped) {
    int ticks = 0;
    {
        TTimer timer(nullptr);
        timer.OnTimer = [&](TObject*) { ++ticks; };
        timer.SetInterval(50);
    }
    HWND shared = FindWindowExA(HWND_MESSAGE, nullptr, "Korven.Timers", nullptr);
    ASSERT_TRUE(shared);
    for (UINT_PTR id = 0; id < 2000; ++id) PostMessageA(shared, WM_TIMER, id, 0);
    Application().ProcessMessages();
    EXPECT_EQ(ticks, 0);
}

}  // namespace
