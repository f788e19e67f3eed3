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

namespace {

// On and off runs of the styled pens, in pixels.
std::vector<int> dash_pattern(int style) {
    switch (style) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// No surface is this large; longer lines are not drawn rather than walked pixel by pixel.
constexpr long long kLongestLine = 1 << 16;

} // namespace

void Painter::add_line(std::vector<RECT>& out, POINT a, POINT b, int width, int style) {
    long long span_x = std::llabs(static_cast<long long>(b.x) - a.x);
    long long span_y = std::llabs(static_cast<long long>(b.y) - a.y);
    if (span_x > kLongestLine || span_y > kLongestLine) {
        return;
    }
    // Styled pens are dashed only when one pixel wide, as GDI draws them.
    std::vector<int> dashes = width == 1 ? dash_pattern(style) : std::vector<int>{};
    std::size_t dash = 0;
    int left_in_dash = dashes.empty() ? 0 : dashes[0];
    int half = (width - 1) / 2;
    auto plot = [&](int x, int y) {
        if (!dashes.empty()) {
            bool on = (dash % 2) == 0;
            if (--left_in_dash == 0) {
                dash = (dash + 1) % dashes.size();
                left_in_dash = dashes[dash];
            }
            if (!on) {
                return;
            }
        }
        out.push_back(RECT{x - half, y - half, x - half + width, y - half + width});
    };
    int dx = static_cast<int>(span_x);
    int dy = -static_cast<int>(span_y);
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
