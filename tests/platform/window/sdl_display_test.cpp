// The real display: the composed screen reaches an SDL window, also while a worker thread draws
// and the UI thread does not pump. Runs only with LUMIVISTA_DISPLAY=sdl under an X server.
#include "display/backend.h"
#include "tests/support/scratch_dir.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

bool sdl_requested() {
    const char* d = std::getenv("LUMIVISTA_DISPLAY");
    return d && std::strcmp(d, "sdl") == 0;
}

bool wait_for(const std::function<bool()>& ready) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        wintest::pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The colour the X server shows at a point, read with ImageMagick's `import`; empty when the
// tool is missing.
std::string x_pixel(int x, int y) {
    lvtest::ScratchDir dir;
    auto out = dir / "pixel.txt";
    std::string command = "import -window root -crop 1x1+" + std::to_string(x) + "+" +
                          std::to_string(y) + " -format '%[hex:p{0,0}]' info:- > '" + out.string() +
                          "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return {};
    std::ifstream in(out);
    std::string text;
    std::getline(in, text);
    if (text.size() >= 12) // 16 bits per channel: keep the high byte of each
        text = text.substr(0, 2) + text.substr(4, 2) + text.substr(8, 2);
    return text.substr(0, 6);
}

TEST(SdlDisplay, ShowsTheScreenWhileAWorkerDraws) {
    if (!sdl_requested())
        GTEST_SKIP() << "runs under a virtual X server with LUMIVISTA_DISPLAY=sdl";
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                    GetSystemMetrics(SM_CYSCREEN), RGB(0, 0, 255), nullptr,
                                    WS_EX_TOPMOST);
    ASSERT_TRUE(wait_for([] { return lv::display::real_display_running(); }));
    ASSERT_TRUE(wait_for([] { return lv::display::presented_frames() > 5; }));

    // The UI thread is busy (not pumping) while the worker draws: frames still go out.
    HDC dc = GetDC(w);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
        for (int y = 0; y < 768; y += 8) {
            RECT r{0, y, 1024, y + 8};
            FillRect(dc, &r, brush);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        DeleteObject(brush);
        done = true;
    });
    unsigned long before = lv::display::presented_frames();
    while (!done)
        std::this_thread::yield();
    worker.join();
    auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < settle)
        std::this_thread::yield();
    EXPECT_GT(lv::display::presented_frames(), before);
    ReleaseDC(w, dc);

    std::string shown = x_pixel(100, 100);
    if (!shown.empty()) {
        EXPECT_EQ(shown, "FF0000");
    }
    DestroyWindow(w);
}

} // namespace

namespace {

bool tool_available(const char* name) {
    std::string command = std::string("command -v ") + name + " > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

TEST(SdlDisplay, RealKeyboardAndMouseBecomeWindowMessages) {
    if (!sdl_requested())
        GTEST_SKIP() << "runs under a virtual X server with LUMIVISTA_DISPLAY=sdl";
    if (!tool_available("xdotool"))
        GTEST_SKIP() << "xdotool makes the X input";
    wintest::Recorder recorder;
    std::atomic<bool> clicked{false}, escaped{false};
    POINT at{};
    WPARAM flags = 0;
    recorder.handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (msg == WM_LBUTTONDOWN) {
            at = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            flags = wParam;
            clicked = true;
        }
        if (msg == WM_KEYDOWN && wParam == VK_ESCAPE)
            escaped = true;
        return false;
    };
    HWND w = recorder.create("saver", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, WS_EX_TOPMOST);
    ASSERT_TRUE(wait_for([] { return lv::display::presented_frames() > 5; }));
    ASSERT_EQ(std::system("xdotool mousemove 200 150 click 1"), 0);
    EXPECT_TRUE(wait_for([&] { return clicked.load(); }));
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 150);
    EXPECT_EQ(flags, MK_LBUTTON);
    ASSERT_EQ(std::system("xdotool search --name Lumivista windowfocus --sync key Escape"), 0);
    EXPECT_TRUE(wait_for([&] { return escaped.load(); }));
    DestroyWindow(w);
}

} // namespace
