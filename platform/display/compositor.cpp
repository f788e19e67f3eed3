#include "display/compositor.h"

#include "gdi/surface_dc.h"
#include "win32/window.h"
#include "window/display_port.h"
#include "window/layers.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace lv::display {
namespace {

std::mutex g_compose_mutex;
std::uint64_t g_composed_generation = 0;

gdi::Pixel opaque(COLORREF c) {
    return 0xFF000000u | (static_cast<gdi::Pixel>(GetRValue(c)) << 16) |
           (static_cast<gdi::Pixel>(GetGValue(c)) << 8) | GetBValue(c);
}

void copy_layer(gdi::Surface& screen, const window::Layer& layer) {
    gdi::SurfaceLock lock(&screen, layer.surface.get());
    const gdi::Surface& src = *layer.surface;
    for (const RECT& r : layer.shape.rects()) {
        int left = std::max<int>({r.left, 0, layer.position.x});
        int right = std::min<int>({r.right, screen.width(), layer.position.x + src.width()});
        int top = std::max<int>({r.top, 0, layer.position.y});
        int bottom = std::min<int>({r.bottom, screen.height(), layer.position.y + src.height()});
        if (left >= right)
            continue;
        for (int y = top; y < bottom; ++y) {
            const gdi::Pixel* from = src.row(y - layer.position.y) + (left - layer.position.x);
            gdi::Pixel* to = screen.row(y) + left;
            for (int x = 0; x < right - left; ++x)
                to[x] = from[x] | 0xFF000000u;
        }
    }
}

} // namespace

gdi::Surface& screen_surface() {
    static gdi::Surface* screen = [] {
        SIZE size = window::display_port::screen_size();
        auto* s = new gdi::Surface(static_cast<int>(size.cx), static_cast<int>(size.cy));
        gdi::set_screen_size(static_cast<int>(size.cx), static_cast<int>(size.cy));
        gdi::set_screen_surface(s);
        return s;
    }();
    return *screen;
}

void compose_screen() {
    std::lock_guard compose(g_compose_mutex);
    gdi::Surface& screen = screen_surface();
    std::uint64_t generation = window::screen_generation();
    auto layers = window::visible_layers_bottom_up();
    {
        gdi::SurfaceLock lock(&screen);
        gdi::Pixel desktop = opaque(GetSysColor(COLOR_BACKGROUND));
        for (int y = 0; y < screen.height(); ++y)
            std::fill_n(screen.row(y), screen.width(), desktop);
    }
    for (const auto& layer : layers)
        copy_layer(screen, layer);
    g_composed_generation = generation;
}

bool compose_if_changed() {
    {
        std::lock_guard compose(g_compose_mutex);
        if (g_composed_generation == window::screen_generation())
            return false;
    }
    compose_screen();
    return true;
}

} // namespace lv::display
