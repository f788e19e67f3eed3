// Single pixels and flood fills.
#include "gdi/raster.h"
#include "win32/errors.h"

#include <vector>

using namespace lv::gdi;

namespace {

// The DC's target and the surface position of a logical point, when that point is visible.
bool locate(const DeviceContext& dc, const Target& t, int x, int y, POINT& at) {
    if (!t.surface) {
        return false;
    }
    POINT p = dc.to_device(x, y);
    at = POINT{p.x + t.offset.x, p.y + t.offset.y};
    return t.clip.contains(at.x, at.y);
}

} // namespace

COLORREF GetPixel(HDC handle, int x, int y) {
    LockedDc dc(handle);
    if (!dc) {
        return CLR_INVALID;
    }
    // A memory DC without a clip region sees its whole bitmap: no region work per pixel, as
    // callers read whole pictures back this way.
    if (dc->type == DeviceContext::Type::memory && !dc->state.clip && dc->state.bitmap) {
        Bitmap& bitmap = *dc->state.bitmap;
        POINT p = dc->to_device(x, y);
        if (p.x < 0 || p.y < 0 || p.x >= bitmap.width() || p.y >= bitmap.height()) {
            return CLR_INVALID;
        }
        SurfaceLock lock(&bitmap.pixels);
        if (bitmap.section && !bitmap.section->shared) {
            bitmap.section->load(bitmap.pixels, RECT{p.x, p.y, p.x + 1, p.y + 1});
        }
        return colorref_from_pixel(bitmap.pixels.row(p.y)[p.x]);
    }
    Target t = dc->target();
    POINT at;
    if (!locate(*dc, t, x, y, at)) {
        return CLR_INVALID;
    }
    RECT one{at.x, at.y, at.x + 1, at.y + 1};
    DrawScope scope(t, RECT{0, 0, 0, 0}, &t, &one);
    return colorref_from_pixel(t.surface->row(at.y)[at.x]);
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour) {
    LockedDc dc(handle);
    if (!dc) {
        return CLR_INVALID;
    }
    Target t = dc->target();
    POINT at;
    if (!locate(*dc, t, x, y, at)) {
        return CLR_INVALID;
    }
    Pixel p = pixel_from_colorref(colour);
    if (t.monochrome) {
        p = mono_of(p);
    }
    DrawScope scope(t, RECT{at.x, at.y, at.x + 1, at.y + 1});
    t.surface->row(at.y)[at.x] = p;
    return colorref_from_pixel(p);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour) {
    return SetPixel(dc, x, y, colour) != CLR_INVALID;
}

BOOL ExtFloodFill(HDC handle, int x, int y, COLORREF colour, UINT type) {
    if (type != FLOODFILLBORDER && type != FLOODFILLSURFACE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    LockedDc dc(handle);
    if (!dc) {
        return FALSE;
    }
    Target t = dc->target();
    POINT at;
    if (!locate(*dc, t, x, y, at)) {
        return FALSE;
    }
    Pattern pattern = pattern_of(*dc, dc->state.brush.get(), t);
    RECT bounds = t.clip.bounds();
    DrawScope scope(t, bounds);
    Surface& s = *t.surface;
    Pixel key = pixel_from_colorref(colour);
    if (t.monochrome) {
        key = mono_of(key);
    }
    auto fillable = [&](int px, int py) {
        bool same = (s.row(py)[px] & kRgbMask) == key;
        return (type == FLOODFILLSURFACE) == same;
    };
    if (!fillable(at.x, at.y)) {
        return FALSE;
    }
    // Scanline fill over a mask of visited pixels; the fill is painted once at the end, so a
    // brush of the filled colour cannot make it loop.
    int w = bounds.right - bounds.left;
    int h = bounds.bottom - bounds.top;
    std::vector<std::uint8_t> filled(static_cast<std::size_t>(w) * h, 0);
    auto mark = [&](int px, int py) -> std::uint8_t& {
        return filled[static_cast<std::size_t>(py - bounds.top) * w + (px - bounds.left)];
    };
    auto open = [&](int px, int py) {
        return t.clip.contains(px, py) && !mark(px, py) && fillable(px, py);
    };
    std::vector<POINT> stack{at};
    std::vector<std::vector<Span>> rows(static_cast<std::size_t>(h));
    while (!stack.empty()) {
        POINT p = stack.back();
        stack.pop_back();
        if (!open(p.x, p.y)) {
            continue;
        }
        int left = p.x;
        while (left - 1 >= bounds.left && open(left - 1, p.y)) {
            --left;
        }
        int right = p.x;
        while (right + 1 < bounds.right && open(right + 1, p.y)) {
            ++right;
        }
        for (int i = left; i <= right; ++i) {
            mark(i, p.y) = 1;
        }
        rows[p.y - bounds.top].emplace_back(left, right + 1);
        for (int ny : {p.y - 1, p.y + 1}) {
            if (ny < bounds.top || ny >= bounds.bottom) {
                continue;
            }
            for (int i = left; i <= right; ++i) {
                if (open(i, ny) && (i == left || !open(i - 1, ny))) {
                    stack.push_back(POINT{i, ny});
                }
            }
        }
    }
    std::vector<RECT> rects;
    for (int r = 0; r < h; ++r) {
        for (const Span& span : rows[r]) {
            rects.push_back(RECT{span.first, bounds.top + r, span.second, bounds.top + r + 1});
        }
    }
    fill_area(t, Region::from_rects(rects), pattern, R2_COPYPEN);
    return TRUE;
}

BOOL FloodFill(HDC dc, int x, int y, COLORREF border) {
    return ExtFloodFill(dc, x, y, border, FLOODFILLBORDER);
}
