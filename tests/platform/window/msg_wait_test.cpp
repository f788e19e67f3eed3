// Waiting on objects and the message queue at once: an event, a thread's end, a posted
// message, a message sent by the thread waited for, and the time-out on the virtual clock.
#include "testing/virtual_clock.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

constexpr UINT kPing = WM_USER + 7;

std::atomic<int> g_pings{0};

LRESULT CALLBACK ping_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kPing) {
        ++g_pings;
        return 77;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND make_window() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ping_proc;
    wc.lpszClassName = "MsgWaitPing";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "MsgWaitPing", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

void drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

TEST(MsgWaitTest, WakesOnTheObjectOrOnTheQueueWhicheverComesFirst) {
    drain();
    HANDLE events[2] = {CreateEventA(nullptr, FALSE, FALSE, nullptr),
                        CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    // The second object signalled from another thread.
    HANDLE setter = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
            SetEvent(static_cast<HANDLE>(p));
            return 0;
        },
        events[1], 0, nullptr);
    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT),
              WAIT_OBJECT_0 + 1);
    WaitForSingleObject(setter, INFINITE);
    CloseHandle(setter);
    ResetEvent(events[1]);

    // A posted message ends the wait with the index after the objects.
    HWND window = make_window();
    PostMessageA(window, kPing, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_POSTMESSAGE),
              WAIT_OBJECT_0 + 2);
    // ...but not when the mask does not name it.
    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, FALSE, 0, QS_SENDMESSAGE), WAIT_TIMEOUT);
    drain();

    // An automatic-reset event is taken by the wait that it ends.
    SetEvent(events[0]);
    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);

    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, TRUE, 0, QS_ALLINPUT), WAIT_FAILED)
        << "waiting for all at once is not served";
    CloseHandle(events[1]);
    EXPECT_EQ(MsgWaitForMultipleObjects(2, events, FALSE, 0, QS_ALLINPUT), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    CloseHandle(events[0]);
    DestroyWindow(window);
}

TEST(MsgWaitTest, ServesMessagesSentByTheThreadItWaitsFor) {
    drain();
    g_pings = 0;
    HWND window = make_window();
    // The thread can only end once its send was answered on this thread.
    HANDLE sender = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
            return static_cast<DWORD>(SendMessageA(static_cast<HWND>(p), kPing, 0, 0));
        },
        window, 0, nullptr);
    DWORD result = 0;
    do
        result = MsgWaitForMultipleObjects(1, &sender, FALSE, INFINITE, QS_SENDMESSAGE);
    while (result == WAIT_OBJECT_0 + 1);
    EXPECT_EQ(result, WAIT_OBJECT_0);
    EXPECT_EQ(g_pings.load(), 1);
    DWORD code = 0;
    GetExitCodeThread(sender, &code);
    EXPECT_EQ(code, 77u);
    CloseHandle(sender);
    DestroyWindow(window);
}

TEST(MsgWaitTest, TimesOutOnTheVirtualClockWithoutMovingIt) {
    lv::testing::VirtualClockScope clock;
    drain();
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const DWORD start = GetTickCount();
    HANDLE advancer = CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            // Only once the wait has taken its deadline: moved earlier, the clock would stop
            // short of a deadline 250 ms further on.
            if (!lv::testing::wait_for_waiter())
                return 1;
            lv::testing::advance(250);
            return 0;
        },
        nullptr, 0, nullptr);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 250, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_EQ(GetTickCount() - start, 250u);
    WaitForSingleObject(advancer, INFINITE);
    DWORD advanced = 1;
    GetExitCodeThread(advancer, &advanced);
    EXPECT_EQ(advanced, 0u) << "the wait never began";
    CloseHandle(advancer);
    CloseHandle(event);
}

} // namespace
