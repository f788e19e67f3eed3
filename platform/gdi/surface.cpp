#include "gdi/surface.h"

#include <algorithm>
#include <atomic>
#include <functional>

namespace lv::gdi {
namespace {

std::atomic<Surface::DamageListener> g_damage_listener{nullptr};

} // namespace

void Surface::set_damage_listener(DamageListener listener) {
    g_damage_listener.store(listener);
}

void Surface::add_damage(const RECT& area) {
    if (!m_tracks_damage)
        return;
    RECT r{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
           std::min<LONG>(area.right, m_width), std::min<LONG>(area.bottom, m_height)};
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    const bool was_clean = m_damage.left >= m_damage.right || m_damage.top >= m_damage.bottom;
    if (was_clean) {
        m_damage = r;
        if (DamageListener listener = g_damage_listener.load())
            listener();
        return;
    }
    m_damage = RECT{std::min(m_damage.left, r.left), std::min(m_damage.top, r.top),
                    std::max(m_damage.right, r.right), std::max(m_damage.bottom, r.bottom)};
}

RECT Surface::take_damage() {
    RECT taken = m_damage;
    m_damage = RECT{0, 0, 0, 0};
    return taken;
}

void Surface::resize(int width, int height) {
    if (width < 0 || height < 0) {
        width = height = 0;
    }
    m_owned.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    m_width = width;
    m_height = height;
    m_stride = static_cast<std::ptrdiff_t>(width) * static_cast<std::ptrdiff_t>(sizeof(Pixel));
    m_top = reinterpret_cast<std::uint8_t*>(m_owned.data());
}

void Surface::attach(void* top_row, int width, int height, std::ptrdiff_t stride) {
    m_owned.clear();
    m_owned.shrink_to_fit();
    m_top = static_cast<std::uint8_t*>(top_row);
    m_width = width;
    m_height = height;
    m_stride = stride;
}

SurfaceLock::SurfaceLock(const Surface* a, const Surface* b) {
    if (a == b) {
        b = nullptr;
    }
    if (a && b && std::less<const Surface*>()(b, a)) {
        std::swap(a, b);
    }
    m_first = a ? a : b;
    m_second = a ? b : nullptr;
    if (m_first) {
        m_first->mutex().lock();
    }
    if (m_second) {
        m_second->mutex().lock();
    }
}

SurfaceLock::~SurfaceLock() {
    if (m_second) {
        m_second->mutex().unlock();
    }
    if (m_first) {
        m_first->mutex().unlock();
    }
}

} // namespace lv::gdi
