// A 32-bit BGRA pixel surface: what window DCs and memory bitmaps draw into and what the
// compositor reads. Every GDI call that writes a surface holds its mutex for the call's
// duration; a reader (the compositor, a screenshot) takes the same mutex. GDI calls take a
// DC's lock before any surface lock, so no GDI function may be called while holding one.
// The alpha byte is not coverage: GDI drawing leaves it 0; readers treat pixels as opaque.
#pragma once

#include "win32/types.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace lv::gdi {

// One pixel as stored: 0xAARRGGBB in a little-endian word, so bytes B, G, R, A in memory.
using Pixel = std::uint32_t;

class Surface {
public:
    Surface() = default;
    Surface(int width, int height) { resize(width, height); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Bytes from one row to the next (negative for memory that holds rows bottom-up).
    std::ptrdiff_t stride() const { return m_stride; }

    Pixel* row(int y) { return reinterpret_cast<Pixel*>(m_top + y * m_stride); }
    const Pixel* row(int y) const { return reinterpret_cast<const Pixel*>(m_top + y * m_stride); }

    // Reallocates owned pixels, cleared to 0 (black, alpha 0). Hold the mutex when other
    // threads may be drawing or reading.
    void resize(int width, int height);
    // Draws into memory owned by someone else (a 32-bit DIB section); rows may run bottom-up.
    void attach(void* top_row, int width, int height, std::ptrdiff_t stride);

    std::mutex& mutex() const { return m_mutex; }

    // Damage: what drawing changed since the display last presented the surface. Only surfaces
    // a display shows track it (the window manager's top-level surfaces); the others ignore it.
    // Call both with the mutex held.
    void track_damage() {
        m_tracks_damage = true;
        m_damage = RECT{0, 0, m_width, m_height};
    }
    void add_damage(const RECT& area);
    // The damaged bounds since the last call (empty when nothing changed), cleared.
    RECT take_damage();
    // Called (with the surface's mutex held) when a tracked surface goes from undamaged to
    // damaged: the display wakes. Set once by the display before any window exists.
    using DamageListener = void (*)();
    static void set_damage_listener(DamageListener listener);

private:
    std::vector<Pixel> m_owned;
    std::uint8_t* m_top{nullptr};
    int m_width{0};
    int m_height{0};
    std::ptrdiff_t m_stride{0};
    mutable std::mutex m_mutex;
    bool m_tracks_damage{false};
    RECT m_damage{0, 0, 0, 0};
};

// Locks one or two surfaces (the same surface only once), in an order free of deadlock.
class SurfaceLock {
public:
    explicit SurfaceLock(const Surface* a, const Surface* b = nullptr);
    ~SurfaceLock();
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

private:
    const Surface* m_first{nullptr};
    const Surface* m_second{nullptr};
};

} // namespace lv::gdi
