// Threads and events: signalled and reset states, automatic and manual reset, time-outs on the
// process clock, thread ends and exit codes, and handles that cannot be waited on.
#include "testing/virtual_clock.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(EventTest, AutomaticResetReleasesOneWaitManualResetStaysSignalled) {
    HANDLE automatic = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    HANDLE manual = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(automatic, nullptr);
    ASSERT_NE(manual, nullptr);

    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0) << "created signalled";
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT) << "the wait reset it";
    EXPECT_TRUE(SetEvent(automatic));
    EXPECT_TRUE(ResetEvent(automatic));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);

    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0) << "manual reset stays set";
    EXPECT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    EXPECT_TRUE(CloseHandle(automatic));
    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_FALSE(SetEvent(manual));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
    EXPECT_EQ(CreateEventA(nullptr, FALSE, FALSE, "named"), nullptr) << "named events not served";
}

// Virtual time moves only when told to, so the waiter's deadline is set before the test moves
// it: the waiter says when it is about to wait, and real time is given for it to start.
struct TimedWait {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE entering = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD timeout = 0;
    std::atomic<DWORD> waited{0};
};

DWORD CALLBACK TimedWaiter(LPVOID p) {
    auto* w = static_cast<TimedWait*>(p);
    const DWORD start = GetTickCount();
    SetEvent(w->entering);
    const DWORD result = WaitForSingleObject(w->event, w->timeout);
    w->waited = GetTickCount() - start;
    return result;
}

HANDLE StartWaiter(TimedWait& w) {
    HANDLE thread = CreateThread(nullptr, 0, TimedWaiter, &w, 0, nullptr);
    WaitForSingleObject(w.entering, INFINITE);
    // The clock moves only once the wait has taken its deadline.
    EXPECT_TRUE(lv::testing::wait_for_waiter());
    return thread;
}

TEST(EventTest, ATimedWaitEndsOnTheVirtualClockOrWhenAnotherThreadSignals) {
    lv::testing::VirtualClockScope clock;
    TimedWait w;
    w.timeout = 500;
    HANDLE waiter = StartWaiter(w);
    ASSERT_NE(waiter, nullptr);
    // Real time passes, virtual time does not: the wait goes on.
    EXPECT_EQ(WaitForSingleObject(waiter, 0), WAIT_TIMEOUT);
    lv::testing::advance(499);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(WaitForSingleObject(waiter, 0), WAIT_TIMEOUT);
    // The last millisecond ends the wait; the thread's end has no deadline of its own.
    lv::testing::advance(1);
    ASSERT_EQ(WaitForSingleObject(waiter, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(waiter, &code));
    EXPECT_EQ(code, WAIT_TIMEOUT);
    EXPECT_EQ(w.waited.load(), 500u);
    CloseHandle(waiter);

    w.timeout = INFINITE;
    waiter = StartWaiter(w);
    EXPECT_TRUE(SetEvent(w.event));
    ASSERT_EQ(WaitForSingleObject(waiter, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeThread(waiter, &code));
    EXPECT_EQ(code, WAIT_OBJECT_0);
    EXPECT_EQ(w.waited.load(), 0u);
    EXPECT_EQ(WaitForSingleObject(w.event, 0), WAIT_TIMEOUT) << "the waiter took the signal";
    CloseHandle(waiter);
    CloseHandle(w.event);
    CloseHandle(w.entering);
}

TEST(ThreadTest, RunsTheRoutineReportsItsIdAndEndsSignalled) {
    struct Run {
        HANDLE go;
        std::atomic<DWORD> id{0};
    } run{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    DWORD id = 0;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
            auto* r = static_cast<Run*>(p);
            r->id = GetCurrentThreadId();
            WaitForSingleObject(r->go, INFINITE);
            return 42;
        },
        &run, 0, &id);
    ASSERT_NE(thread, nullptr);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    SetEvent(run.go);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "an ended thread stays signalled";
    EXPECT_EQ(run.id.load(), id);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_FALSE(SetEvent(thread)) << "a thread is no event";
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_FALSE(GetExitCodeThread(thread, &code));
    CloseHandle(run.go);

    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(CreateThread(
                  nullptr, 0, [](LPVOID) -> DWORD { return 0; }, nullptr, 0x4, nullptr),
              nullptr)
        << "a suspended start is not served";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
}

} // namespace
