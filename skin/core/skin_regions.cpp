#include "skin/core/skin_regions.h"

#include "skin/core/skin_bound_image.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

HRGN RegionFromRects(const std::vector<RECT>& rects) {
    const std::size_t size = sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT);
    std::vector<std::uint8_t> buffer(std::max(size, sizeof(RGNDATA)));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = 0;
    data->rdh.rcBound = {0, 0, 0, 0};
    if (!rects.empty())
        std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(size), data);
}

// 5-6-5 pixels: how a 16-bit bitmap stores the key colour.
WORD Key565(COLORREF key) {
    return static_cast<WORD>(((GetRValue(key) >> 3) << 11) | ((GetGValue(key) >> 2) << 5) |
                             (GetBValue(key) >> 3));
}

struct Pixels {
    int width = 0;
    int height = 0;
    int bits = 0;                   // 16 or 32
    std::vector<std::uint8_t> rows; // top-down, each row 4-byte aligned
    std::size_t stride = 0;
};

// The bitmap's rows from the top: 16-bit bitmaps as their own 5-6-5 values (so that the key
// compares as the bitmap stores it), every other depth as 32-bit colours.
bool ReadPixels(HBITMAP bitmap, Pixels& out) {
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return false;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.bits = info.bmBitsPixel == 16 ? 16 : 32;
    out.stride = ((static_cast<std::size_t>(out.width) * out.bits / 8) + 3) & ~std::size_t{3};
    out.rows.assign(out.stride * static_cast<std::size_t>(out.height), 0);
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } request{};
    request.header.biSize = sizeof(BITMAPINFOHEADER);
    request.header.biWidth = out.width;
    request.header.biHeight = -out.height;
    request.header.biPlanes = 1;
    request.header.biBitCount = static_cast<WORD>(out.bits);
    request.header.biCompression = out.bits == 16 ? BI_BITFIELDS : BI_RGB;
    request.masks[0] = 0xF800;
    request.masks[1] = 0x07E0;
    request.masks[2] = 0x001F;
    HDC context = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (!context)
        return false;
    const int read = GetDIBits(context, bitmap, 0, static_cast<UINT>(out.height), out.rows.data(),
                               reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS);
    DeleteDC(context);
    return read == out.height;
}

bool IsKey(const Pixels& p, const std::uint8_t* row, int x, COLORREF key, WORD key16) {
    if (p.bits == 16) {
        WORD value = 0;
        std::memcpy(&value, row + static_cast<std::size_t>(x) * 2, 2);
        return value == key16;
    }
    const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * 4; // blue, green, red
    return RGB(pixel[2], pixel[1], pixel[0]) == (key & 0xFFFFFF);
}

} // namespace

HRGN GlazeworkRegionFromBitmap(HBITMAP bitmap, COLORREF key) {
    Pixels pixels;
    if (!ReadPixels(bitmap, pixels))
        return nullptr;
    const WORD key16 = Key565(key);
    std::vector<RECT> runs;
    runs.reserve(static_cast<std::size_t>(pixels.height));
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.rows.data() + pixels.stride * static_cast<std::size_t>(y);
        int start = -1;
        for (int x = 0; x < pixels.width; ++x) {
            const bool key_pixel = IsKey(pixels, row, x, key, key16);
            if (!key_pixel && start < 0)
                start = x;
            if (key_pixel && start >= 0) {
                runs.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
        if (start >= 0)
            runs.push_back({start, y, pixels.width, y + 1});
    }
    return RegionFromRects(runs);
}

HRGN GlazeworkScaleRegion(HRGN source, float xFactor, float yFactor, int dx, int dy) {
    const DWORD size = GetRegionData(source, 0, nullptr);
    if (size == 0)
        return nullptr;
    std::vector<std::uint8_t> buffer(size);
    if (GetRegionData(source, size, reinterpret_cast<RGNDATA*>(buffer.data())) == 0)
        return nullptr;
    const XFORM scale{xFactor, 0.0f, 0.0f, yFactor, 0.0f, 0.0f};
    HRGN scaled = ExtCreateRegion(&scale, size, reinterpret_cast<const RGNDATA*>(buffer.data()));
    if (scaled)
        OffsetRgn(scaled, dx, dy);
    return scaled;
}

HRGN GlazeworkNineGridRegion(HRGN source, int stepX, int stepY, const RECT& target) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    if (!result || !copy || CombineRgn(copy, source, nullptr, RGN_COPY) == ERROR) {
        if (result)
            DeleteObject(result);
        if (copy)
            DeleteObject(copy);
        return nullptr;
    }
    LONG placedX = 0, placedY = 0;
    const auto placeAt = [&](LONG x, LONG y) {
        OffsetRgn(copy, x - placedX, y - placedY);
        placedX = x;
        placedY = y;
        CombineRgn(result, result, copy, RGN_OR);
    };
    placeAt(target.left, target.top);
    if (stepX > 0 && stepY > 0) {
        for (LONG y = target.top; y < target.bottom; y += stepY)
            for (LONG x = target.left; x < target.right; x += stepX)
                placeAt(x, y);
    } else if (stepX > 0) {
        for (LONG x = target.left; x < target.right; x += stepX)
            placeAt(x, target.top);
    } else if (stepY > 0) {
        for (LONG y = target.top; y < target.bottom; y += stepY)
            placeAt(target.left, y);
    }
    DeleteObject(copy);
    HRGN bounds = CreateRectRgnIndirect(&target);
    if (bounds) {
        CombineRgn(result, result, bounds, RGN_AND);
        DeleteObject(bounds);
    }
    return result;
}

HRGN PlaceBoundRegion(const SkinBoundImage& bound, std::uint32_t drawMode, const RECT& place) {
    if (!bound.region || bound.width <= 0 || bound.height <= 0)
        return nullptr;
    switch (drawMode) {
    case 0: {
        HRGN placed = CreateRectRgn(0, 0, 0, 0);
        if (placed && CombineRgn(placed, bound.region, nullptr, RGN_COPY) == ERROR) {
            DeleteObject(placed);
            return nullptr;
        }
        if (placed)
            OffsetRgn(placed, place.left, place.top);
        return placed;
    }
    case 1:
        return GlazeworkNineGridRegion(bound.region, bound.width, bound.height, place);
    default:
        return GlazeworkScaleRegion(
            bound.region,
            static_cast<float>(place.right - place.left) / static_cast<float>(bound.width),
            static_cast<float>(place.bottom - place.top) / static_cast<float>(bound.height),
            place.left, place.top);
    }
}
