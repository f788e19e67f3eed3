// Bitmaps: device-dependent (32-bit or monochrome) and DIB sections, and the conversions at
// the DIB boundary (GetDIBits, SetDIBits, CreateDIBitmap).
#include "gdi/dc.h"
#include "gdi/font.h"
#include "gdi/raster.h"
#include "win32/errors.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace lv::gdi;

namespace {

constexpr std::size_t kMaxPixels = std::size_t{1} << 28;

bool size_ok(int width, int height) {
    return width > 0 && height > 0 &&
           static_cast<std::size_t>(width) * static_cast<std::size_t>(height) <= kMaxPixels;
}

// Null when the pixels cannot be allocated.
std::shared_ptr<Bitmap> new_bitmap(int width, int height, int bits_pixel) {
    try {
        auto bitmap = std::make_shared<Bitmap>();
        bitmap->bits_pixel = bits_pixel;
        bitmap->pixels.resize(width, height);
        return bitmap;
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

HBITMAP enter(const std::shared_ptr<Bitmap>& bitmap) {
    return bitmap ? static_cast<HBITMAP>(add_handle(bitmap)) : nullptr;
}

// Rows of a device-dependent bitmap's bits are padded to 16 bits.
std::size_t ddb_stride(int width, int bits) {
    return ((static_cast<std::size_t>(width) * bits + 15) / 16) * 2;
}

bool is_mono_dc(HDC handle) {
    LockedDc dc(handle);
    return dc && dc->type == DeviceContext::Type::memory && dc->state.bitmap &&
           dc->state.bitmap->monochrome();
}

// The colour table GetDIBits writes for a palette format.
std::vector<Pixel> table_for(const Bitmap& bitmap, int bits) {
    if (bitmap.section && bitmap.section->format.bits == bits &&
        !bitmap.section->format.palette.empty()) {
        return bitmap.section->format.palette;
    }
    if (bits == 1) {
        return {0, kWhite};
    }
    std::vector<Pixel> table;
    if (bits == 4) {
        // The sixteen colours of the standard VGA palette.
        static const Pixel vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                      0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                      0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        for (Pixel p : vga) {
            table.push_back(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
        }
        return table;
    }
    // 8 bits: a 6x6x6 colour cube and a grey ramp.
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                table.push_back(static_cast<Pixel>((r * 51) << 16 | (g * 51) << 8 | (b * 51)));
            }
        }
    }
    for (int i = 0; table.size() < 256; ++i) {
        Pixel v = static_cast<Pixel>(8 + i * 6);
        table.push_back(v << 16 | v << 8 | v);
    }
    return table;
}

void write_table(BITMAPINFO* info, const std::vector<Pixel>& table) {
    auto* quads =
        reinterpret_cast<RGBQUAD*>(reinterpret_cast<std::uint8_t*>(info) + info->bmiHeader.biSize);
    for (std::size_t i = 0; i < table.size(); ++i) {
        quads[i] = RGBQUAD{static_cast<BYTE>(table[i]), static_cast<BYTE>(table[i] >> 8),
                           static_cast<BYTE>(table[i] >> 16), 0};
    }
}

// Converts `lines` scan lines from `start` (counted as the DIB counts them) between a bitmap's
// surface and DIB bits. Returns the lines done.
int transfer_lines(Bitmap& bitmap, const DibFormat& f, UINT start, UINT lines, std::uint8_t* bits,
                   bool to_dib) {
    int height = std::min(f.height, bitmap.height());
    int width = std::min(f.width, bitmap.width());
    if (start >= static_cast<UINT>(height)) {
        return 0;
    }
    int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(height) - start));
    SurfaceLock lock(&bitmap.pixels);
    RECT all{0, 0, bitmap.width(), bitmap.height()};
    if (bitmap.section && !bitmap.section->shared) {
        bitmap.section->load(bitmap.pixels, all);
    }
    for (int line = 0; line < count; ++line) {
        // Scan line n of a bottom-up DIB is picture row height - 1 - n.
        int scan = static_cast<int>(start) + line;
        int picture_row = f.bottom_up ? bitmap.height() - 1 - scan : scan;
        if (picture_row < 0 || picture_row >= bitmap.height()) {
            continue;
        }
        std::uint8_t* row = bits + f.stride * static_cast<std::size_t>(line);
        if (to_dib) {
            pixels_to_dib_row(f, bitmap.pixels.row(picture_row), 0, width, row);
        } else {
            dib_row_to_pixels(f, row, 0, width, bitmap.pixels.row(picture_row));
            if (bitmap.monochrome()) {
                Pixel* p = bitmap.pixels.row(picture_row);
                std::transform(p, p + width, p, mono_of);
            }
        }
    }
    if (!to_dib && bitmap.section && !bitmap.section->shared) {
        bitmap.section->store(bitmap.pixels, all);
    }
    return count;
}

} // namespace

namespace lv::gdi {

void DibSection::load(Surface& surface, const RECT& area) {
    RECT r = intersect(area, RECT{0, 0, surface.width(), surface.height()});
    for (int y = r.top; y < r.bottom; ++y) {
        dib_row_to_pixels(format, stored_row(format.stored_row(y)), r.left, r.right - r.left,
                          surface.row(y) + r.left);
    }
}

void DibSection::store(const Surface& surface, const RECT& area) {
    RECT r = intersect(area, RECT{0, 0, surface.width(), surface.height()});
    for (int y = r.top; y < r.bottom; ++y) {
        pixels_to_dib_row(format, surface.row(y) + r.left, r.left, r.right - r.left,
                          stored_row(format.stored_row(y)));
    }
}

} // namespace lv::gdi

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (!find<DeviceContext>(dc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (width == 0 || height == 0) {
        return static_cast<HBITMAP>(stock_bitmap()->handle());
    }
    if (!size_ok(width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A memory DC that still holds its first bitmap is monochrome, and so is its compatible bitmap.
    return enter(new_bitmap(width, height, is_mono_dc(dc) ? 1 : 32));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
    UINT depth = planes * bits_per_pixel;
    if (!size_ok(width, height) || (depth != 1 && depth != 16 && depth != 24 && depth != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto bitmap = new_bitmap(width, height, depth == 1 ? 1 : 32);
    if (bitmap && bits) {
        DibFormat f;
        f.width = width;
        f.height = height;
        f.bottom_up = false;
        f.bits = static_cast<int>(depth);
        f.stride = ddb_stride(width, f.bits);
        f.palette = {0, kWhite};
        if (depth == 16) {
            f.masks[0] = 0x7C00;
            f.masks[1] = 0x03E0;
            f.masks[2] = 0x001F;
        } else if (depth == 32) {
            f.masks[0] = 0x00FF0000;
            f.masks[1] = 0x0000FF00;
            f.masks[2] = 0x000000FF;
        }
        const auto* in = static_cast<const std::uint8_t*>(bits);
        for (int y = 0; y < height; ++y) {
            dib_row_to_pixels(f, in + f.stride * static_cast<std::size_t>(y), 0, width,
                              bitmap->pixels.row(y));
        }
    }
    return enter(bitmap);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
    if (bits) {
        *bits = nullptr;
    }
    if (dc && !find<DeviceContext>(dc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (section) {
        // File-mapping sections are not served.
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    std::optional<DibFormat> format = parse_dib_format(info, usage);
    if (!format) {
        return nullptr;
    }
    auto bitmap = std::make_shared<Bitmap>();
    auto dib = std::make_unique<DibSection>();
    dib->format = *format;
    dib->header = info->bmiHeader;
    dib->header.biSize = sizeof(BITMAPINFOHEADER);
    dib->header.biSizeImage = static_cast<DWORD>(format->image_size());
    try {
        dib->storage.assign(format->image_size(), 0);
        if (!format->native()) {
            bitmap->pixels.resize(format->width, format->height);
        }
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    dib->shared = format->native();
    bitmap->bits_pixel = format->bits;
    if (dib->shared) {
        auto stride = static_cast<std::ptrdiff_t>(format->stride);
        std::uint8_t* top = dib->stored_row(format->stored_row(0));
        bitmap->pixels.attach(top, format->width, format->height,
                              format->bottom_up ? -stride : stride);
    } else {
        dib->load(bitmap->pixels, RECT{0, 0, format->width, format->height});
    }
    if (bits) {
        *bits = dib->storage.data();
    }
    bitmap->section = std::move(dib);
    return enter(bitmap);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (!header) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int width = header->biWidth;
    int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    bool mono = dc && is_mono_dc(dc);
    if (!size_ok(width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto bitmap = new_bitmap(width, height, mono ? 1 : 32);
    if (bitmap && (init & CBM_INIT) && bits) {
        std::optional<DibFormat> format = parse_dib_format(info, usage);
        if (!format) {
            return nullptr;
        }
        transfer_lines(*bitmap, *format, 0, static_cast<UINT>(format->height),
                       const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(bits)), false);
    }
    return enter(bitmap);
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage) {
    auto bitmap = find<Bitmap>(handle);
    if (!find<DeviceContext>(dc) || !bitmap || !info ||
        info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        // Header pass. With no bit count asked for, only the header is described (and the
        // masks of a bit-field bitmap, which callers make room for); with one, the colour
        // table of that format is written too.
        if (h.biBitCount == 0) {
            h.biWidth = bitmap->width();
            h.biHeight = bitmap->height();
            h.biPlanes = 1;
            h.biBitCount = static_cast<WORD>(bitmap->bits_pixel);
            h.biCompression = bitmap->section ? bitmap->section->format.compression : BI_RGB;
            h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
            h.biClrUsed = h.biClrImportant = 0;
            if (h.biCompression == BI_BITFIELDS) {
                auto* masks = reinterpret_cast<std::uint8_t*>(info) + h.biSize;
                std::memcpy(masks, bitmap->section->format.masks,
                            sizeof bitmap->section->format.masks);
            }
        } else if (h.biBitCount <= 8) {
            write_table(info, table_for(*bitmap, h.biBitCount));
        }
        int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
        h.biSizeImage =
            static_cast<DWORD>(dib_stride(h.biWidth > 0 ? h.biWidth : 0, h.biBitCount) * rows);
        return bitmap->height();
    }
    if (h.biBitCount > 0 && h.biBitCount <= 8) {
        std::vector<Pixel> table = table_for(*bitmap, h.biBitCount);
        h.biClrUsed = 0;
        write_table(info, table);
    }
    std::optional<DibFormat> format = parse_dib_format(info, usage);
    if (!format) {
        return 0;
    }
    h.biSizeImage = static_cast<DWORD>(format->image_size());
    return transfer_lines(*bitmap, *format, start, lines, static_cast<std::uint8_t*>(bits), true);
}

int SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    auto bitmap = find<Bitmap>(handle);
    std::optional<DibFormat> format = parse_dib_format(info, usage);
    if (!bitmap || !format || !bits) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return transfer_lines(*bitmap, *format, start, lines,
                          const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(bits)), false);
}

LONG GetBitmapBits(HBITMAP handle, LONG size, LPVOID bits) {
    auto bitmap = find<Bitmap>(handle);
    if (!bitmap || size < 0 || !bits) {
        return 0;
    }
    int depth = bitmap->monochrome() ? 1 : 32;
    DibFormat f;
    f.width = bitmap->width();
    f.height = bitmap->height();
    f.bits = depth;
    f.stride = ddb_stride(f.width, depth);
    f.palette = {0, kWhite};
    f.masks[0] = 0x00FF0000;
    f.masks[1] = 0x0000FF00;
    f.masks[2] = 0x000000FF;
    int rows = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(size) / f.stride,
                                                      static_cast<std::size_t>(f.height)));
    auto* out = static_cast<std::uint8_t*>(bits);
    SurfaceLock lock(&bitmap->pixels);
    if (bitmap->section && !bitmap->section->shared) {
        bitmap->section->load(bitmap->pixels, RECT{0, 0, f.width, f.height});
    }
    for (int y = 0; y < rows; ++y) {
        std::memset(out + f.stride * y, 0, f.stride);
        pixels_to_dib_row(f, bitmap->pixels.row(y), 0, f.width, out + f.stride * y);
    }
    return static_cast<LONG>(f.stride * rows);
}

BOOL GdiFlush() {
    return TRUE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID out) {
    auto any = find_any_handle(object);
    if (!any) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto give = [&](const void* data, int data_size) {
        if (!out) {
            return data_size;
        }
        int n = std::min(size, data_size);
        if (n <= 0) {
            return 0;
        }
        std::memcpy(out, data, static_cast<std::size_t>(n));
        return n;
    };
    switch (any->kind()) {
    case Kind::bitmap: {
        auto bitmap = std::static_pointer_cast<Bitmap>(any);
        DIBSECTION ds{};
        ds.dsBm.bmWidth = bitmap->width();
        ds.dsBm.bmHeight = bitmap->height();
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = static_cast<WORD>(bitmap->bits_pixel);
        ds.dsBm.bmWidthBytes = static_cast<LONG>(ddb_stride(bitmap->width(), bitmap->bits_pixel));
        if (!bitmap->section) {
            return give(&ds.dsBm, sizeof(BITMAP));
        }
        DibSection& dib = *bitmap->section;
        ds.dsBm.bmWidthBytes = static_cast<LONG>(dib.format.stride);
        ds.dsBm.bmBits = dib.storage.data();
        ds.dsBmih = dib.header;
        std::memcpy(ds.dsBitfields, dib.format.masks, sizeof ds.dsBitfields);
        return give(&ds, out && size >= static_cast<int>(sizeof(DIBSECTION)) ? sizeof(DIBSECTION)
                                                                             : sizeof(BITMAP));
    }
    case Kind::pen: {
        auto pen = std::static_pointer_cast<Pen>(any);
        LOGPEN log{static_cast<UINT>(pen->style), POINT{pen->width, 0}, pen->colour};
        return give(&log, sizeof log);
    }
    case Kind::brush: {
        auto brush = std::static_pointer_cast<Brush>(any);
        LOGBRUSH log{brush->style, brush->colour, 0};
        return give(&log, sizeof log);
    }
    case Kind::palette: {
        WORD count = static_cast<WORD>(std::static_pointer_cast<Palette>(any)->entries.size());
        return give(&count, sizeof count);
    }
    default:
        break;
    }
    return get_font_object(any, size, out);
}
