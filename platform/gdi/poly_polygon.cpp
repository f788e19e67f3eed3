// PolyPolygon: several polygons filled as one shape (so that one inside another leaves a hole
// under ALTERNATE), each outlined with the pen.
#include "gdi/painter.h"
#include "gdi/shape_regions.h"

using namespace lv::gdi;

BOOL PolyPolygon(HDC handle, const POINT* points, const INT* counts, int polygons) {
    LockedDc dc(handle);
    if (!dc || !points || !counts || polygons <= 0) {
        return FALSE;
    }
    std::size_t total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2) {
            return FALSE;
        }
        total += static_cast<std::size_t>(counts[i]);
    }
    Painter painter(*dc);
    std::vector<POINT> device(points, points + total);
    for (POINT& p : device) {
        p = dc->to_device(p.x, p.y);
    }
    // Under ALTERNATE a pixel is inside when an odd number of polygons cover it; WINDING is
    // taken as covered by any of them.
    const int mode = dc->state.poly_fill_mode;
    Region area;
    std::vector<RECT> pixels;
    const POINT* polygon = device.data();
    for (int i = 0; i < polygons; ++i) {
        const int count = counts[i];
        Region one = polygon_region(polygon, count, mode);
        area = mode == WINDING ? area.united(one) : area.xored(one);
        for (int k = 0; k < count; ++k) {
            Painter::add_line(pixels, polygon[k], polygon[(k + 1) % count], painter.pen_width(),
                              painter.pen_style());
        }
        polygon += count;
    }
    painter.fill(area, dc->state.brush.get(), R2_COPYPEN);
    painter.stroke(pixels);
    return TRUE;
}
