#include "gdi/blit_engine.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv::gdi {
namespace {

struct Axis {
    int dst_start{0};
    int count{0};
    std::vector<int> map;     // source index per destination index, -1 outside the source
    std::vector<int> box_end; // averaged modes: end of each source box (exclusive)
    bool identity{false};
    int first_valid{0};
    int last_valid{0}; // exclusive
};

// Maps `count` destination positions onto `src_count` source positions from `src_start`,
// mirrored when `flip`; positions outside [lo, hi) are invalid.
Axis map_axis(int dst_start, int count, int src_start, int src_count, bool flip, int lo, int hi,
              bool boxes) {
    Axis a;
    a.dst_start = dst_start;
    a.count = count;
    a.identity = !flip && count == src_count;
    a.map.resize(count);
    if (boxes) {
        a.box_end.resize(count);
    }
    for (int i = 0; i < count; ++i) {
        long long k = count == src_count ? i : (2LL * i + 1) * src_count / (2LL * count);
        if (boxes && count != src_count) {
            long long b0 = static_cast<long long>(i) * src_count / count;
            long long b1 = std::max(b0 + 1, static_cast<long long>(i + 1) * src_count / count);
            if (src_count < count) {
                b0 = k;
                b1 = k + 1;
            }
            k = b0;
            a.box_end[i] = static_cast<int>(b1 - b0);
        } else if (boxes) {
            a.box_end[i] = 1;
        }
        int j = flip ? src_start + src_count - 1 - static_cast<int>(k)
                     : src_start + static_cast<int>(k);
        if (boxes && flip) {
            j -= a.box_end[i] - 1; // the box runs upwards from its mirrored start
        }
        a.map[i] = j;
    }
    // Valid positions form one run because the map is monotonic.
    a.first_valid = count;
    a.last_valid = 0;
    for (int i = 0; i < count; ++i) {
        int end = boxes ? a.map[i] + a.box_end[i] : a.map[i] + 1;
        if (a.map[i] >= lo && end <= hi) {
            a.first_valid = std::min(a.first_valid, i);
            a.last_valid = i + 1;
        }
    }
    return a;
}

inline Pixel convert(Pixel s, const Blit& b, bool to_mono, bool from_mono) {
    if (from_mono) {
        return (s & kRgbMask) ? b.bk : b.text;
    }
    if (to_mono) {
        if (b.src->mono_by_brightness) {
            return mono_of(s);
        }
        return (s & kRgbMask) == b.src->bk ? kWhite : 0;
    }
    return s;
}

// Averages (HALFTONE), ANDs (BLACKONWHITE) or ORs (WHITEONBLACK) a box of source pixels.
inline Pixel reduce_box(const Surface& s, int x0, int w, int y0, int h, int mode) {
    if (w == 1 && h == 1) {
        return s.row(y0)[x0];
    }
    if (mode == BLACKONWHITE || mode == WHITEONBLACK) {
        Pixel acc = mode == BLACKONWHITE ? ~Pixel{0} : 0;
        for (int y = y0; y < y0 + h; ++y) {
            const Pixel* r = s.row(y) + x0;
            for (int x = 0; x < w; ++x) {
                acc = mode == BLACKONWHITE ? (acc & r[x]) : (acc | r[x]);
            }
        }
        return acc;
    }
    unsigned sum[4] = {0, 0, 0, 0};
    for (int y = y0; y < y0 + h; ++y) {
        const Pixel* r = s.row(y) + x0;
        for (int x = 0; x < w; ++x) {
            Pixel p = r[x];
            sum[0] += p & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += (p >> 16) & 0xFF;
            sum[3] += p >> 24;
        }
    }
    unsigned n = static_cast<unsigned>(w * h);
    unsigned half = n / 2;
    return ((sum[0] + half) / n) | (((sum[1] + half) / n) << 8) | (((sum[2] + half) / n) << 16) |
           (((sum[3] + half) / n) << 24);
}

} // namespace

RECT blit_dst_area(const Blit& b) {
    return normalised(b.x, b.y, b.width, b.height);
}

RECT blit_src_area(const Blit& b) {
    return normalised(b.src_x, b.src_y, b.src_width, b.src_height);
}

void run_blit(const Blit& b) {
    const Target& t = *b.dst;
    if (!t.surface || b.width == 0 || b.height == 0) {
        return;
    }
    RECT d = blit_dst_area(b);
    bool needs_src = rop_uses_source(b.rop) || b.keyed;
    const Surface* src = needs_src && b.src ? b.src->surface : nullptr;
    if (needs_src && !src) {
        return;
    }
    RECT s = src ? blit_src_area(b) : d;
    bool flip_x = src && ((b.width < 0) != (b.src_width < 0));
    bool flip_y = src && ((b.height < 0) != (b.src_height < 0));
    int dw = d.right - d.left;
    int dh = d.bottom - d.top;
    int sw = s.right - s.left;
    int sh = s.bottom - s.top;
    if (src && (sw == 0 || sh == 0)) {
        return;
    }
    bool shrinking = src && (sw > dw || sh > dh);
    bool boxes = shrinking && b.stretch_mode != COLORONCOLOR;
    RECT bounds = src ? b.src->bounds : RECT{d.left, d.top, d.right, d.bottom};
    Axis ax = map_axis(d.left, dw, s.left, sw, flip_x, bounds.left, bounds.right, boxes);
    Axis ay = map_axis(d.top, dh, s.top, sh, flip_y, bounds.top, bounds.bottom, boxes);
    RECT valid{d.left + ax.first_valid, d.top + ay.first_valid, d.left + ax.last_valid,
               d.top + ay.last_valid};
    if (rect_empty(valid)) {
        return;
    }

    bool to_mono = t.monochrome && src && !b.src->mono;
    bool from_mono = src && b.src->mono && !t.monochrome;
    bool direct = src && ax.identity && ay.identity && !to_mono && !from_mono && !b.keyed;

    // A source that overlaps the destination on the same surface is read from a copy.
    Surface copy;
    BlitSource copy_source;
    const BlitSource* source = b.src;
    int src_shift_x = 0;
    int src_shift_y = 0;
    if (src == t.surface && !rect_empty(intersect(d, s))) {
        RECT area = intersect(s, bounds);
        copy.resize(area.right - area.left, area.bottom - area.top);
        for (int y = area.top; y < area.bottom; ++y) {
            std::memcpy(copy.row(y - area.top), src->row(y) + area.left,
                        static_cast<std::size_t>(copy.width()) * sizeof(Pixel));
        }
        copy_source = *b.src;
        copy_source.surface = &copy;
        source = &copy_source;
        src = &copy;
        src_shift_x = -area.left;
        src_shift_y = -area.top;
    }

    std::vector<Pixel> row_buffer(static_cast<std::size_t>(dw));
    Region area = t.clip.intersected(Region(valid));
    for (const RECT& c : area.rects()) {
        int n = c.right - c.left;
        for (int y = c.top; y < c.bottom; ++y) {
            Pixel* out = t.surface->row(y) + c.left;
            const Pixel* in = nullptr;
            if (src) {
                int iy = y - d.top;
                int sy = ay.map[iy] + src_shift_y;
                if (direct) {
                    in = src->row(sy) + (c.left - d.left + s.left + src_shift_x);
                } else if (!boxes && !to_mono && !from_mono) {
                    // Nearest-neighbour stretch: a gather through the column map, straight into
                    // the target for a plain copy.
                    const Pixel* srow = src->row(sy) + src_shift_x;
                    const int* map = ax.map.data() + (c.left - d.left);
                    Pixel* buf = (b.rop == SRCCOPY && !b.keyed) ? out : row_buffer.data();
                    for (int i = 0; i < n; ++i) {
                        buf[i] = srow[map[i]];
                    }
                    if (buf == out) {
                        continue;
                    }
                    in = buf;
                } else {
                    Pixel* buf = row_buffer.data();
                    const Pixel* srow = src->row(sy);
                    for (int i = 0; i < n; ++i) {
                        int ix = c.left - d.left + i;
                        int sx = ax.map[ix] + src_shift_x;
                        Pixel p = boxes ? reduce_box(*src, sx, ax.box_end[ix], sy, ay.box_end[iy],
                                                     b.stretch_mode)
                                        : srow[sx];
                        buf[i] = convert(p, b, to_mono, from_mono);
                    }
                    in = buf;
                }
            }
            if (b.keyed) {
                for (int i = 0; i < n; ++i) {
                    if ((in[i] & kRgbMask) != b.key) {
                        out[i] = in[i];
                    }
                }
                continue;
            }
            rop3_row(b.rop, out, in, b.pattern, c.left, y, n);
        }
    }
    (void)source;
}

} // namespace lv::gdi
