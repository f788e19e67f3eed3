// Icon resources: rescomp stores an icon as the packed DIB of a 24-bit picture in which magenta
// marks the transparent pixels (RT_ICON under the icon's id). The mask is made here.
#include "gdi/packed_dib.h"
#include "gdi/pixel_rows.h"

#include <vector>

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);

// The colour bitmap becomes black where it is transparent, and the mask (one bit a pixel,
// rows of whole 16-bit words) white there, so that drawing leaves those pixels alone.
HICON icon_from_keyed(HBITMAP colour) {
    BITMAP size{};
    GetObjectA(colour, sizeof size, &size);
    const int width = size.bmWidth;
    const int height = size.bmHeight;
    BITMAPINFO info = lv::gdi::top_down_rows_info(width, height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    const bool read = GetDIBits(screen, colour, 0, static_cast<UINT>(height), pixels.data(), &info,
                                DIB_RGB_COLORS) == height;
    const std::size_t mask_stride = ((static_cast<std::size_t>(width) + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(mask_stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& pixel = pixels[static_cast<std::size_t>(y) * width + x];
            // DIB pixels are 0x00RRGGBB; magenta reads the same either way round.
            if ((pixel & 0xFFFFFF) != kTransparent)
                continue;
            pixel = 0;
            mask[static_cast<std::size_t>(y) * mask_stride + static_cast<std::size_t>(x / 8)] |=
                static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    const bool written = read && SetDIBits(screen, colour, 0, static_cast<UINT>(height),
                                           pixels.data(), &info, DIB_RGB_COLORS) == height;
    ReleaseDC(nullptr, screen);
    if (!written) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    HBITMAP mask_bitmap = CreateBitmap(width, height, 1, 1, mask.data());
    ICONINFO parts{TRUE, 0, 0, mask_bitmap, colour};
    HICON icon = mask_bitmap ? CreateIconIndirect(&parts) : nullptr;
    if (mask_bitmap)
        DeleteObject(mask_bitmap);
    return icon;
}

} // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    // FindResource leaves the reason (no icons at all, or not this one) for the caller.
    HRSRC found = FindResourceA(instance, name, RT_ICON);
    if (!found)
        return nullptr;
    HBITMAP colour = lv::gdi::bitmap_from_packed_dib(lv::gdi::resource_bytes(instance, found));
    if (!colour)
        return nullptr;
    HICON icon = icon_from_keyed(colour);
    DeleteObject(colour);
    return icon;
}
