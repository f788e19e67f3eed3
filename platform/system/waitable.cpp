#include "system/waitable.h"

#include "system/clock.h"

#include <vector>

namespace lv {

void Waitable::signal() {
    std::vector<std::function<void()>> watches;
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
        for (const auto& [id, watch] : m_watches)
            watches.push_back(watch);
    }
    m_changed.notify_all();
    for (const auto& watch : watches)
        watch();
}

void Waitable::reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool Waitable::take_locked() {
    if (!m_signalled)
        return false;
    if (!m_manual_reset)
        m_signalled = false;
    return true;
}

bool Waitable::try_take() {
    std::lock_guard lock(m_mutex);
    return take_locked();
}

bool Waitable::take_before(std::uint64_t deadline) {
    std::unique_lock lock(m_mutex);
    return clock::wait_until(lock, m_changed, deadline, [this] { return take_locked(); });
}

std::uint64_t Waitable::add_watch(std::function<void()> watch) {
    std::lock_guard lock(m_mutex);
    const std::uint64_t id = m_next_watch++;
    m_watches.emplace(id, std::move(watch));
    return id;
}

void Waitable::remove_watch(std::uint64_t id) {
    std::lock_guard lock(m_mutex);
    m_watches.erase(id);
}

} // namespace lv
