// The real display, in process: each test runs in a child of this binary whose only display is
// a private virtual X server of 1280x720 (see RanUnderVirtualX). Every top-level window is a
// native window of its own at its place, shaped by its region; input from the X server becomes
// window messages (a warped pointer too); the screen and the pointer are the real ones; a worker's
// drawing reaches the screen while the UI thread is busy; and a window that does not change is not
// presented again.
#include "display/backend.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

using wintest::pump_until;
using wintest::x_rgb;

// Whether the screen shows this colour at (x, y).
bool Shows(const lvtest::XScreen& x, int px, int py, COLORREF colour) {
    return x.Pixel(px, py) == x_rgb(colour);
}

TEST(RealDisplay, TheScreenIsTheDesktopAndEachTopLevelWindowANativeOne) {
    if (lvtest::RanUnderVirtualX(kWidth, kHeight))
        return;
    ASSERT_TRUE(lv::display::real_display_running());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), kWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), kHeight);
    lvtest::XScreen x = lvtest::CurrentScreen();

    HWND red = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, RGB(255, 0, 0));
    HWND blue = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 600, 300, 200, 150, RGB(0, 0, 255));
    // A round window: its corners are not part of it, on the screen either.
    HWND round = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 900, 60, 200, 200, RGB(0, 160, 0));
    SetWindowRgn(round, CreateEllipticRgn(0, 0, 200, 200), TRUE);
    ASSERT_TRUE(pump_until([&] {
        return x.WindowsOf(getpid(), 0).size() == 3 && Shows(x, 250, 180, RGB(255, 0, 0)) &&
               Shows(x, 700, 375, RGB(0, 0, 255)) && Shows(x, 1000, 160, RGB(0, 160, 0)) &&
               !Shows(x, 903, 63, RGB(0, 160, 0));
    })) << "the three windows were not drawn";
    auto windows = x.WindowsOf(getpid());
    EXPECT_EQ(windows.size(), 3u);
    EXPECT_EQ(x.Pixel(250, 180), x_rgb(RGB(255, 0, 0)));
    EXPECT_EQ(x.Pixel(700, 375), x_rgb(RGB(0, 0, 255)));
    EXPECT_EQ(x.Pixel(1000, 160), x_rgb(RGB(0, 160, 0)));
    EXPECT_NE(x.Pixel(903, 63), x_rgb(RGB(0, 160, 0)));

    // Moving, hiding and showing follow the layer's window.
    SetWindowPos(red, nullptr, 150, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(blue, SW_HIDE);
    EXPECT_TRUE(pump_until([&] {
        return Shows(x, 300, 500, RGB(255, 0, 0)) && !Shows(x, 700, 375, RGB(0, 0, 255));
    })) << "the move and the hide did not reach the screen";
    EXPECT_EQ(x.Pixel(300, 500), x_rgb(RGB(255, 0, 0)));
    EXPECT_NE(x.Pixel(250, 180), x_rgb(RGB(255, 0, 0)));
    EXPECT_NE(x.Pixel(700, 375), x_rgb(RGB(0, 0, 255)));
    EXPECT_EQ(x.WindowsOf(getpid()).size(), 2u);
    x.Screenshot(lvtest::ScreenshotPath("real-display-native-windows.png"));
    DestroyWindow(red);
    DestroyWindow(blue);
    DestroyWindow(round);
}

TEST(RealDisplay, TheRealKeyboardAndMouseBecomeWindowMessagesAndTheCursorIsThePointer) {
    if (lvtest::RanUnderVirtualX(kWidth, kHeight))
        return;
    lvtest::XScreen x = lvtest::CurrentScreen();
    wintest::Recorder recorder;
    std::atomic<bool> clicked{false}, escaped{false};
    std::atomic<LPARAM> moved_to{-1};
    POINT at{};
    recorder.handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (msg == WM_MOUSEMOVE)
            moved_to = lParam;
        if (msg == WM_LBUTTONDOWN) {
            at = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            clicked = true;
        }
        if (msg == WM_KEYDOWN && wParam == VK_ESCAPE)
            escaped = true;
        return false;
    };
    HWND w = recorder.create("target", WS_POPUP | WS_VISIBLE, 200, 100, 400, 300);
    ASSERT_TRUE(pump_until([&] { return x.WindowsOf(getpid(), 0).size() == 1; }));
    x.MoveTo(260, 170);
    x.Click();
    ASSERT_TRUE(pump_until([&] { return clicked.load(); }));
    EXPECT_EQ(at.x, 60);
    EXPECT_EQ(at.y, 70);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 260);
    EXPECT_EQ(cursor.y, 170);
    x.Key("Escape");
    EXPECT_TRUE(pump_until([&] { return escaped.load(); }));

    // A move without a button (xdotool warps the pointer, as some programs do): the window
    // hears where it went, and the cursor is there.
    x.MoveTo(300, 250);
    EXPECT_TRUE(pump_until([&] { return moved_to.load() == MAKELPARAM(100, 150); }))
        << GET_X_LPARAM(moved_to.load()) << "," << GET_Y_LPARAM(moved_to.load());
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 300);
    EXPECT_EQ(cursor.y, 250);

    // The program moves the pointer.
    SetCursorPos(333, 222);
    EXPECT_TRUE(pump_until([&] { return x.Pointer().x == 333 && x.Pointer().y == 222; }));
    DestroyWindow(w);
}

TEST(RealDisplay, AWorkersDrawingReachesTheScreenAndNothingUnchangedIsPresentedAgain) {
    if (lvtest::RanUnderVirtualX(kWidth, kHeight))
        return;
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, RGB(0, 0, 255),
                                    nullptr, WS_EX_TOPMOST);
    // The window is shown, exposed and drawn.
    ASSERT_TRUE(pump_until([&] {
        return Shows(x, 100, 100, RGB(0, 0, 255)) && Shows(x, kWidth - 1, kHeight - 1, RGB(0, 0, 255));
    }));
    const unsigned long idle_start = lv::display::presented_frames();
    // The check itself: half a second in which nothing changes and nothing may be presented.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(lv::display::presented_frames(), idle_start) << "an unchanged window is presented";

    // The UI thread does not pump while the worker draws: the frames still go out.
    HDC dc = GetDC(w);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
        for (int y = 0; y < kHeight; y += 8) {
            RECT r{0, y, kWidth, y + 8};
            FillRect(dc, &r, brush);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        DeleteObject(brush);
        done = true;
    });
    worker.join();
    // Still without pumping: the frames go out and the screen turns red.
    EXPECT_TRUE(lvtest::Eventually([&] {
        return lv::display::presented_frames() > idle_start + 5 &&
               Shows(x, 100, 100, RGB(255, 0, 0)) && Shows(x, kWidth - 1, kHeight - 1, RGB(255, 0, 0));
    })) << lv::display::presented_frames() - idle_start << " frames presented; the screen shows "
        << std::hex << x.Pixel(100, 100) << " and " << x.Pixel(kWidth - 1, kHeight - 1);
    ReleaseDC(w, dc);
    DestroyWindow(w);
}

} // namespace
