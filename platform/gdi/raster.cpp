#include "gdi/raster.h"

#include <algorithm>
#include <cstring>

namespace lv::gdi {
namespace {

int positive_mod(int a, int b) {
    int m = a % b;
    return m < 0 ? m + b : m;
}

Pixel rop3_pixel(unsigned index, Pixel p, Pixel s, Pixel d) {
    Pixel r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if ((index >> i) & 1) {
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
    }
    return r;
}

template <typename F> void each(Pixel* dst, const Pixel* src, int count, F f) {
    for (int i = 0; i < count; ++i) {
        dst[i] = f(src[i], dst[i]);
    }
}

} // namespace

bool rect_empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (rect_empty(r)) {
        return RECT{0, 0, 0, 0};
    }
    return r;
}

RECT normalised(int x, int y, int width, int height) {
    RECT r{x, y, x + width, y + height};
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    return r;
}

namespace {

// Whether (x, y) of the 8 x 8 cell lies on a line of the hatch: horizontal, vertical, the two
// diagonals, cross and diagonal cross.
bool on_hatch(int hatch, int x, int y) {
    const int cx = positive_mod(x, 8), cy = positive_mod(y, 8);
    const bool across = cy == 4, down = cx == 4, forward = cx == cy, backward = cx + cy == 7;
    switch (hatch) {
    case 0:
        return across;
    case 1:
        return down;
    case 2:
        return forward;
    case 3:
        return backward;
    case 4:
        return across || down;
    default:
        return forward || backward;
    }
}

} // namespace

bool Pattern::paints(int x, int y) const {
    return hatch < 0 || !hatch_transparent || on_hatch(hatch, x - org.x, y - org.y);
}

Pixel Pattern::at(int x, int y) const {
    if (hatch >= 0) {
        return on_hatch(hatch, x - org.x, y - org.y) ? solid : hatch_bg;
    }
    if (!tile) {
        return solid;
    }
    Pixel p =
        tile->row(positive_mod(y - org.y, tile->height()))[positive_mod(x - org.x, tile->width())];
    if (tile_mono) {
        return (p & kRgbMask) ? tile_bg : tile_fg;
    }
    return p & kRgbMask;
}

Pattern pattern_of(const DeviceContext& dc, const Brush* brush, const Target& target) {
    Pattern p;
    if (!brush || brush->style == BS_NULL) {
        return p;
    }
    p.none = false;
    p.solid = pixel_from_colorref(brush->colour);
    if (brush->style == BS_PATTERN && brush->pattern && brush->pattern->width() > 0 &&
        brush->pattern->height() > 0) {
        p.tile = brush->pattern.get();
        p.tile_mono = brush->mono_pattern;
        p.tile_fg = pixel_from_colorref(dc.state.text_colour);
        p.tile_bg = pixel_from_colorref(dc.state.bk_colour);
        POINT org = dc.state.brush_org;
        p.org = POINT{org.x + target.offset.x, org.y + target.offset.y};
    }
    if (brush->style == kHatchedStyle) {
        p.hatch = brush->hatch;
        p.hatch_bg = pixel_from_colorref(dc.state.bk_colour);
        p.hatch_transparent = dc.state.bk_mode == TRANSPARENT;
        POINT org = dc.state.brush_org;
        p.org = POINT{org.x + target.offset.x, org.y + target.offset.y};
    }
    if (target.monochrome) {
        p.solid = mono_of(p.solid);
        p.hatch_bg = mono_of(p.hatch_bg);
        p.tile_fg = mono_of(p.tile_fg);
        p.tile_bg = mono_of(p.tile_bg);
    }
    return p;
}

void rop3_row(DWORD rop, Pixel* dst, const Pixel* src, const Pattern& pattern, int x, int y,
              int count) {
    if (count <= 0) {
        return;
    }
    switch (rop) {
    case SRCCOPY:
        std::memmove(dst, src, static_cast<std::size_t>(count) * sizeof(Pixel));
        return;
    case SRCAND:
        each(dst, src, count, [](Pixel s, Pixel d) { return s & d; });
        return;
    case SRCPAINT:
        each(dst, src, count, [](Pixel s, Pixel d) { return s | d; });
        return;
    case SRCINVERT:
        each(dst, src, count, [](Pixel s, Pixel d) { return s ^ d; });
        return;
    case SRCERASE:
        each(dst, src, count, [](Pixel s, Pixel d) { return s & ~d; });
        return;
    case NOTSRCCOPY:
        each(dst, src, count, [](Pixel s, Pixel) { return ~s & kRgbMask; });
        return;
    case DSTINVERT:
        for (int i = 0; i < count; ++i) {
            dst[i] = ~dst[i] & kRgbMask;
        }
        return;
    case BLACKNESS:
        std::fill(dst, dst + count, Pixel{0});
        return;
    case WHITENESS:
        std::fill(dst, dst + count, kWhite);
        return;
    default:
        break;
    }
    if (!pattern.tile) {
        Pixel p = pattern.solid;
        switch (rop) {
        case PATCOPY:
            std::fill(dst, dst + count, p);
            return;
        case PATINVERT:
            for (int i = 0; i < count; ++i) {
                dst[i] ^= p;
            }
            return;
        case MERGECOPY:
            each(dst, src, count, [p](Pixel s, Pixel) { return s & p; });
            return;
        default:
            break;
        }
    }
    unsigned index = (rop >> 16) & 0xFF;
    for (int i = 0; i < count; ++i) {
        Pixel p = pattern.at(x + i, y);
        Pixel s = src ? src[i] : 0;
        dst[i] = rop3_pixel(index, p, s, dst[i]);
    }
}

void rop2_row(int rop2, Pixel* dst, Pixel pen, int count) {
    switch (rop2) {
    case R2_COPYPEN:
        std::fill(dst, dst + count, pen);
        return;
    case R2_NOP:
        return;
    default:
        break;
    }
    unsigned table = static_cast<unsigned>(rop2 - 1);
    for (int i = 0; i < count; ++i) {
        Pixel d = dst[i];
        Pixel r = 0;
        for (unsigned k = 0; k < 4; ++k) {
            if ((table >> k) & 1) {
                r |= ((k & 2) ? pen : ~pen) & ((k & 1) ? d : ~d);
            }
        }
        dst[i] = r & kRgbMask;
    }
}

void fill_area(const Target& target, const Region& area, const Pattern& pattern, int rop2) {
    if (pattern.none || !target.surface) {
        return;
    }
    Region clipped = area.intersected(target.clip);
    for (const RECT& r : clipped.rects()) {
        int count = r.right - r.left;
        for (int y = r.top; y < r.bottom; ++y) {
            Pixel* row = target.surface->row(y) + r.left;
            if (!pattern.tile && pattern.hatch < 0) {
                rop2_row(rop2, row, pattern.solid, count);
                continue;
            }
            for (int i = 0; i < count; ++i) {
                if (pattern.paints(r.left + i, y)) {
                    rop2_row(rop2, row + i, pattern.at(r.left + i, y), 1);
                }
            }
        }
    }
}

DrawScope::DrawScope(const Target& dst, const RECT& dst_area, const Target* src,
                     const RECT* src_area)
    : m_lock(dst.surface, src ? src->surface : nullptr), m_dst(dst), m_dst_area(dst_area) {
    if (src && src_area && src->bitmap && src->bitmap->section && !src->bitmap->section->shared) {
        src->bitmap->section->load(src->bitmap->pixels, *src_area);
    }
    if (dst.bitmap && dst.bitmap->section && !dst.bitmap->section->shared) {
        dst.bitmap->section->load(dst.bitmap->pixels, dst_area);
    }
}

DrawScope::~DrawScope() {
    // Still under the surface lock: the display learns what this call may have changed.
    if (m_dst.surface && !rect_empty(m_dst_area))
        m_dst.surface->add_damage(intersect(m_dst_area, m_dst.clip.bounds()));
    if (m_dst.bitmap && m_dst.bitmap->section && !m_dst.bitmap->section->shared) {
        m_dst.bitmap->section->store(m_dst.bitmap->pixels, m_dst_area);
    }
}

} // namespace lv::gdi
