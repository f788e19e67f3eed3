#include "gdi/pixel_rows.h"

#include <algorithm>

namespace lv::gdi {

BITMAPINFO top_down_rows_info(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool read_rows(HBITMAP bitmap, std::vector<std::uint32_t>& pixels, int& width, int& height) {
    BITMAP header{};
    if (!bitmap || GetObjectA(bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 ||
        header.bmHeight <= 0)
        return false;
    width = header.bmWidth;
    height = header.bmHeight;
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    BITMAPINFO info = top_down_rows_info(width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines =
        GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == height;
}

HBITMAP section_of_rows(int width, int height, const std::vector<std::uint32_t>& pixels) {
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (width <= 0 || height <= 0 || pixels.size() < count)
        return nullptr;
    BITMAPINFO info = top_down_rows_info(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::copy_n(pixels.begin(), count, static_cast<std::uint32_t*>(bits));
    return bitmap;
}

HICON icon_of_rows(int width, int height, const std::vector<std::uint32_t>& colour,
                   const std::vector<std::uint32_t>& mask) {
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = section_of_rows(width, height, colour);
    info.hbmMask = section_of_rows(width, height, mask);
    HICON icon = info.hbmColor && info.hbmMask ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return icon;
}

} // namespace lv::gdi
