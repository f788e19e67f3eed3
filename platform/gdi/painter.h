// Drawing of regions and lines into a DC: logical coordinates in, clipped pixels out.
#pragma once

#include "gdi/raster.h"

namespace lv::gdi {

class Painter {
public:
    explicit Painter(DeviceContext& dc) : m_dc(dc), m_target(dc.target()) {}
    bool ready() const { return m_target.surface != nullptr; }
    DeviceContext& dc() { return m_dc; }
    const Target& target() const { return m_target; }

    // Regions in device coordinates.
    void fill(const Region& device_area, const Brush* brush, int rop2);
    void fill_colour(const Region& device_area, COLORREF colour, int rop2 = R2_COPYPEN);
    // Pen pixels of a line from a to b (device coordinates), the end point excluded.
    static void add_line(std::vector<RECT>& out, POINT a, POINT b, int width, int style = PS_SOLID);
    int pen_style() const { return has_pen() ? m_dc.state.pen->style : PS_NULL; }
    void stroke(const std::vector<RECT>& pixels);

    Region to_device(const Region& logical) const;
    RECT to_device(const RECT& logical) const;
    bool has_pen() const { return m_dc.state.pen && m_dc.state.pen->style != PS_NULL; }
    int pen_width() const { return has_pen() ? m_dc.state.pen->width : 0; }

private:
    DeviceContext& m_dc;
    Target m_target;
};

// A brush handle, or a system colour index + 1 passed in its place (FillRect's convention).
std::shared_ptr<Brush> resolve_brush(HBRUSH brush);

} // namespace lv::gdi
