#include "system/calendar.h"
#include "system/clock.h"
#include "testing/virtual_clock.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

TEST(VirtualClock, MovesOnlyWhenTold) {
    lv::testing::VirtualClockScope scope;
    ASSERT_TRUE(lv::clock::is_virtual());
    DWORD start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(GetTickCount(), start);
    Sleep(250);
    EXPECT_EQ(GetTickCount(), start + 250);
    lv::testing::advance(1000);
    EXPECT_EQ(timeGetTime(), start + 1250);
    lv::clock::advance_to(lv::clock::now_ms() - 10); // never backwards
    EXPECT_EQ(GetTickCount(), start + 1250);
    lv::testing::use_virtual_clock(true); // a fresh start is the same start
    EXPECT_EQ(GetTickCount(), start);
}

TEST(VirtualClock, ConcurrentSleepsAllCount) {
    lv::testing::VirtualClockScope scope;
    auto start = lv::clock::now_ms();
    std::vector<std::thread> sleepers;
    for (int i = 0; i < 4; ++i)
        sleepers.emplace_back([] {
            for (int j = 0; j < 100; ++j)
                Sleep(10);
        });
    for (auto& t : sleepers)
        t.join();
    EXPECT_EQ(lv::clock::now_ms() - start, 4000u);
}

TEST(VirtualClock, CalendarFollowsTheClock) {
    lv::testing::VirtualClockScope scope;
    SYSTEMTIME now{};
    GetSystemTime(&now);
    EXPECT_EQ(now.wYear, 2006);
    EXPECT_EQ(now.wDayOfWeek, 1); // Monday
    SYSTEMTIME sunday{2007, 1, 0, 7, 23, 59, 59, 500};
    lv::testing::set_system_time(sunday);
    GetLocalTime(&now);
    EXPECT_EQ(now.wDayOfWeek, 0);
    EXPECT_EQ(now.wDay, 7);
    EXPECT_EQ(now.wMilliseconds, 500);
    Sleep(500);
    GetLocalTime(&now);
    EXPECT_EQ(now.wDayOfWeek, 1);
    EXPECT_EQ(now.wDay, 8);
    EXPECT_EQ(now.wHour, 0);
    FILETIME file{};
    GetSystemTimeAsFileTime(&file);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(back.wDay, 8);
    EXPECT_EQ(back.wYear, 2007);
}

TEST(VirtualClock, WaitEndsWhenTheClockPassesTheDeadline) {
    lv::testing::VirtualClockScope scope;
    std::mutex mutex;
    std::condition_variable wake;
    bool flag = false;
    std::atomic<int> outcome{-1};
    auto deadline = lv::clock::now_ms() + 500;
    std::thread waiter([&] {
        std::unique_lock lock(mutex);
        outcome = lv::clock::wait_until(lock, wake, deadline, [&] { return flag; }) ? 1 : 0;
    });
    lv::testing::advance(499);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(outcome.load(), -1); // still waiting: virtual time has not reached the deadline
    lv::testing::advance(1);
    waiter.join();
    EXPECT_EQ(outcome.load(), 0);

    // A condition that comes true ends the wait before the deadline.
    outcome = -1;
    std::thread second([&] {
        std::unique_lock lock(mutex);
        outcome =
            lv::clock::wait_until(lock, wake, lv::clock::kNever, [&] { return flag; }) ? 1 : 0;
    });
    {
        std::lock_guard lock(mutex);
        flag = true;
    }
    wake.notify_all();
    second.join();
    EXPECT_EQ(outcome.load(), 1);
}

TEST(VirtualClock, ATestCanWaitUntilAThreadWaitsOnTheClock) {
    lv::testing::VirtualClockScope scope;
    EXPECT_FALSE(lv::clock::wait_for_virtual_waiter(std::chrono::milliseconds(20)))
        << "nobody waits yet";
    std::mutex mutex;
    std::condition_variable wake;
    bool flag = false;
    std::atomic<lv::clock::Milliseconds> deadline{0};
    std::thread waiter([&] {
        std::unique_lock lock(mutex);
        deadline = lv::clock::now_ms() + 500; // taken by the waiter itself, as a wait call does
        lv::clock::wait_until(lock, wake, deadline, [&] { return flag; });
    });
    ASSERT_TRUE(lv::testing::wait_for_waiter());
    EXPECT_NE(deadline.load(), 0u) << "the deadline is taken before the wait is seen";
    lv::testing::advance(500);
    waiter.join();
    EXPECT_EQ(lv::clock::now_ms(), deadline.load());
}

TEST(RealClock, WaitsInRealTime) {
    ASSERT_FALSE(lv::clock::is_virtual());
    std::mutex mutex;
    std::condition_variable wake;
    std::unique_lock lock(mutex);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(lv::clock::wait_until(lock, wake, lv::clock::now_ms() + 30, [] { return false; }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(29));
    DWORD before = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount() - before, 19u);
    lv::clock::advance_to(lv::clock::now_ms() + 100000); // real time cannot be hurried
    EXPECT_LT(GetTickCount() - before, 10000u);
}

TEST(Calendar, KnownDates) {
    struct Case {
        SYSTEMTIME time;
        std::int64_t unix_ms;
    } cases[] = {
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 0},
        {{2000, 2, 2, 29, 12, 0, 0, 0}, 951825600000},
        {{1969, 12, 3, 31, 23, 59, 59, 999}, -1},
        {{1601, 1, 1, 1, 0, 0, 0, 0}, -11644473600000},
        {{2038, 1, 2, 19, 3, 14, 8, 0}, 2147483648000},
    };
    for (const auto& test : cases) {
        SYSTEMTIME back = lv::system_time_from_unix_ms(test.unix_ms);
        EXPECT_EQ(back.wYear, test.time.wYear) << test.unix_ms;
        EXPECT_EQ(back.wMonth, test.time.wMonth) << test.unix_ms;
        EXPECT_EQ(back.wDay, test.time.wDay) << test.unix_ms;
        EXPECT_EQ(back.wDayOfWeek, test.time.wDayOfWeek) << test.unix_ms;
        EXPECT_EQ(back.wHour, test.time.wHour) << test.unix_ms;
        EXPECT_EQ(back.wMilliseconds, test.time.wMilliseconds) << test.unix_ms;
        std::int64_t unix_ms = 0;
        ASSERT_TRUE(lv::unix_ms_from_system_time(test.time, unix_ms));
        EXPECT_EQ(unix_ms, test.unix_ms);
    }
    FILETIME file{};
    SYSTEMTIME epoch{1601, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToFileTime(&epoch, &file));
    EXPECT_EQ(file.dwLowDateTime, 0u);
    EXPECT_EQ(file.dwHighDateTime, 0u);
    SYSTEMTIME bad{2001, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
    SYSTEMTIME bad_hour{2001, 2, 0, 1, 24, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&bad_hour, &file));
}

} // namespace
