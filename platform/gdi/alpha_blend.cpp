// AlphaBlend: constant alpha, and per-pixel premultiplied alpha (AC_SRC_ALPHA).
#include "gdi/alpha_rows.h"
#include "gdi/raster.h"
#include "win32/errors.h"

#include <vector>

using namespace lv::gdi;

namespace {

// x / 255 rounded, for two 16-bit lanes at once (each lane at most 255 * 255).
inline Pixel div255_lanes(Pixel x) {
    x += 0x00800080;
    return ((x + ((x >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

// Premultiplied source over destination: s scaled by the constant alpha, then
// d = s' + d * (255 - alpha(s')) / 255.
inline Pixel blend_premultiplied(Pixel s, Pixel d, Pixel constant) {
    if (constant != 255) {
        s = div255_lanes((s & 0x00FF00FF) * constant) |
            (div255_lanes(((s >> 8) & 0x00FF00FF) * constant) << 8);
    }
    Pixel ia = 255 - (s >> 24);
    if (ia == 0) {
        return s;
    }
    Pixel rb = (s & 0x00FF00FF) + div255_lanes((d & 0x00FF00FF) * ia);
    Pixel ag = ((s >> 8) & 0x00FF00FF) + div255_lanes(((d >> 8) & 0x00FF00FF) * ia);
    // Channels of a valid premultiplied pixel stay within a byte; clamp the others.
    auto clamp = [](Pixel lanes) {
        Pixel lo = lanes & 0xFFFF;
        Pixel hi = lanes >> 16;
        return (lo > 255 ? 255 : lo) | ((hi > 255 ? 255 : hi) << 16);
    };
    return clamp(rb) | (clamp(ag) << 8);
}

} // namespace

BOOL AlphaBlend(HDC dst_dc, int x, int y, int width, int height, HDC src_dc, int src_x, int src_y,
                int src_width, int src_height, BLENDFUNCTION blend) {
    if (width < 0 || height < 0 || src_width < 0 || src_height < 0 ||
        blend.BlendOp != AC_SRC_OVER || (blend.AlphaFormat & ~AC_SRC_ALPHA) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    LockedDcPair pair(dst_dc, src_dc);
    if (!pair) {
        return FALSE;
    }
    Target t = pair.dst().target();
    Target st = pair.src().target();
    if (!t.surface || !st.surface) {
        return FALSE;
    }
    POINT dp = pair.dst().to_device(x, y);
    POINT sp = pair.src().to_device(src_x, src_y);
    RECT d{dp.x + t.offset.x, dp.y + t.offset.y, dp.x + t.offset.x + width,
           dp.y + t.offset.y + height};
    RECT s{sp.x + st.offset.x, sp.y + st.offset.y, sp.x + st.offset.x + src_width,
           sp.y + st.offset.y + src_height};
    // The source rectangle must lie inside the source.
    if (s.left < 0 || s.top < 0 || s.right > st.surface->width() ||
        s.bottom > st.surface->height()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (width == 0 || height == 0 || src_width == 0 || src_height == 0) {
        return TRUE;
    }
    bool same = st.surface == t.surface;
    DrawScope scope(t, d, &st, &s);
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) {
        columns[i] = s.left + static_cast<int>((2LL * i + 1) * src_width / (2LL * width));
    }
    bool identity = width == src_width && height == src_height && !same;
    Pixel constant = blend.SourceConstantAlpha;
    bool per_pixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    std::vector<Pixel> copy;
    Region area = t.clip.intersected(Region(d));
    for (const RECT& c : area.rects()) {
        int n = c.right - c.left;
        copy.resize(static_cast<std::size_t>(n));
        for (int yy = c.top; yy < c.bottom; ++yy) {
            int iy = yy - d.top;
            int sy = s.top + (height == src_height
                                  ? iy
                                  : static_cast<int>((2LL * iy + 1) * src_height / (2LL * height)));
            Pixel* out = t.surface->row(yy) + c.left;
            const Pixel* in;
            if (identity) {
                in = st.surface->row(sy) + s.left + (c.left - d.left);
            } else {
                const Pixel* srow = st.surface->row(sy);
                for (int i = 0; i < n; ++i) {
                    copy[i] = srow[columns[c.left - d.left + i]];
                }
                in = copy.data();
            }
            if (per_pixel) {
                for (int i = 0; i < n; ++i) {
                    out[i] = blend_premultiplied(in[i], out[i], constant);
                }
            } else if (constant == 255) {
                std::copy(in, in + n, out);
            } else if (constant != 0) {
                blend_constant_row(in, out, n, constant);
            }
        }
    }
    return TRUE;
}
