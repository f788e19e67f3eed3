// Kernel objects a thread can wait on (events, threads): a signalled state under a lock, a
// condition variable for waiters on this object alone, and watchers for waits on several
// objects and a message queue at once.
#pragma once

#include "system/handle_table.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace lv {

class Waitable : public KernelObject {
public:
    explicit Waitable(bool manualReset, bool signalled)
        : m_manual_reset(manualReset), m_signalled(signalled) {}

    // Signals the object and wakes its waiters and watchers.
    void signal();
    void reset();
    // Takes the object when it is signalled: an automatic-reset object is reset by the take.
    bool try_take();
    // Waits until the object can be taken or the process clock reaches `deadline`.
    bool take_before(std::uint64_t deadline);

    // `watch` runs (without any lock of this object held) each time the object is signalled,
    // until the watch is removed.
    std::uint64_t add_watch(std::function<void()> watch);
    void remove_watch(std::uint64_t id);

private:
    bool take_locked();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    const bool m_manual_reset;
    bool m_signalled;
    std::map<std::uint64_t, std::function<void()>> m_watches;
    std::uint64_t m_next_watch = 1;
};

// Removes a watch when it goes out of scope.
class ScopedWatch {
public:
    ScopedWatch(std::shared_ptr<Waitable> object, std::function<void()> watch)
        : m_object(std::move(object)), m_id(m_object->add_watch(std::move(watch))) {}
    ~ScopedWatch() { m_object->remove_watch(m_id); }
    ScopedWatch(const ScopedWatch&) = delete;
    ScopedWatch& operator=(const ScopedWatch&) = delete;

private:
    std::shared_ptr<Waitable> m_object;
    std::uint64_t m_id;
};

} // namespace lv
