#include "gdi/painter.h"

#include "gdi/surface_dc.h"

#include <cstdlib>

namespace lv::gdi {

void Painter::fill(const Region& device_area, const Brush* brush, int rop2) {
    if (!ready() || device_area.empty()) {
        return;
    }
    Region area = device_area;
    area.offset(m_target.offset.x, m_target.offset.y);
    Pattern pattern = pattern_of(m_dc, brush, m_target);
    DrawScope scope(m_target, area.bounds());
    fill_area(m_target, area, pattern, rop2);
}

void Painter::fill_colour(const Region& device_area, COLORREF colour, int rop2) {
    Brush brush;
    brush.colour = colour;
    fill(device_area, &brush, rop2);
}

void Painter::add_line(std::vector<RECT>& out, POINT a, POINT b, int width) {
    int half = (width - 1) / 2;
    auto plot = [&](int x, int y) {
        out.push_back(RECT{x - half, y - half, x - half + width, y - half + width});
    };
    int dx = std::abs(b.x - a.x);
    int dy = -std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1;
    int sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x;
    int y = a.y;
    while (x != b.x || y != b.y) {
        plot(x, y);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Painter::stroke(const std::vector<RECT>& pixels) {
    if (!has_pen() || pixels.empty()) {
        return;
    }
    Brush brush;
    brush.colour = m_dc.state.pen->colour;
    fill(Region::from_rects(pixels), &brush, m_dc.state.rop2);
}

Region Painter::to_device(const Region& logical) const {
    Region r = logical;
    POINT o = m_dc.to_device(0, 0);
    r.offset(o.x, o.y);
    return r;
}

RECT Painter::to_device(const RECT& logical) const {
    return m_dc.to_device(logical);
}

std::shared_ptr<Brush> resolve_brush(HBRUSH handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= 31) {
        auto brush = std::make_shared<Brush>();
        brush->colour = system_colour(static_cast<int>(value) - 1);
        return brush;
    }
    return find<Brush>(handle);
}

} // namespace lv::gdi
