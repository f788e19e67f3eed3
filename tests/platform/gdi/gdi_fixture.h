// Small helpers for the drawing tests: memory DCs with bitmaps, and pixel reads.
#pragma once

#include "win32/win32.h"

#include <gtest/gtest.h>

namespace lv::gdi::testing {

// A memory DC holding a 32-bit bitmap of the given size, filled with `fill`.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
        HDC screen = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
        DeleteDC(screen);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemoryCanvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // The pixel as stored, whatever the DC's clip.
    COLORREF raw(int x, int y) const {
        BITMAP bm{};
        GetObject(bitmap, sizeof bm, &bm);
        const auto* row = static_cast<const std::uint8_t*>(bm.bmBits) +
                          static_cast<std::size_t>(y) * bm.bmWidthBytes;
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
        return RGB(p[2], p[1], p[0]);
    }

    HDC dc{nullptr};
    HBITMAP bitmap{nullptr};
    HGDIOBJ old{nullptr};
};

// A memory DC holding a monochrome bitmap.
class MonoCanvas {
public:
    MonoCanvas(int width, int height) {
        bitmap = CreateBitmap(width, height, 1, 1, nullptr);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~MonoCanvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    MonoCanvas(const MonoCanvas&) = delete;
    MonoCanvas& operator=(const MonoCanvas&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }

    HDC dc{nullptr};
    HBITMAP bitmap{nullptr};
    HGDIOBJ old{nullptr};
};

inline void fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
    RECT rect{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace lv::gdi::testing
