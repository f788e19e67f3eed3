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

// ceil(2^32 / n): division by multiplication, exact for sums of up to 256 bytes.
struct Reciprocals {
    std::uint64_t value[257]{};
    Reciprocals() {
        for (std::uint64_t n = 1; n <= 256; ++n) {
            value[n] = ((std::uint64_t{1} << 32) + n - 1) / n;
        }
    }
};
const Reciprocals kReciprocals;

// HALFTONE shrinking: the average of each source box, two channels per 32-bit lane pair.
// Boxes hold at most 256 pixels, so no lane overflows.
void average_boxes(const Surface& src, const Axis& ax, int first, int count, int shift_x, int y0,
                   int rows, Pixel* out) {
    for (int i = 0; i < count; ++i) {
        int ix = first + i;
        int x0 = ax.map[ix] + shift_x;
        int w = ax.box_end[ix];
        Pixel rb = 0;
        Pixel ag = 0;
        for (int y = y0; y < y0 + rows; ++y) {
            const Pixel* r = src.row(y) + x0;
            for (int x = 0; x < w; ++x) {
                rb += r[x] & 0x00FF00FF;
                ag += (r[x] >> 8) & 0x00FF00FF;
            }
        }
        auto n = static_cast<unsigned>(w * rows);
        std::uint64_t reciprocal = kReciprocals.value[n];
        std::uint64_t half = n / 2;
        auto lane = [reciprocal, half](Pixel v) {
            return static_cast<Pixel>(((v + half) * reciprocal) >> 32) & 0xFF;
        };
        out[i] = lane(rb & 0xFFFF) | (lane(ag & 0xFFFF) << 8) | (lane(rb >> 16) << 16) |
                 (lane(ag >> 16) << 24);
    }
}

} // namespace

RECT blit_dst_area(const Blit& b) {
    return normalised(b.x, b.y, b.width, b.height);
}

RECT blit_src_area(const Blit& b) {
    return normalised(b.src_x, b.src_y, b.src_width, b.src_height);
}

namespace {

// Everything a blit decides before its loop: the mapping of destination to source pixels,
// the conversions, and the surface it reads (a copy when it overlaps the destination).
struct Plan {
    RECT d{};
    RECT s{};
    RECT valid{};
    Axis ax;
    Axis ay;
    const Surface* src{nullptr};
    Surface copy;
    int shift_x{0};
    int shift_y{0};
    bool boxes{false};
    bool to_mono{false};
    bool from_mono{false};
    bool direct{false};
    int max_box_width{1};
};

bool plan_blit(const Blit& b, Plan& p) {
    const Target& t = *b.dst;
    p.d = blit_dst_area(b);
    bool needs_src = rop_uses_source(b.rop) || b.keyed;
    p.src = needs_src && b.src ? b.src->surface : nullptr;
    if (needs_src && !p.src) {
        return false;
    }
    p.s = p.src ? blit_src_area(b) : p.d;
    int dw = p.d.right - p.d.left;
    int dh = p.d.bottom - p.d.top;
    int sw = p.s.right - p.s.left;
    int sh = p.s.bottom - p.s.top;
    if (p.src && (sw == 0 || sh == 0)) {
        return false;
    }
    bool flip_x = p.src && ((b.width < 0) != (b.src_width < 0));
    bool flip_y = p.src && ((b.height < 0) != (b.src_height < 0));
    p.boxes = p.src && (sw > dw || sh > dh) && b.stretch_mode != COLORONCOLOR;
    RECT bounds = p.src ? b.src->bounds : p.d;
    p.ax = map_axis(p.d.left, dw, p.s.left, sw, flip_x, bounds.left, bounds.right, p.boxes);
    p.ay = map_axis(p.d.top, dh, p.s.top, sh, flip_y, bounds.top, bounds.bottom, p.boxes);
    p.valid = RECT{p.d.left + p.ax.first_valid, p.d.top + p.ay.first_valid,
                   p.d.left + p.ax.last_valid, p.d.top + p.ay.last_valid};
    if (rect_empty(p.valid)) {
        return false;
    }
    p.to_mono = t.monochrome && p.src && !b.src->mono;
    p.from_mono = p.src && b.src->mono && !t.monochrome;
    p.direct = p.src && p.ax.identity && p.ay.identity && !p.to_mono && !p.from_mono && !b.keyed;
    for (int w : p.ax.box_end) {
        p.max_box_width = std::max(p.max_box_width, w);
    }
    if (p.src == t.surface && !rect_empty(intersect(p.d, p.s))) {
        RECT area = intersect(p.s, bounds);
        p.copy.resize(area.right - area.left, area.bottom - area.top);
        for (int y = area.top; y < area.bottom; ++y) {
            std::memcpy(p.copy.row(y - area.top), p.src->row(y) + area.left,
                        static_cast<std::size_t>(p.copy.width()) * sizeof(Pixel));
        }
        p.src = &p.copy;
        p.shift_x = -area.left;
        p.shift_y = -area.top;
    }
    return true;
}

// The source pixels for `n` destination pixels of row y from column `left`, converted to the
// destination's kind. A plain nearest-neighbour copy goes straight into `out` (null returned).
const Pixel* source_row(const Blit& b, const Plan& p, int y, int left, int n, Pixel* out,
                        Pixel* buffer) {
    int iy = y - p.d.top;
    int ix0 = left - p.d.left;
    int sy = p.ay.map[iy] + p.shift_y;
    if (p.direct) {
        return p.src->row(sy) + (ix0 + p.s.left + p.shift_x);
    }
    if (!p.boxes && !p.to_mono && !p.from_mono) {
        const Pixel* srow = p.src->row(sy) + p.shift_x;
        const int* map = p.ax.map.data() + ix0;
        Pixel* into = (b.rop == SRCCOPY && !b.keyed) ? out : buffer;
        for (int i = 0; i < n; ++i) {
            into[i] = srow[map[i]];
        }
        return into == out ? nullptr : buffer;
    }
    if (p.boxes && b.stretch_mode == HALFTONE && !p.to_mono && !p.from_mono &&
        p.ay.box_end[iy] * p.max_box_width <= 256) {
        average_boxes(*p.src, p.ax, ix0, n, p.shift_x, sy, p.ay.box_end[iy], buffer);
        return buffer;
    }
    const Pixel* srow = p.src->row(sy);
    for (int i = 0; i < n; ++i) {
        int sx = p.ax.map[ix0 + i] + p.shift_x;
        Pixel px = p.boxes ? reduce_box(*p.src, sx, p.ax.box_end[ix0 + i], sy, p.ay.box_end[iy],
                                        b.stretch_mode)
                           : srow[sx];
        buffer[i] = convert(px, b, p.to_mono, p.from_mono);
    }
    return buffer;
}

// A plain 1:1 SRCCOPY: row by row through each band of the clip, so that a clip of many
// narrow rectangles walks memory in rows rather than down columns.
void copy_direct(const Plan& p, const std::vector<RECT>& rects, Surface& target) {
    const int dx = p.s.left - p.d.left + p.shift_x;
    const int dy = p.s.top - p.d.top + p.shift_y;
    for (std::size_t first = 0; first < rects.size();) {
        std::size_t end = first;
        while (end < rects.size() && rects[end].top == rects[first].top) {
            ++end;
        }
        for (int y = rects[first].top; y < rects[first].bottom; ++y) {
            Pixel* out = target.row(y);
            const Pixel* in = p.src->row(y + dy) + dx;
            for (std::size_t i = first; i < end; ++i) {
                const int left = rects[i].left;
                const int n = rects[i].right - left;
                if (n == 1) {
                    out[left] = in[left];
                } else {
                    std::memcpy(out + left, in + left, static_cast<std::size_t>(n) * sizeof(Pixel));
                }
            }
        }
        first = end;
    }
}

} // namespace

void run_blit(const Blit& b) {
    const Target& t = *b.dst;
    if (!t.surface || b.width == 0 || b.height == 0) {
        return;
    }
    Plan p;
    if (!plan_blit(b, p)) {
        return;
    }
    Region area = t.clip.intersected(Region(p.valid));
    if (p.direct && b.rop == SRCCOPY) {
        copy_direct(p, area.rects(), *t.surface);
        return;
    }
    std::vector<Pixel> buffer(static_cast<std::size_t>(p.d.right - p.d.left));
    for (const RECT& c : area.rects()) {
        int n = c.right - c.left;
        for (int y = c.top; y < c.bottom; ++y) {
            Pixel* out = t.surface->row(y) + c.left;
            const Pixel* in = nullptr;
            if (p.src) {
                in = source_row(b, p, y, c.left, n, out, buffer.data());
                if (!in) {
                    continue; // already copied into place
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
}

} // namespace lv::gdi
