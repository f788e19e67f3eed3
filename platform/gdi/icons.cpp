// Icons as a colour bitmap and a mask: creation, information and drawing (DrawIcon,
// DrawIconEx, DrawState).
#include "gdi/painter.h"
#include "gdi/surface_dc.h"
#include "win32/errors.h"

#include <cstring>

using namespace lv::gdi;

namespace {

constexpr int kHilight = 20;
constexpr int kShadow = 16;

std::shared_ptr<Surface> copy_pixels(Bitmap& bitmap, int top, int height) {
    auto copy = std::make_shared<Surface>(bitmap.width(), height);
    SurfaceLock lock(&bitmap.pixels);
    if (bitmap.section && !bitmap.section->shared) {
        bitmap.section->load(bitmap.pixels, RECT{0, 0, bitmap.width(), bitmap.height()});
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(copy->row(y), bitmap.pixels.row(top + y),
                    static_cast<std::size_t>(bitmap.width()) * sizeof(Pixel));
    }
    return copy;
}

HBITMAP bitmap_from(const Surface& pixels, int bits_pixel) {
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->bits_pixel = bits_pixel;
    bitmap->pixels.resize(pixels.width(), pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        std::memcpy(bitmap->pixels.row(y), pixels.row(y),
                    static_cast<std::size_t>(pixels.width()) * sizeof(Pixel));
    }
    return static_cast<HBITMAP>(add_handle(bitmap));
}

bool has_alpha(const Surface& s) {
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.row(y)[x] >> 24) {
                return true;
            }
        }
    }
    return false;
}

// Draws an icon scaled to (x, y, w, h), device coordinates. `flat` paints its shape in one
// colour instead (DrawState's disabled look).
void paint_icon(Painter& painter, const Icon& icon, POINT at, int w, int h, UINT flags,
                const std::optional<Pixel>& flat) {
    const Target& t = painter.target();
    if (!t.surface || w <= 0 || h <= 0) {
        return;
    }
    RECT d{at.x + t.offset.x, at.y + t.offset.y, at.x + t.offset.x + w, at.y + t.offset.y + h};
    DrawScope scope(t, d);
    Region area = t.clip.intersected(Region(d));
    bool alpha = icon.colour && has_alpha(*icon.colour);
    bool mono = !icon.colour; // the mask's lower half holds the image
    for (const RECT& c : area.rects()) {
        for (int y = c.top; y < c.bottom; ++y) {
            int sy = static_cast<int>(static_cast<long long>(y - d.top) * icon.height / h);
            Pixel* out = t.surface->row(y);
            for (int x = c.left; x < c.right; ++x) {
                int sx = static_cast<int>(static_cast<long long>(x - d.left) * icon.width / w);
                Pixel m = icon.mask->row(sy)[sx] & kRgbMask;
                Pixel image = mono ? (icon.mask->row(sy + icon.height)[sx] & kRgbMask)
                                   : icon.colour->row(sy)[sx];
                if (flat) {
                    bool opaque = alpha ? (image >> 24) >= 128 : (m == 0);
                    if (opaque) {
                        out[x] = *flat;
                    }
                    continue;
                }
                if (alpha && (flags & DI_IMAGE)) {
                    Pixel a = image >> 24;
                    Pixel dst = out[x];
                    Pixel r = 0;
                    for (int shift = 0; shift < 24; shift += 8) {
                        Pixel s = (image >> shift) & 0xFF;
                        Pixel dd = (dst >> shift) & 0xFF;
                        r |= ((s * a + dd * (255 - a) + 127) / 255) << shift;
                    }
                    out[x] = r;
                    continue;
                }
                if (flags & DI_MASK) {
                    out[x] &= m | 0xFF000000;
                }
                if (flags & DI_IMAGE) {
                    out[x] ^= image & kRgbMask;
                }
            }
        }
    }
}

} // namespace

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto mask = find<Bitmap>(info->hbmMask);
    auto colour = info->hbmColor ? find<Bitmap>(info->hbmColor) : nullptr;
    if (!mask || (info->hbmColor && !colour)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto icon = std::make_shared<Icon>();
    icon->is_icon = info->fIcon != FALSE;
    icon->hotspot_x = info->fIcon ? static_cast<DWORD>(mask->width() / 2) : info->xHotspot;
    icon->width = mask->width();
    icon->height = colour ? mask->height() : mask->height() / 2;
    if (icon->width <= 0 || icon->height <= 0 ||
        (colour && (colour->width() < icon->width || colour->height() < icon->height))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    icon->hotspot_y = info->fIcon ? static_cast<DWORD>(icon->height / 2) : info->yHotspot;
    icon->mask = copy_pixels(*mask, 0, mask->height());
    if (colour) {
        icon->colour = copy_pixels(*colour, 0, icon->height);
    }
    return static_cast<HICON>(add_handle(icon));
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    auto icon = find<Icon>(handle);
    if (!icon || !info) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    info->fIcon = icon->is_icon;
    info->xHotspot = icon->hotspot_x;
    info->yHotspot = icon->hotspot_y;
    // The caller owns copies of both bitmaps.
    info->hbmMask = bitmap_from(*icon->mask, 1);
    info->hbmColor = icon->colour ? bitmap_from(*icon->colour, 32) : nullptr;
    return TRUE;
}

BOOL DestroyIcon(HICON icon) {
    if (!remove_handle(icon, Kind::icon)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HICON CopyIcon(HICON handle) {
    auto icon = find<Icon>(handle);
    if (!icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto copy = std::make_shared<Icon>();
    copy->is_icon = icon->is_icon;
    copy->hotspot_x = icon->hotspot_x;
    copy->hotspot_y = icon->hotspot_y;
    copy->width = icon->width;
    copy->height = icon->height;
    copy->mask = icon->mask; // pixels never change after creation
    copy->colour = icon->colour;
    return static_cast<HICON>(add_handle(copy));
}

BOOL DrawIconEx(HDC handle, int x, int y, HICON icon_handle, int width, int height, UINT, HBRUSH,
                UINT flags) {
    auto icon = find<Icon>(icon_handle);
    LockedDc dc(handle);
    if (!dc || !icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((flags & DI_NORMAL) == 0) {
        flags |= DI_NORMAL;
    }
    Painter painter(*dc);
    int w = width > 0 ? width : icon->width;
    int h = height > 0 ? height : icon->height;
    paint_icon(painter, *icon, dc->to_device(x, y), w, h, flags, std::nullopt);
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL DrawStateA(HDC handle, HBRUSH, DRAWSTATEPROC callback, LPARAM data, WPARAM wdata, int x, int y,
                int width, int height, UINT flags) {
    UINT type = flags & 0x000F;
    bool disabled = (flags & DSS_DISABLED) != 0;
    if (type == DST_ICON) {
        auto icon = find<Icon>(reinterpret_cast<HICON>(data));
        LockedDc dc(handle);
        if (!dc || !icon) {
            return FALSE;
        }
        Painter painter(*dc);
        POINT at = dc->to_device(x, y);
        int w = width > 0 ? width : icon->width;
        int h = height > 0 ? height : icon->height;
        if (!disabled) {
            paint_icon(painter, *icon, at, w, h, DI_NORMAL, std::nullopt);
            return TRUE;
        }
        // Embossed: the shape in the highlight colour one pixel down-right, then in the shadow.
        paint_icon(painter, *icon, POINT{at.x + 1, at.y + 1}, w, h, DI_NORMAL,
                   pixel_from_colorref(system_colour(kHilight)));
        paint_icon(painter, *icon, at, w, h, DI_NORMAL,
                   pixel_from_colorref(system_colour(kShadow)));
        return TRUE;
    }
    if (type == DST_BITMAP) {
        HDC memory = CreateCompatibleDC(handle);
        HGDIOBJ old = SelectObject(memory, reinterpret_cast<HBITMAP>(data));
        BOOL ok = FALSE;
        if (old) {
            BITMAP bm{};
            GetObjectA(reinterpret_cast<HBITMAP>(data), sizeof bm, &bm);
            ok = BitBlt(handle, x, y, width > 0 ? width : bm.bmWidth,
                        height > 0 ? height : bm.bmHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
        }
        DeleteDC(memory);
        return ok;
    }
    if (type == DST_TEXT || type == DST_PREFIXTEXT) {
        const char* text = reinterpret_cast<const char*>(data);
        if (!text) {
            return FALSE;
        }
        RECT r{x, y, x + (width > 0 ? width : 0x3FFF), y + (height > 0 ? height : 0x3FFF)};
        UINT format = DT_SINGLELINE | DT_NOCLIP | (type == DST_TEXT ? DT_NOPREFIX : 0);
        int length = wdata ? static_cast<int>(wdata) : -1;
        if (!disabled) {
            return DrawTextA(handle, text, length, &r, format) != 0;
        }
        COLORREF old_colour = SetTextColor(handle, system_colour(kHilight));
        int old_mode = SetBkMode(handle, TRANSPARENT);
        RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        DrawTextA(handle, text, length, &shifted, format);
        SetTextColor(handle, system_colour(kShadow));
        DrawTextA(handle, text, length, &r, format);
        SetTextColor(handle, old_colour);
        SetBkMode(handle, old_mode);
        return TRUE;
    }
    if (type == DST_COMPLEX && callback) {
        POINT previous;
        OffsetViewportOrgEx(handle, x, y, &previous);
        BOOL ok = callback(handle, data, wdata, width, height);
        SetViewportOrgEx(handle, previous.x, previous.y, nullptr);
        return ok;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
