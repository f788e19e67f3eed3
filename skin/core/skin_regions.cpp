#include "skin/core/skin_regions.h"

#include "skin/core/skin_bound_image.h"
#include "skin/core/skin_geometry.h"

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

namespace {

HRGN CopyOf(HRGN region) {
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    if (copy && CombineRgn(copy, region, nullptr, RGN_COPY) == ERROR) {
        DeleteObject(copy);
        return nullptr;
    }
    return copy;
}

// The union of `count` copies of the region, each moved by (dx, dy) from the one before. The
// block of copies doubles at each step, so that a count of millions costs a few dozen
// combinations; the caller's region is left as it was.
HRGN Repeated(HRGN region, std::int64_t count, int dx, int dy) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    HRGN block = CopyOf(region);
    if (!result || !block) {
        for (HRGN r : {result, block})
            if (r)
                DeleteObject(r);
        return nullptr;
    }
    std::int64_t blockCount = 1;
    std::int64_t placed = 0;
    while (count > 0) {
        if (count & 1) {
            HRGN moved = CopyOf(block);
            if (moved) {
                OffsetRgn(moved, static_cast<int>(placed * dx), static_cast<int>(placed * dy));
                CombineRgn(result, result, moved, RGN_OR);
                DeleteObject(moved);
            }
            placed += blockCount;
        }
        count >>= 1;
        if (count == 0)
            break;
        HRGN moved = CopyOf(block);
        if (moved) {
            OffsetRgn(moved, static_cast<int>(blockCount * dx), static_cast<int>(blockCount * dy));
            CombineRgn(block, block, moved, RGN_OR);
            DeleteObject(moved);
        }
        blockCount *= 2;
    }
    DeleteObject(block);
    return result;
}

// Which copies along one axis can reach the area: from `first`, `count` of them. A copy k
// lies at origin + k * step and covers [low, high) of the source's box from there; copies
// past the target's end are not placed. A step of 0 or less places the one at the origin.
struct CopySpan {
    std::int64_t first = 0;
    std::int64_t count = 1;
};

CopySpan CopiesReaching(LONG origin, LONG targetEnd, int step, LONG areaStart, LONG areaEnd,
                        LONG low, LONG high) {
    if (step <= 0)
        return {};
    const std::int64_t first =
        std::max<std::int64_t>(0, (std::int64_t{areaStart} - origin - high) / step);
    const std::int64_t pastTarget = (std::int64_t{targetEnd} - origin + step - 1) / step;
    const std::int64_t pastArea = (std::int64_t{areaEnd} - origin - low) / step + 1;
    const std::int64_t end = std::min(pastTarget, pastArea);
    return {first, std::max<std::int64_t>(end - first, 0)};
}

} // namespace

HRGN GlazeworkNineGridRegion(HRGN source, int stepX, int stepY, const RECT& requested,
                             const RECT* within) {
    const RECT target = SkinRect(requested);
    RECT area = target;
    if (within && !IntersectRect(&area, &target, within))
        area = RECT{};
    RECT box{};
    if (GetRgnBox(source, &box) == ERROR)
        return nullptr;
    box = SkinRect(box);
    const CopySpan across = CopiesReaching(target.left, target.right, stepX, area.left, area.right,
                                           box.left, box.right);
    const CopySpan down = CopiesReaching(target.top, target.bottom, stepY, area.top, area.bottom,
                                         box.top, box.bottom);
    HRGN first = CopyOf(source);
    if (!first)
        return nullptr;
    OffsetRgn(first, static_cast<int>(target.left + across.first * std::max(stepX, 0)),
              static_cast<int>(target.top + down.first * std::max(stepY, 0)));
    HRGN row = Repeated(first, across.count, std::max(stepX, 0), 0);
    DeleteObject(first);
    if (!row)
        return nullptr;
    HRGN result = Repeated(row, down.count, 0, std::max(stepY, 0));
    DeleteObject(row);
    if (!result)
        return nullptr;
    HRGN bounds = CreateRectRgnIndirect(&area);
    if (bounds) {
        CombineRgn(result, result, bounds, RGN_AND);
        DeleteObject(bounds);
    }
    return result;
}

HRGN PlaceBoundRegion(const SkinBoundImage& bound, std::uint32_t drawMode, const RECT& place,
                      const RECT& within) {
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
            OffsetRgn(placed, SkinCoordinate(place.left), SkinCoordinate(place.top));
        return placed;
    }
    case 1:
        return GlazeworkNineGridRegion(bound.region, bound.width, bound.height, place, &within);
    default: {
        const RECT scaled = SkinRect(place);
        return GlazeworkScaleRegion(
            bound.region, static_cast<float>(RectWidth(scaled)) / static_cast<float>(bound.width),
            static_cast<float>(RectHeight(scaled)) / static_cast<float>(bound.height), scaled.left,
            scaled.top);
    }
    }
}
