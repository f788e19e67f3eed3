// Device contexts: where drawing goes (a window's surface, a memory bitmap) and the state
// that shapes it (colours, modes, selected objects, origins, clipping).
#pragma once

#include "gdi/objects.h"

#include <mutex>
#include <optional>
#include <vector>

namespace lv::gdi {

struct Font;

struct DcState {
    COLORREF bk_colour{0xFFFFFF};
    COLORREF text_colour{0};
    int bk_mode{OPAQUE};
    int rop2{R2_COPYPEN};
    int stretch_mode{BLACKONWHITE};
    int poly_fill_mode{ALTERNATE};
    UINT text_align{TA_LEFT | TA_TOP};
    POINT viewport_org{0, 0};
    POINT window_org{0, 0};
    POINT brush_org{0, 0};
    POINT position{0, 0};
    std::shared_ptr<Brush> brush;
    std::shared_ptr<Pen> pen;
    std::shared_ptr<Font> font;
    std::shared_ptr<Bitmap> bitmap; // memory DCs
    std::shared_ptr<Palette> palette;
    std::optional<Region> clip; // the application's clip, in device coordinates
};

// Where one drawing call writes: the surface, the offset from device to surface coordinates,
// and the clip in surface coordinates (never outside the surface).
struct Target {
    Surface* surface{nullptr};
    Bitmap* bitmap{nullptr}; // for memory DCs
    POINT offset{0, 0};
    Region clip;
    bool monochrome{false};
};

struct DeviceContext : Object {
    static constexpr Kind kKind = Kind::dc;
    enum class Type { memory, surface, display, information };
    explicit DeviceContext(Type t) : Object(kKind), type(t) {}

    const Type type;
    std::mutex mutex;           // one call at a time; taken before any surface lock
    Surface* external{nullptr}; // surface and display DCs
    POINT origin{0, 0};         // device (0, 0) on the surface
    Region visible;             // surface coordinates; surface DCs only
    DcState state;
    std::vector<DcState> saved;

    Surface* surface() const;
    // Device coordinates of a logical point.
    POINT to_device(int x, int y) const {
        return POINT{x - state.window_org.x + state.viewport_org.x,
                     y - state.window_org.y + state.viewport_org.y};
    }
    RECT to_device(const RECT& r) const;
    // The device-coordinate clip before the application clip: the surface bounds, or the
    // visible region handed in by the window manager.
    Region device_limit() const;
    // Device clip including the application's clip.
    Region device_clip() const;
    Target target() const;
};

// A DC found by its handle and locked for the call.
class LockedDc {
public:
    explicit LockedDc(HDC dc);
    LockedDc(const LockedDc&) = delete;
    LockedDc& operator=(const LockedDc&) = delete;

    explicit operator bool() const { return m_dc != nullptr; }
    DeviceContext* operator->() const { return m_dc.get(); }
    DeviceContext& operator*() const { return *m_dc; }
    const std::shared_ptr<DeviceContext>& get() const { return m_dc; }

private:
    std::shared_ptr<DeviceContext> m_dc;
    std::unique_lock<std::mutex> m_lock;
};

// Two DCs (perhaps the same one) locked together for a blit.
class LockedDcPair {
public:
    LockedDcPair(HDC dst, HDC src);
    explicit operator bool() const { return m_dst && m_src; }
    DeviceContext& dst() const { return *m_dst; }
    DeviceContext& src() const { return *m_src; }

private:
    std::shared_ptr<DeviceContext> m_dst;
    std::shared_ptr<DeviceContext> m_src;
    std::unique_lock<std::mutex> m_first;
    std::unique_lock<std::mutex> m_second;
};

// The stock objects a new DC starts with.
std::shared_ptr<Brush> stock_brush(int index);
std::shared_ptr<Pen> stock_pen(int index);
std::shared_ptr<Font> stock_font(int index);
std::shared_ptr<Bitmap> stock_bitmap(); // the 1x1 monochrome bitmap of a new memory DC

} // namespace lv::gdi
