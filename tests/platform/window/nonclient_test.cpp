// The non-client model: frame sizes, hit testing, default frame painting and the default
// handling of caption drags and caption buttons.
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace {

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
    RECT client_in_window; // for a 200 x 100 window
};

class FrameSizes : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameSizes, DefaultNcCalcSizeLeavesTheClassicClientArea) {
    const FrameCase& c = GetParam();
    wintest::Recorder recorder;
    HWND w = recorder.create("frame", c.style, 10, 20, 200, 100, nullptr, c.ex_style);
    ASSERT_TRUE(w);
    RECT client{};
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    RECT got{origin.x - 10, origin.y - 20, origin.x - 10 + client.right,
             origin.y - 20 + client.bottom};
    EXPECT_EQ(got.left, c.client_in_window.left);
    EXPECT_EQ(got.top, c.client_in_window.top);
    EXPECT_EQ(got.right, c.client_in_window.right);
    EXPECT_EQ(got.bottom, c.client_in_window.bottom);
    RECT adjusted = c.client_in_window;
    if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
        AdjustWindowRectEx(&adjusted, c.style, FALSE, c.ex_style);
        EXPECT_EQ(adjusted.right - adjusted.left, 200);
        EXPECT_EQ(adjusted.bottom - adjusted.top, 100);
    }
    DestroyWindow(w);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FrameSizes,
    ::testing::Values(
        FrameCase{"popup", WS_POPUP, 0, {0, 0, 200, 100}},
        FrameCase{"border", WS_POPUP | WS_BORDER, 0, {1, 1, 199, 99}},
        FrameCase{"dialog_frame", WS_POPUP | WS_DLGFRAME, 0, {3, 3, 197, 97}},
        FrameCase{"caption", WS_POPUP | WS_CAPTION, 0, {3, 22, 197, 97}},
        FrameCase{"overlapped", WS_OVERLAPPEDWINDOW, 0, {4, 23, 196, 96}},
        FrameCase{"tool_window", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {3, 18, 197, 97}},
        FrameCase{"client_edge", WS_POPUP, WS_EX_CLIENTEDGE, {2, 2, 198, 98}},
        FrameCase{"scroll_bars", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 184, 84}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

struct HitCase {
    const char* name;
    POINT at; // relative to the window's top-left corner
    LRESULT sizable;
    LRESULT fixed;
};

class HitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitTest, DefaultHitTestFindsTheFramePart) {
    const HitCase& c = GetParam();
    wintest::Recorder recorder;
    HWND sizable = recorder.create("sizable", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200);
    HWND fixed = recorder.create("fixed", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 300, 200);
    LPARAM at = MAKELPARAM(100 + c.at.x, 100 + c.at.y);
    EXPECT_EQ(SendMessageA(sizable, WM_NCHITTEST, 0, at), c.sizable);
    EXPECT_EQ(SendMessageA(fixed, WM_NCHITTEST, 0, at), c.fixed);
    DestroyWindow(sizable);
    DestroyWindow(fixed);
}

INSTANTIATE_TEST_SUITE_P(
    Points, HitTest,
    ::testing::Values(HitCase{"client", {150, 120}, HTCLIENT, HTCLIENT},
                      HitCase{"caption", {150, 12}, HTCAPTION, HTCAPTION},
                      HitCase{"close_button", {285, 12}, HTCLOSE, HTCLOSE},
                      HitCase{"maximize_button", {267, 12}, HTMAXBUTTON, HTCAPTION},
                      HitCase{"minimize_button", {251, 12}, HTMINBUTTON, HTCAPTION},
                      HitCase{"system_menu", {8, 12}, HTSYSMENU, HTSYSMENU},
                      HitCase{"left_border", {1, 100}, HTLEFT, HTBORDER},
                      HitCase{"bottom_border", {150, 198}, HTBOTTOM, HTBORDER},
                      HitCase{"top_left_corner", {1, 1}, HTTOPLEFT, HTBORDER},
                      HitCase{"bottom_right_corner", {299, 199}, HTBOTTOMRIGHT, HTBORDER},
                      HitCase{"outside", {-5, 50}, HTNOWHERE, HTNOWHERE}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(NonClient, ApplicationNcCalcSizeDecidesTheClientArea) {
    wintest::Recorder recorder;
    bool custom = false;
    recorder.handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (msg != WM_NCCALCSIZE || !custom)
            return false;
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                         : reinterpret_cast<RECT*>(lParam);
        *r = RECT{r->left + 7, r->top + 30, r->right - 7, r->bottom - 9};
        result = 0;
        return true;
    };
    HWND w = recorder.create("skinned", WS_POPUP | WS_CAPTION, 0, 0, 200, 100);
    custom = true;
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 186);
    EXPECT_EQ(client.bottom, 61);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin.x, 7);
    EXPECT_EQ(origin.y, 30);
    DestroyWindow(w);
}

TEST(NonClient, DefaultFramePaintsCaptionInTheActivationColour) {
    wintest::Recorder recorder;
    HWND first = recorder.create("first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200);
    wintest::pump();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(lv::testing::window_pixel(first, 150, 10), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(lv::testing::window_pixel(first, 150, 100), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(lv::testing::window_pixel(first, 0, 100), GetSysColor(COLOR_3DLIGHT));
    HWND second = recorder.create("second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 50, 300, 200);
    wintest::pump();
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(lv::testing::window_pixel(first, 150, 10), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(lv::testing::window_pixel(second, 150, 10), GetSysColor(COLOR_ACTIVECAPTION));
    DestroyWindow(second);
    DestroyWindow(first);
}

TEST(NonClient, DraggingTheCaptionMovesTheWindow) {
    wintest::Recorder recorder;
    HWND w = recorder.create("drag", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    wintest::pump();
    lv::testing::mouse_move(250, 110);
    lv::testing::mouse_down();
    lv::testing::mouse_move(280, 130);
    lv::testing::mouse_up();
    wintest::pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 130);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(w);
}

TEST(NonClient, CloseButtonClosesAndMaximizeButtonMaximizes) {
    wintest::Recorder recorder;
    HWND w = recorder.create("buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    wintest::pump();
    lv::testing::click(100 + 267, 100 + 12); // maximize button
    wintest::pump();
    EXPECT_TRUE(IsZoomed(w));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, -4);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) + 8);
    WINDOWPLACEMENT wp{};
    GetWindowPlacement(w, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
    ShowWindow(w, SW_RESTORE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    lv::testing::click(100 + 285, 100 + 12); // close button
    wintest::pump();
    EXPECT_FALSE(IsWindow(w));
}

} // namespace
