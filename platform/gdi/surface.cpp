#include "gdi/surface.h"

#include <functional>

namespace lv::gdi {

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
