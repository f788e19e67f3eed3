// Blits between DCs and from DIB bits: BitBlt, StretchBlt, PatBlt, TransparentBlt,
// StretchDIBits and SetDIBitsToDevice.
#include "gdi/blit_engine.h"
#include "win32/errors.h"

#include <cstring>

using namespace lv::gdi;

namespace {

Blit destination_blit(const DeviceContext& dc, const Target& t, int x, int y, int width, int height,
                      DWORD rop) {
    Blit b;
    POINT p = dc.to_device(x, y);
    b.dst = &t;
    b.x = p.x + t.offset.x;
    b.y = p.y + t.offset.y;
    b.width = width;
    b.height = height;
    b.rop = rop;
    b.stretch_mode = dc.state.stretch_mode;
    b.text = pixel_from_colorref(dc.state.text_colour);
    b.bk = pixel_from_colorref(dc.state.bk_colour);
    if (t.monochrome) {
        b.text = mono_of(b.text);
        b.bk = mono_of(b.bk);
    }
    if (rop_uses_pattern(rop)) {
        b.pattern = pattern_of(dc, dc.state.brush.get(), t);
        if (b.pattern.none) {
            b.pattern.none = false; // a null brush paints as black in a blit
            b.pattern.solid = 0;
        }
    }
    return b;
}

BlitSource source_of(const DeviceContext& dc, const Target& t) {
    BlitSource s;
    s.surface = t.surface;
    if (t.surface) {
        s.bounds = RECT{0, 0, t.surface->width(), t.surface->height()};
    }
    s.mono = t.monochrome;
    s.bk = pixel_from_colorref(dc.state.bk_colour);
    return s;
}

BOOL blit_between(HDC dst_dc, int x, int y, int width, int height, HDC src_dc, int sx, int sy,
                  int sw, int sh, DWORD rop, bool stretch,
                  const std::optional<Pixel>& key = std::nullopt) {
    if (!rop_uses_source(rop) && !key) {
        LockedDc dc(dst_dc);
        if (!dc) {
            return FALSE;
        }
        Target t = dc->target();
        if (!t.surface) {
            return FALSE;
        }
        Blit b = destination_blit(*dc, t, x, y, width, height, rop);
        DrawScope scope(t, blit_dst_area(b));
        run_blit(b);
        return TRUE;
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
    Blit b = destination_blit(pair.dst(), t, x, y, width, height, rop);
    if (!stretch) {
        b.stretch_mode = COLORONCOLOR;
    }
    BlitSource source = source_of(pair.src(), st);
    POINT sp = pair.src().to_device(sx, sy);
    b.src = &source;
    b.src_x = sp.x + st.offset.x;
    b.src_y = sp.y + st.offset.y;
    b.src_width = sw;
    b.src_height = sh;
    if (key) {
        b.keyed = true;
        b.key = *key;
    }
    RECT src_area = blit_src_area(b);
    DrawScope scope(t, blit_dst_area(b), &st, &src_area);
    run_blit(b);
    return TRUE;
}

// A picture over DIB bits of `rows` rows: a view of the caller's memory when the format is
// the surface's own, otherwise the needed rectangle converted.
struct DibPicture {
    Surface surface;
    POINT shift{0, 0}; // picture -> surface coordinates
};

void open_picture(DibPicture& pic, const DibFormat& f, const void* bits, int rows,
                  const RECT& need) {
    auto* base = const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(bits));
    auto stride = static_cast<std::ptrdiff_t>(f.stride);
    if (f.native()) {
        std::uint8_t* top = base + (f.bottom_up ? stride * (rows - 1) : 0);
        pic.surface.attach(top, f.width, rows, f.bottom_up ? -stride : stride);
        return;
    }
    RECT r = intersect(need, RECT{0, 0, f.width, rows});
    pic.surface.resize(r.right - r.left, r.bottom - r.top);
    pic.shift = POINT{-r.left, -r.top};
    for (int y = r.top; y < r.bottom; ++y) {
        int stored = f.bottom_up ? rows - 1 - y : y;
        dib_row_to_pixels(f, base + f.stride * static_cast<std::size_t>(stored), r.left,
                          r.right - r.left, pic.surface.row(y - r.top));
    }
}

int blit_picture(HDC handle, int x, int y, int width, int height, const DibPicture& pic, int px,
                 int py, int pw, int ph, DWORD rop, bool stretch) {
    LockedDc dc(handle);
    if (!dc) {
        return 0;
    }
    Target t = dc->target();
    if (!t.surface) {
        return 0;
    }
    Blit b = destination_blit(*dc, t, x, y, width, height, rop);
    if (!stretch) {
        b.stretch_mode = COLORONCOLOR;
    }
    BlitSource source;
    source.surface = &pic.surface;
    source.bounds = RECT{0, 0, pic.surface.width(), pic.surface.height()};
    source.mono_by_brightness = true;
    b.src = &source;
    b.src_x = px + pic.shift.x;
    b.src_y = py + pic.shift.y;
    b.src_width = pw;
    b.src_height = ph;
    DrawScope scope(t, blit_dst_area(b));
    run_blit(b);
    return 1;
}

} // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
            DWORD rop) {
    return blit_between(dst, x, y, width, height, src, src_x, src_y, width, height, rop, false);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
                int src_width, int src_height, DWORD rop) {
    return blit_between(dst, x, y, width, height, src, src_x, src_y, src_width, src_height, rop,
                        true);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (rop_uses_source(rop)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return blit_between(dc, x, y, width, height, nullptr, 0, 0, 0, 0, rop, false);
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
                    int src_width, int src_height, UINT transparent) {
    if (width < 0 || height < 0 || src_width < 0 || src_height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return blit_between(dst, x, y, width, height, src, src_x, src_y, src_width, src_height, SRCCOPY,
                        true, pixel_from_colorref(transparent));
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int src_x, int src_y, int src_width,
                  int src_height, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    std::optional<DibFormat> f = parse_dib_format(info, usage);
    if (!f || (!bits && rop_uses_source(rop))) {
        return 0;
    }
    if (!rop_uses_source(rop)) {
        return PatBlt(dc, x, y, width, height, rop) ? f->height : 0;
    }
    // For bottom-up DIBs the source's y counts from the bottom row.
    RECT r = normalised(src_x, src_y, src_width, src_height);
    if (f->bottom_up) {
        r = RECT{r.left, f->height - r.bottom, r.right, f->height - r.top};
    }
    DibPicture pic;
    open_picture(pic, *f, bits, f->height, r);
    int px = src_width < 0 ? r.right : r.left;
    int py = src_height < 0 ? r.bottom : r.top;
    if (!blit_picture(dc, x, y, width, height, pic, px, py, src_width, src_height, rop, true)) {
        return 0;
    }
    return f->height;
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int src_x, int src_y,
                      UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
    std::optional<DibFormat> f = parse_dib_format(info, usage);
    if (!f || !bits || lines == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        return 0;
    }
    int rows = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(f->height)));
    int w = static_cast<int>(width);
    int h = static_cast<int>(height);
    long long first = std::max<long long>(src_y, start);
    long long last = std::min<long long>(static_cast<long long>(src_y) + h,
                                         static_cast<long long>(start) + rows);
    if (first >= last) {
        return 0;
    }
    // The buffer holds scan lines start .. start + rows - 1; picture row 0 is its top row.
    int p0;
    int dst_y;
    if (f->bottom_up) {
        p0 = static_cast<int>(start + rows - last);
        dst_y = static_cast<int>(y + src_y + h - last);
    } else {
        p0 = static_cast<int>(first - start);
        dst_y = static_cast<int>(y + first - src_y);
    }
    int count = static_cast<int>(last - first);
    DibPicture pic;
    open_picture(pic, *f, bits, rows, RECT{src_x, p0, src_x + w, p0 + count});
    if (!blit_picture(dc, x, dst_y, w, count, pic, src_x, p0, w, count, SRCCOPY, false)) {
        return 0;
    }
    return rows;
}
