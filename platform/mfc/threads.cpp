#include "mfc/threads.h"

#include "window/thread_id.h"

#include <chrono>

namespace {

thread_local CWinThread* t_current_thread = nullptr;

// The object behind a worker thread: it holds the routine until the thread may start.
class WorkerThread : public CWinThread {
public:
    WorkerThread(AFX_THREADPROC proc, LPVOID param) : m_proc(proc), m_param(param) {}

    ~WorkerThread() override {
        std::unique_lock lock(m_mutex);
        if (!m_thread.joinable())
            return;
        if (m_thread.get_id() == std::this_thread::get_id()) {
            m_thread.detach();
            return;
        }
        // A thread still waiting to be resumed is let go to end without running the routine.
        m_abandoned = true;
        m_may_start = true;
        m_changed.notify_all();
        lock.unlock();
        m_thread.join();
    }

    bool start(bool suspended) {
        std::lock_guard lock(m_mutex);
        try {
            m_thread = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            return false;
        }
        m_may_start = !suspended;
        m_changed.notify_all();
        return true;
    }

    DWORD ResumeThread() override {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable() || m_may_start)
            return static_cast<DWORD>(m_thread.joinable() ? 0 : -1);
        m_may_start = true;
        m_changed.notify_all();
        return 1;
    }

private:
    void run() {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_may_start; });
            if (m_abandoned)
                return;
            m_nThreadID = lv::window::current_thread_id();
        }
        t_current_thread = this;
        m_proc(m_param);
        t_current_thread = nullptr;
        if (m_bAutoDelete)
            delete this;
    }

    AFX_THREADPROC m_proc;
    LPVOID m_param;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
    bool m_may_start = false;
    bool m_abandoned = false;
};

} // namespace

CWinThread* AfxGetThread() {
    if (t_current_thread != nullptr)
        return t_current_thread;
    return AfxGetApp();
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int, UINT, DWORD createFlags, void*) {
    if (proc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* thread = new WorkerThread(proc, param);
    if (!thread->start((createFlags & CREATE_SUSPENDED) != 0)) {
        delete thread;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return thread;
}

BOOL CCriticalSection::Lock(DWORD timeout) {
    if (timeout == INFINITE) {
        m_mutex.lock();
        return TRUE;
    }
    return m_mutex.try_lock_for(std::chrono::milliseconds(timeout)) ? TRUE : FALSE;
}

BOOL CCriticalSection::Unlock() {
    m_mutex.unlock();
    return TRUE;
}

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCTSTR, void*)
    : m_set(initiallyOwn != FALSE), m_manual_reset(manualReset != FALSE) {}

BOOL CEvent::SetEvent() {
    std::lock_guard lock(m_mutex);
    m_set = true;
    if (m_manual_reset)
        m_changed.notify_all();
    else
        m_changed.notify_one();
    return TRUE;
}

BOOL CEvent::ResetEvent() {
    std::lock_guard lock(m_mutex);
    m_set = false;
    return TRUE;
}

BOOL CEvent::PulseEvent() {
    std::lock_guard lock(m_mutex);
    ++m_pulses;
    m_set = false;
    m_changed.notify_all();
    return TRUE;
}

BOOL CEvent::Lock(DWORD timeout) {
    std::unique_lock lock(m_mutex);
    const unsigned pulses = m_pulses;
    const auto released = [&] { return m_set || m_pulses != pulses; };
    if (timeout == INFINITE)
        m_changed.wait(lock, released);
    else if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeout), released))
        return FALSE;
    if (m_set && !m_manual_reset)
        m_set = false;
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_object(object) {
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock() {
    Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout) {
    if (m_object == nullptr || m_locked)
        return m_locked;
    m_locked = m_object->Lock(timeout);
    return m_locked;
}

BOOL CSingleLock::Unlock() {
    if (m_object == nullptr || !m_locked)
        return FALSE;
    m_locked = !m_object->Unlock();
    return TRUE;
}
