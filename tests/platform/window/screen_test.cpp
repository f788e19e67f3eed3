// The composed screen: top-level windows in z-order, through their window regions.
#include "testing/screen_capture.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using lv::testing::screen_pixel;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct Probe {
    POINT at;
    COLORREF colour;
};

void expect_screen(const std::vector<Probe>& probes, const char* stage) {
    for (const Probe& p : probes)
        EXPECT_EQ(screen_pixel(p.at.x, p.at.y), p.colour)
            << stage << " at " << p.at.x << "," << p.at.y;
}

TEST(Screen, ComposesTopLevelWindowsInZOrderThroughRegions) {
    COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    HWND red = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, kRed);
    HWND green = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, kGreen);
    HWND blue = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 250, 0, 100, 100, kBlue, nullptr,
                                       WS_EX_TOPMOST);
    wintest::pump();
    expect_screen(
        {{{50, 50}, kRed}, {{150, 150}, kGreen}, {{260, 50}, kBlue}, {{500, 500}, desktop}},
        "created");

    SetWindowPos(red, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    wintest::pump();
    expect_screen({{{150, 150}, kRed}, {{250, 250}, kGreen}}, "red raised");

    // A topmost window stays above a raised plain one.
    SetWindowPos(green, HWND_TOP, 200, 0, 0, 0, SWP_NOSIZE);
    wintest::pump();
    expect_screen({{{260, 50}, kBlue}, {{220, 50}, kGreen}, {{50, 50}, kRed}}, "green moved");

    // A hole in the upper window shows the one below.
    HRGN ring = CreateRectRgn(0, 0, 200, 200);
    HRGN hole = CreateRectRgn(50, 50, 150, 150);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(green, ring, TRUE);
    wintest::pump();
    expect_screen({{{300, 120}, desktop}, {{210, 10}, kGreen}, {{150, 100}, kRed}},
                  "green with a hole");
    // Moved over the red window, the hole shows red.
    SetWindowPos(green, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    wintest::pump();
    expect_screen({{{100, 100}, kRed}, {{20, 20}, kGreen}}, "hole over red");

    ShowWindow(blue, SW_HIDE);
    wintest::pump();
    expect_screen({{{260, 10}, desktop}}, "blue hidden");
    DestroyWindow(red);
    DestroyWindow(green);
    DestroyWindow(blue);
    expect_screen({{{50, 50}, desktop}}, "all destroyed");
}

TEST(Screen, SavesThePngOfTheScreenAndOfAWindow) {
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 10, 10, 64, 32, kGreen);
    wintest::pump();
    auto dir = std::filesystem::temp_directory_path() / "lv_screen_test";
    std::filesystem::create_directories(dir);
    auto screen = dir / "screen.png";
    auto window = dir / "window.png";
    ASSERT_TRUE(lv::testing::save_screen_png(screen.string()));
    ASSERT_TRUE(lv::testing::save_window_png(w, window.string()));
    auto read_header = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::vector<unsigned char> bytes(24);
        in.read(reinterpret_cast<char*>(bytes.data()), 24);
        return bytes;
    };
    auto be32 = [](const std::vector<unsigned char>& b, size_t at) {
        return (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
    };
    auto s = read_header(screen);
    EXPECT_EQ(s[1], 'P');
    EXPECT_EQ(be32(s, 16), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(be32(s, 20), GetSystemMetrics(SM_CYSCREEN));
    auto wh = read_header(window);
    EXPECT_EQ(be32(wh, 16), 64);
    EXPECT_EQ(be32(wh, 20), 32);
    EXPECT_FALSE(lv::testing::save_window_png(w, (dir / "missing" / "x.png").string()));
    std::filesystem::remove_all(dir);
    DestroyWindow(w);
}

} // namespace
