// Worker threads and the synchronisation objects. Worker threads run a plain routine; the
// object AfxBeginThread returns deletes itself when the routine ends unless m_bAutoDelete is
// cleared first (then the caller deletes it, which waits for the thread).
#pragma once

#include "mfc/winapp.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

using AFX_THREADPROC = UINT (*)(LPVOID);

constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr DWORD CREATE_SUSPENDED = 0x4;

class CWorkerThread;

// Starts `proc(param)` on a new thread. Priorities and stack sizes are the host's; a
// suspended start waits for ResumeThread. Null when no thread can be started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, void* security = nullptr);

class CSyncObject {
public:
    CSyncObject() = default;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;
    virtual ~CSyncObject() = default;
    // Waits up to `timeout` milliseconds (INFINITE: without end); FALSE on time-out.
    virtual BOOL Lock(DWORD timeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};

class CCriticalSection : public CSyncObject {
public:
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override;

private:
    std::recursive_timed_mutex m_mutex;
};

class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCTSTR name = nullptr,
                    void* security = nullptr);
    BOOL SetEvent();
    BOOL ResetEvent();
    // Releases the waiters there are now and leaves the event reset.
    BOOL PulseEvent();
    // Waits until the event is set; an automatic-reset event is reset by the wait it ends.
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override { return TRUE; }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set = false;
    bool m_manual_reset = false;
    unsigned m_pulses = 0;
};

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked; }

private:
    CSyncObject* m_object;
    BOOL m_locked = FALSE;
};
