// A preview asked for a still picture (string 129 "T") shows that picture alone: no slide, no
// timers, and the picture stays as the clock runs.
#include "saver/saver_wnd.h"
#include "saver/theme_globals.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kStillPictureT = 169;

// The picture's own colour at a point, read from the resource.
COLORREF PictureColour(int x, int y) {
    HBITMAP picture = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(kStillPictureT));
    if (!picture)
        return CLR_INVALID;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(picture);
    return colour;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST(StillPreview, ShowsItsPictureAndNothingElse) {
    lv::testing::VirtualClockScope clock;
    ResetThemeGlobals();
    SaverSettings.imageTime = 1;
    LPCTSTR className = AfxRegisterWndClass(0);
    HWND parent = CreateWindowExA(0, className, "Display", WS_POPUP | WS_VISIBLE, 30, 20, 152, 112,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    auto* window = new CSaverWnd;
    ASSERT_TRUE(window->Create(parent));
    const HWND hwnd = window->m_hWnd;
    Pump();
    EXPECT_EQ(window->stillPreview, 1);
    EXPECT_EQ(window->started, 0);
    const POINT probes[] = {{5, 5}, {76, 56}, {140, 100}};
    for (const POINT& p : probes) {
        const COLORREF expected = PictureColour(p.x, p.y);
        ASSERT_NE(expected, CLR_INVALID);
        EXPECT_EQ(lv::testing::screen_pixel(30 + p.x, 20 + p.y), expected) << p.x << "," << p.y;
    }
    // No slide timer: seconds later the picture is still all there is.
    lv::testing::advance(3000);
    Pump();
    EXPECT_EQ(window->Observation().SlidesShown(), 0);
    EXPECT_EQ(lv::testing::screen_pixel(30 + 76, 20 + 56), PictureColour(76, 56));
    DestroyWindow(parent);
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

} // namespace
