// A worker thread draws through a window DC that the UI thread got, while the UI thread pumps
// messages, composes the screen and answers the worker's sends: no data race, no deadlock.
#include "display/compositor.h"
#include "testing/screen_capture.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr COLORREF kOld = RGB(0, 0, 128);
constexpr COLORREF kNew = RGB(250, 200, 0);
constexpr UINT kProgress = WM_USER + 7;

TEST(WorkerDrawing, TransitionDrawsFromItsWorkerWhileTheUiThreadPumps) {
    HWND w =
        wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, kOld, nullptr, WS_EX_TOPMOST);
    wintest::pump();
    std::atomic<int> progress{0};
    wintest::Recorder recorder;
    HWND receiver = recorder.create("receiver", WS_POPUP, 0, 0, 1, 1);
    recorder.handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        if (msg != kProgress)
            return false;
        progress = static_cast<int>(wParam);
        result = 1;
        return true;
    };

    // The slide in a memory DC, as the saver prepares it.
    HDC window_dc = GetDC(w);
    HDC memory = CreateCompatibleDC(window_dc);
    HBITMAP slide = CreateCompatibleBitmap(window_dc, 320, 240);
    HGDIOBJ old = SelectObject(memory, slide);
    RECT all{0, 0, 320, 240};
    HBRUSH brush = CreateSolidBrush(kNew);
    FillRect(memory, &all, brush);
    DeleteObject(brush);

    std::atomic<int> busy{1};
    std::thread worker([&] {
        for (int x = 0; x < 320; x += 20) {
            BitBlt(window_dc, x, 0, 20, 240, memory, x, 0, SRCCOPY);
            SendMessageA(receiver, kProgress, static_cast<WPARAM>(x), 0);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        busy = 0;
    });
    MSG msg;
    int composed = 0;
    while (busy) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        lv::display::compose_screen();
        ++composed;
    }
    worker.join();
    EXPECT_GT(composed, 0);
    EXPECT_EQ(progress.load(), 300);
    EXPECT_EQ(lv::testing::screen_pixel(10, 10), kNew);
    EXPECT_EQ(lv::testing::screen_pixel(315, 235), kNew);

    SelectObject(memory, old);
    DeleteObject(slide);
    DeleteDC(memory);
    ReleaseDC(w, window_dc);
    DestroyWindow(receiver);
    DestroyWindow(w);
}

TEST(WorkerDrawing, ClosingWhileAWorkerStillDrawsLeavesItsDcUsable) {
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, kOld);
    wintest::pump();
    HDC dc = GetDC(w);
    std::atomic<bool> go{false};
    std::thread worker([&] {
        while (!go)
            std::this_thread::yield();
        RECT r{0, 0, 50, 50};
        HBRUSH b = CreateSolidBrush(kNew);
        for (int i = 0; i < 50; ++i)
            FillRect(dc, &r, b);
        DeleteObject(b);
    });
    go = true;
    PostMessageA(w, WM_CLOSE, 0, 0);
    wintest::pump();
    EXPECT_FALSE(IsWindow(w));
    worker.join();
    EXPECT_EQ(ReleaseDC(w, dc), 1);
}

} // namespace
