// Worker threads through AfxBeginThread, signalled with events.
#include "mfc/mfc.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Work {
    CEvent start;
    CEvent done{FALSE, TRUE};
    std::atomic<int> value{0};
    std::atomic<CWinThread*> seen_thread{nullptr};
};

UINT worker(LPVOID param) {
    auto* work = static_cast<Work*>(param);
    work->seen_thread = AfxGetThread();
    if (!work->start.Lock(10000))
        return 1;
    work->value = 42;
    work->done.SetEvent();
    return 0;
}

TEST(Threads, WorkerRunsTheRoutineAndSignalsBack) {
    Work work;
    CWinThread* thread = AfxBeginThread(worker, &work);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(work.value, 0);
    work.start.SetEvent();
    ASSERT_TRUE(work.done.Lock(10000));
    EXPECT_EQ(work.value, 42);
    EXPECT_EQ(work.seen_thread.load(), thread);
    // A manual-reset event stays set for every later wait.
    EXPECT_TRUE(work.done.Lock(0));
    delete thread;
}

TEST(Threads, SuspendedWorkerStartsOnResume) {
    Work work;
    work.start.SetEvent();
    CWinThread* thread = AfxBeginThread(worker, &work, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_FALSE(work.done.Lock(50));
    EXPECT_EQ(thread->ResumeThread(), 1u);
    ASSERT_TRUE(work.done.Lock(10000));
    EXPECT_EQ(work.value, 42);
    delete thread;
}

TEST(Threads, AutoResetEventReleasesOneWaitThenIsReset) {
    CEvent event;
    EXPECT_FALSE(event.Lock(0));
    event.SetEvent();
    EXPECT_TRUE(event.Lock(0));
    EXPECT_FALSE(event.Lock(0));
}

TEST(Threads, CriticalSectionThroughASingleLock) {
    CCriticalSection section;
    int counter = 0;
    struct Shared {
        CCriticalSection* section;
        int* counter;
        CEvent finished{FALSE, TRUE};
    } shared{&section, &counter};
    CWinThread* thread = AfxBeginThread(
        [](LPVOID p) -> UINT {
            auto* s = static_cast<Shared*>(p);
            for (int i = 0; i < 1000; ++i) {
                CSingleLock lock(s->section, TRUE);
                ++*s->counter;
            }
            s->finished.SetEvent();
            return 0;
        },
        &shared);
    ASSERT_NE(thread, nullptr);
    for (int i = 0; i < 1000; ++i) {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        ++counter;
    }
    ASSERT_TRUE(shared.finished.Lock(10000));
    CSingleLock lock(&section, TRUE);
    EXPECT_EQ(counter, 2000);
}

} // namespace
