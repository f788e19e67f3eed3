// Filled and outlined shapes, lines and region painting.
#include "gdi/painter.h"
#include "gdi/shape_regions.h"
#include "gdi/surface_dc.h"
#include "win32/errors.h"

using namespace lv::gdi;

namespace {

RECT ordered(RECT r) {
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    return r;
}

RECT inset(const RECT& r, int by) {
    return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// A closed shape: outline of the pen's width inside the box, brush inside the outline. With
// no pen the filled shape loses its right and bottom pixel, as GDI draws it.
template <typename Shape> BOOL draw_closed(HDC handle, const RECT& logical, Shape shape) {
    LockedDc dc(handle);
    if (!dc) {
        return FALSE;
    }
    Painter painter(*dc);
    if (!painter.ready()) {
        return FALSE;
    }
    RECT box = ordered(painter.to_device(logical));
    if (!painter.has_pen()) {
        painter.fill(shape(RECT{box.left, box.top, box.right - 1, box.bottom - 1}, 0),
                     dc->state.brush.get(), R2_COPYPEN);
        return TRUE;
    }
    int w = painter.pen_width();
    Region outer = shape(box, 0);
    Region inner = shape(inset(box, w), w);
    painter.fill(inner, dc->state.brush.get(), R2_COPYPEN);
    Brush pen_brush;
    pen_brush.colour = dc->state.pen->colour;
    painter.fill(outer.subtracted(inner), &pen_brush, dc->state.rop2);
    return TRUE;
}

Region to_device_region(const DeviceContext& dc, HRGN handle) {
    Region* r = region_of(handle);
    if (!r) {
        return Region();
    }
    Region out = *r;
    POINT o = dc.to_device(0, 0);
    out.offset(o.x, o.y);
    return out;
}

} // namespace

int FillRect(HDC handle, const RECT* rect, HBRUSH brush_handle) {
    auto brush = resolve_brush(brush_handle);
    LockedDc dc(handle);
    if (!dc || !rect || !brush) {
        return FALSE;
    }
    Painter painter(*dc);
    painter.fill(Region(ordered(painter.to_device(*rect))), brush.get(), R2_COPYPEN);
    return TRUE;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brush_handle) {
    auto brush = resolve_brush(brush_handle);
    LockedDc dc(handle);
    if (!dc || !rect || !brush) {
        return FALSE;
    }
    Painter painter(*dc);
    RECT r = painter.to_device(*rect);
    if (r.left >= r.right || r.top >= r.bottom) {
        return TRUE;
    }
    painter.fill(Region(r).subtracted(Region(inset(r, 1))), brush.get(), R2_COPYPEN);
    return TRUE;
}

BOOL InvertRect(HDC handle, const RECT* rect) {
    LockedDc dc(handle);
    if (!dc || !rect) {
        return FALSE;
    }
    Painter painter(*dc);
    painter.fill_colour(Region(ordered(painter.to_device(*rect))), 0, R2_NOT);
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    return draw_closed(dc, RECT{left, top, right, bottom},
                       [](const RECT& r, int) { return Region(r); });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return draw_closed(dc, RECT{left, top, right, bottom},
                       [](const RECT& r, int) { return ellipse_region(r); });
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipse_width,
               int ellipse_height) {
    return draw_closed(dc, RECT{left, top, right, bottom}, [=](const RECT& r, int inset_by) {
        return round_rect_region(r, ellipse_width - 2 * inset_by, ellipse_height - 2 * inset_by);
    });
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
    LockedDc dc(handle);
    if (!dc || !points || count < 2) {
        return FALSE;
    }
    Painter painter(*dc);
    std::vector<POINT> device(points, points + count);
    for (POINT& p : device) {
        p = dc->to_device(p.x, p.y);
    }
    painter.fill(polygon_region(device.data(), count, dc->state.poly_fill_mode),
                 dc->state.brush.get(), R2_COPYPEN);
    std::vector<RECT> pixels;
    for (int i = 0; i < count; ++i) {
        Painter::add_line(pixels, device[i], device[(i + 1) % count], painter.pen_width(),
                          painter.pen_style());
    }
    painter.stroke(pixels);
    return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
    LockedDc dc(handle);
    if (!dc || !points || count < 2) {
        return FALSE;
    }
    Painter painter(*dc);
    std::vector<RECT> pixels;
    for (int i = 0; i + 1 < count; ++i) {
        Painter::add_line(pixels, dc->to_device(points[i].x, points[i].y),
                          dc->to_device(points[i + 1].x, points[i + 1].y), painter.pen_width(),
                          painter.pen_style());
    }
    painter.stroke(pixels);
    return TRUE;
}

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    LockedDc dc(handle);
    if (!dc) {
        return FALSE;
    }
    if (previous) {
        *previous = dc->state.position;
    }
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
    LockedDc dc(handle);
    if (!dc) {
        return FALSE;
    }
    Painter painter(*dc);
    std::vector<RECT> pixels;
    POINT from = dc->state.position;
    Painter::add_line(pixels, dc->to_device(from.x, from.y), dc->to_device(x, y),
                      painter.pen_width(), painter.pen_style());
    painter.stroke(pixels);
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL FillRgn(HDC handle, HRGN region, HBRUSH brush_handle) {
    auto brush = resolve_brush(brush_handle);
    LockedDc dc(handle);
    if (!dc || !brush || !region_of(region)) {
        return FALSE;
    }
    Painter painter(*dc);
    painter.fill(to_device_region(*dc, region), brush.get(), R2_COPYPEN);
    return TRUE;
}

BOOL PaintRgn(HDC handle, HRGN region) {
    LockedDc dc(handle);
    if (!dc || !region_of(region)) {
        return FALSE;
    }
    Painter painter(*dc);
    painter.fill(to_device_region(*dc, region), dc->state.brush.get(), dc->state.rop2);
    return TRUE;
}

BOOL InvertRgn(HDC handle, HRGN region) {
    LockedDc dc(handle);
    if (!dc || !region_of(region)) {
        return FALSE;
    }
    Painter painter(*dc);
    painter.fill_colour(to_device_region(*dc, region), 0, R2_NOT);
    return TRUE;
}

BOOL FrameRgn(HDC handle, HRGN region, HBRUSH brush_handle, int width, int height) {
    auto brush = resolve_brush(brush_handle);
    LockedDc dc(handle);
    if (!dc || !brush || !region_of(region) || width < 1 || height < 1) {
        return FALSE;
    }
    Painter painter(*dc);
    Region r = to_device_region(*dc, region);
    // The frame is what erosion by the brush's width and height removes.
    Region core = r;
    for (POINT shift : {POINT{width, 0}, POINT{-width, 0}, POINT{0, height}, POINT{0, -height}}) {
        Region moved = r;
        moved.offset(shift.x, shift.y);
        core = core.intersected(moved);
    }
    painter.fill(r.subtracted(core), brush.get(), R2_COPYPEN);
    return TRUE;
}
