// Region handles: creation, combination, queries and RGNDATA.
#include "gdi/objects.h"
#include "gdi/shape_regions.h"
#include "gdi/surface_dc.h"
#include "win32/errors.h"

#include <cmath>
#include <cstring>

using namespace lv::gdi;

namespace {

int type_of(const Region& r) {
    return r.empty() ? NULLREGION : r.is_rect() ? SIMPLEREGION : COMPLEXREGION;
}

HRGN enter(Region region) {
    return create_region_handle(region);
}

RECT ordered(int l, int t, int r, int b) {
    return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return enter(Region(ordered(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipse_width,
                        int ellipse_height) {
    return enter(round_rect_region(RECT{left, top, right, bottom}, ellipse_width, ellipse_height));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return enter(ellipse_region(RECT{left, top, right, bottom}));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode) {
    if (!points || count < 2 || (fill_mode != ALTERNATE && fill_mode != WINDING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return enter(polygon_region(points, count, fill_mode));
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    Region* out = region_of(dst);
    Region* a = region_of(src1);
    Region* b = mode == RGN_COPY ? a : region_of(src2);
    if (!out || !a || !b || mode < RGN_AND || mode > RGN_COPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    switch (mode) {
    case RGN_AND:
        *out = a->intersected(*b);
        break;
    case RGN_OR:
        *out = a->united(*b);
        break;
    case RGN_XOR:
        *out = a->xored(*b);
        break;
    case RGN_DIFF:
        *out = a->subtracted(*b);
        break;
    default:
        *out = *a;
        break;
    }
    return type_of(*out);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    Region* r = region_of(region);
    if (!r) {
        return ERROR;
    }
    r->offset(dx, dy);
    return type_of(*r);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    Region* r = region_of(region);
    return r && r->contains(x, y);
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    Region* r = region_of(region);
    return r && rect && r->intersects(ordered(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL EqualRgn(HRGN a, HRGN b) {
    Region* ra = region_of(a);
    Region* rb = region_of(b);
    if (!ra || !rb) {
        return ERROR;
    }
    return *ra == *rb;
}

int GetRgnBox(HRGN region, LPRECT rect) {
    Region* r = region_of(region);
    if (!r || !rect) {
        return ERROR;
    }
    *rect = r->bounds();
    return type_of(*r);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    Region* r = region_of(region);
    if (!r) {
        return FALSE;
    }
    *r = Region(ordered(left, top, right, bottom));
    return TRUE;
}

DWORD GetRegionData(HRGN region, DWORD size, LPRGNDATA data) {
    Region* r = region_of(region);
    if (!r) {
        return 0;
    }
    const auto& rects = r->rects();
    DWORD body = static_cast<DWORD>(rects.size() * sizeof(RECT));
    DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER)) + body;
    if (!data) {
        return needed;
    }
    if (size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = body;
    data->rdh.rcBound = r->bounds();
    if (!rects.empty()) {
        std::memcpy(data->Buffer, rects.data(), body);
    }
    return size; // a buffer that was large enough reports its own size
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data) {
    if (!data || size < sizeof(RGNDATAHEADER) || data->rdh.dwSize < sizeof(RGNDATAHEADER) ||
        data->rdh.dwSize > size || data->rdh.iType != RDH_RECTANGLES) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The rectangles must fit in the buffer the caller says it has.
    std::size_t available = (size - data->rdh.dwSize) / sizeof(RECT);
    if (data->rdh.nCount > available) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto* base = reinterpret_cast<const std::uint8_t*>(data) + data->rdh.dwSize;
    std::vector<RECT> rects(data->rdh.nCount);
    if (!rects.empty()) {
        std::memcpy(rects.data(), base, rects.size() * sizeof(RECT));
    }
    if (xform) {
        // Scaling and translation only: a rotated rectangle is no longer a rectangle.
        if (xform->eM12 != 0.0f || xform->eM21 != 0.0f) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        auto map = [](float m, float d, LONG v) {
            return static_cast<LONG>(std::lround(m * static_cast<float>(v) + d));
        };
        for (RECT& r : rects) {
            r = ordered(map(xform->eM11, xform->eDx, r.left), map(xform->eM22, xform->eDy, r.top),
                        map(xform->eM11, xform->eDx, r.right),
                        map(xform->eM22, xform->eDy, r.bottom));
        }
    }
    return enter(Region::from_rects(rects));
}
