// Pixel coverage of the filled shapes, shared by regions (CreateEllipticRgn...) and drawing
// (Ellipse, Polygon...): a pixel belongs to a shape when its centre does.
#pragma once

#include "gdi/region.h"

namespace lv::gdi {

Region ellipse_region(const RECT& box);
Region round_rect_region(const RECT& box, int ellipse_width, int ellipse_height);
Region polygon_region(const POINT* points, int count, int fill_mode);

} // namespace lv::gdi
