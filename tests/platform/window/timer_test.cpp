// Timers on the virtual clock: ids, callbacks, killing during dispatch, idle advancing.
#include "system/clock.h"
#include "testing/virtual_clock.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

struct Fired {
    HWND hwnd;
    UINT_PTR id;
    std::uint64_t at;
};

std::vector<Fired> g_fired;

void CALLBACK record_timer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    g_fired.push_back(Fired{hwnd, id, lv::clock::now_ms()});
}

void CALLBACK kill_self(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    g_fired.push_back(Fired{hwnd, id, lv::clock::now_ms()});
    KillTimer(hwnd, id);
}

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        g_fired.clear();
        recorder.handler = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
            if (msg == WM_TIMER)
                g_fired.push_back(Fired{hwnd, wParam, lv::clock::now_ms()});
            if (msg == WM_TIMER && wParam == 99)
                PostQuitMessage(0);
            return false;
        };
        window = recorder.create("timers", WS_POPUP, 0, 0, 10, 10);
    }
    void TearDown() override { DestroyWindow(window); }
    // Runs the message loop until WM_QUIT, as an application does.
    void run_loop() {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
    }
    lv::testing::VirtualClockScope virtual_clock;
    wintest::Recorder recorder;
    HWND window = nullptr;
};

TEST_F(Timers, IdleLoopAdvancesTheVirtualClockToEachDeadlineInOrder) {
    std::uint64_t start = lv::clock::now_ms();
    EXPECT_EQ(SetTimer(window, 11, 1000, nullptr), 11u);
    EXPECT_EQ(SetTimer(window, 12, 300, nullptr), 12u);
    EXPECT_EQ(SetTimer(window, 99, 2500, nullptr), 99u);
    run_loop();
    std::vector<std::pair<UINT_PTR, std::uint64_t>> seen;
    for (const Fired& f : g_fired)
        seen.emplace_back(f.id, f.at - start);
    std::vector<std::pair<UINT_PTR, std::uint64_t>> expected = {
        {12, 300},  {12, 600},  {12, 900},  {11, 1000}, {12, 1200}, {12, 1500},
        {12, 1800}, {11, 2000}, {12, 2100}, {12, 2400}, {99, 2500}};
    EXPECT_EQ(seen, expected);
    KillTimer(window, 11);
    KillTimer(window, 12);
    KillTimer(window, 99);
}

TEST_F(Timers, ThreadTimersGetTheirOwnIdsAndCallTheirProcedure) {
    UINT_PTR a = SetTimer(nullptr, 0, 100, record_timer);
    UINT_PTR b = SetTimer(nullptr, 0, 100, record_timer);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(SetTimer(nullptr, a, 150, record_timer), a); // same id: the timer is reset
    SetTimer(window, 99, 190, nullptr);
    run_loop();
    KillTimer(nullptr, a);
    KillTimer(nullptr, b);
    ASSERT_EQ(g_fired.size(), 3u);
    EXPECT_EQ(g_fired[0].id, b);
    EXPECT_EQ(g_fired[0].hwnd, nullptr);
    EXPECT_EQ(g_fired[1].id, a);
    EXPECT_EQ(g_fired[2].id, 99u);
    KillTimer(window, 99);
}

TEST_F(Timers, KillDuringDispatchStopsTheTimer) {
    SetTimer(window, 5, 100, kill_self);
    SetTimer(window, 99, 1000, nullptr);
    run_loop();
    ASSERT_EQ(g_fired.size(), 2u);
    EXPECT_EQ(g_fired[0].id, 5u);
    EXPECT_EQ(g_fired[1].id, 99u);
    EXPECT_FALSE(KillTimer(window, 5));
    KillTimer(window, 99);
}

TEST_F(Timers, KilledTimerMessageAlreadyTakenCallsNothing) {
    SetTimer(window, 6, 100, record_timer);
    lv::testing::advance(100);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    KillTimer(window, 6);
    DispatchMessageA(&msg);
    EXPECT_TRUE(g_fired.empty());
}

TEST_F(Timers, TimerMessagesWaitForOtherMessagesAndTimersOfDestroyedWindowsStop) {
    SetTimer(window, 7, 100, nullptr);
    lv::testing::advance(500);
    PostMessageA(window, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    // One message for however many intervals passed.
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    lv::testing::advance(100);
    DestroyWindow(window);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    window = recorder.create("again", WS_POPUP, 0, 0, 10, 10);
}

TEST_F(Timers, SetTimerOnAnotherThreadsWindowFails) {
    HWND w = window;
    UINT_PTR result = 1;
    std::thread([&] { result = SetTimer(w, 1, 100, nullptr); }).join();
    EXPECT_EQ(result, 0u);
}

} // namespace

namespace {

TEST_F(Timers, IdsArePointerSized) {
    const UINT_PTR big = static_cast<UINT_PTR>(0x123456789ABCull);
    EXPECT_EQ(SetTimer(window, big, 50, nullptr), big);
    SetTimer(window, 99, 60, nullptr);
    run_loop();
    ASSERT_EQ(g_fired.size(), 2u);
    EXPECT_EQ(g_fired[0].id, big);
    EXPECT_TRUE(KillTimer(window, big));
    KillTimer(window, 99);
}

TEST_F(Timers, WaitMessageReturnsWhenATimerIsDue) {
    SetTimer(window, 8, 250, nullptr);
    std::uint64_t start = lv::clock::now_ms();
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(lv::clock::now_ms() - start, 250u);
    EXPECT_TRUE(GetQueueStatus(QS_TIMER) & QS_TIMER);
    KillTimer(window, 8);
}

} // namespace
