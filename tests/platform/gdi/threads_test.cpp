// A worker draws through a window DC while another thread reads the surface under its lock,
// as the transition worker and the compositor do.
#include "gdi/surface_dc.h"
#include "gdi_fixture.h"

#include <atomic>
#include <thread>

using lv::gdi::Region;
using lv::gdi::Surface;

TEST(Threads, DrawingAndCompositingShareTheSurfaceLock) {
    Surface surface(64, 64);
    HDC window = lv::gdi::create_surface_dc(&surface, POINT{0, 0}, Region(RECT{0, 0, 64, 64}));
    HDC memory = CreateCompatibleDC(window);
    HBITMAP slide = CreateCompatibleBitmap(window, 64, 64);
    HGDIOBJ old = SelectObject(memory, slide);
    RECT all{0, 0, 64, 64};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);

    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int x = 0; x < 64; x += 4) {
            BitBlt(window, x, 0, 4, 64, memory, x, 0, SRCCOPY);
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
            AlphaBlend(window, 0, 0, 8, 8, memory, 0, 0, 8, 8, blend);
        }
        done = true;
    });
    // Every colour drawn has no green, so a green byte would be a torn or stray write.
    int stray = 0;
    while (!done) {
        std::lock_guard lock(surface.mutex());
        for (int y = 0; y < surface.height(); y += 8) {
            stray += ((surface.row(y)[y] >> 8) & 0xFF) != 0 ? 1 : 0;
        }
    }
    worker.join();
    // Objects are made and freed on other threads while the worker's DC is in use.
    std::thread other([&] {
        for (int i = 0; i < 50; ++i) {
            HRGN r = CreateRectRgn(0, 0, i, i);
            DeleteObject(r);
        }
    });
    for (int i = 0; i < 50; ++i) {
        SetPixel(window, i, i, RGB(0, 0, 255));
    }
    other.join();
    EXPECT_EQ(GetPixel(window, 63, 63), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(window, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(stray, 0);
    SelectObject(memory, old);
    DeleteObject(slide);
    DeleteObject(red);
    DeleteDC(memory);
    lv::gdi::release_surface_dc(window);
}
