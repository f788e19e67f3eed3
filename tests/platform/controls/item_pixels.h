// Reading what an item control drew: colours found in a rectangle of its client area.
#pragma once

#include "testing/screen_capture.h"
#include "win32/win32.h"

namespace ctltest {

// Counts the pixels of the control's rectangle `r` (client coordinates of a borderless
// control) for which `match` holds.
template <class Match> int count_pixels(HWND control, RECT r, Match match) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (match(lv::testing::window_pixel(control, x, y)))
                ++count;
    return count;
}

inline int count_colour(HWND control, RECT r, COLORREF colour) {
    return count_pixels(control, r, [&](COLORREF c) { return c == colour; });
}

// Text pixels: darker than the button face by a clear margin.
inline int count_text(HWND control, RECT r) {
    return count_pixels(control, r, [](COLORREF c) {
        return c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
    });
}

// An image list of 16 x 16 images, each one solid colour.
inline HIMAGELIST solid_images(std::initializer_list<COLORREF> colours) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 4, 4);
    HDC screen = GetDC(nullptr);
    for (COLORREF colour : colours) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, 16, 16};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ImageList_Add(list, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return list;
}

} // namespace ctltest
