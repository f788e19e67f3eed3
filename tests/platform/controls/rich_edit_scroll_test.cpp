// The rich edit's vertical scroll bar, used with the mouse as a person would: arrows, the track,
// the dragged thumb and the wheel move the text; a text that fits leaves the bar at rest.
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace input = lv::testing;

constexpr COLORREF kFirstLine = RGB(255, 0, 0);
constexpr COLORREF kLastLine = RGB(0, 0, 255);

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Forty lines: the first red, the last blue, the rest black.
std::string forty_lines() {
    std::string rtf =
        R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\cf1 First\par\cf0 )";
    for (int i = 2; i < 40; ++i)
        rtf += "Line " + std::to_string(i) + "\\par ";
    return rtf + R"(\cf2 Last})";
}

class RichEditScrollTest : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA("RICHED20.DLL");
        host = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 200, nullptr,
                               nullptr, nullptr, nullptr);
        edit = CreateWindowExA(
            0, RICHEDIT_CLASSA, "",
            WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, 10, 10,
            200, 120, host, reinterpret_cast<HMENU>(1003), nullptr, nullptr);
        show("");
    }
    void TearDown() override {
        DestroyWindow(host);
        FreeLibrary(module);
    }

    void show(const std::string& rtf) {
        SetWindowTextA(edit, rtf.c_str());
        UpdateWindow(host);
        pump();
    }

    // The bar in screen coordinates: right of the client area, as high as it.
    RECT bar() const {
        RECT client{};
        GetClientRect(edit, &client);
        POINT origin{client.right, 0};
        ClientToScreen(edit, &origin);
        return RECT{origin.x, origin.y, origin.x + GetSystemMetrics(SM_CXVSCROLL),
                    origin.y + client.bottom};
    }
    int arrow() const { return GetSystemMetrics(SM_CXVSCROLL); }

    COLORREF screen_colour(int x, int y) const {
        RECT window{};
        GetWindowRect(edit, &window);
        return input::window_pixel(edit, x - window.left, y - window.top);
    }

    // The thumb's top and bottom in screen coordinates, read down the middle of the track as
    // what is not the track's colour (its outermost light line may be, so the top is found
    // within a pixel); {0, 0} when there is none.
    std::pair<int, int> thumb() const {
        const RECT b = bar();
        const int x = (b.left + b.right) / 2;
        const COLORREF track = GetSysColor(COLOR_SCROLLBAR);
        int top = 0, bottom = 0;
        for (int y = b.top + arrow(); y < b.bottom - arrow(); ++y) {
            if (screen_colour(x, y) == track)
                continue;
            if (!top)
                top = y;
            bottom = y + 1;
        }
        return {top, bottom};
    }

    // Whether the text area shows the colour anywhere.
    bool text_shows(COLORREF colour) const {
        RECT client{};
        GetClientRect(edit, &client);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                if (input::window_pixel(edit, x + 1, y + 1) == colour)
                    return true;
        return false;
    }

    void click(int x, int y) {
        input::click(x, y);
        pump();
    }

    HMODULE module = nullptr;
    HWND host = nullptr;
    HWND edit = nullptr;
};

TEST_F(RichEditScrollTest, ArrowsTrackThumbAndWheelMoveALongText) {
    show(forty_lines());
    const RECT b = bar();
    const int middle = (b.left + b.right) / 2;
    // Arrows drawn in the button colours, and a thumb at the top of the track.
    EXPECT_NE(screen_colour(middle, b.top + arrow() / 2), GetSysColor(COLOR_SCROLLBAR));
    EXPECT_NE(screen_colour(middle, b.bottom - arrow() / 2), GetSysColor(COLOR_SCROLLBAR));
    auto [top, bottom] = thumb();
    ASSERT_GT(bottom, top);
    EXPECT_NEAR(top, b.top + arrow(), 1);
    EXPECT_TRUE(text_shows(kFirstLine));
    EXPECT_FALSE(text_shows(kLastLine));
    input::save_window_png(host, "rich_edit_scroll_top.png");

    // The down arrow moves the text and the thumb a little.
    click(middle, b.bottom - arrow() / 2);
    const int afterArrow = thumb().first;
    EXPECT_GT(afterArrow, top);
    // A press on the track below the thumb moves a page.
    click(middle, b.bottom - arrow() - 2);
    const int afterPage = thumb().first;
    EXPECT_GT(afterPage, afterArrow + 1);
    EXPECT_FALSE(text_shows(kFirstLine));

    // The thumb dragged to the bottom shows the end of the text, and stays where it was left.
    const auto [dragTop, dragBottom] = thumb();
    input::mouse_move(middle, (dragTop + dragBottom) / 2);
    input::mouse_down();
    pump();
    input::mouse_move(middle, b.bottom + 40);
    pump();
    EXPECT_EQ(thumb().second, b.bottom - arrow());
    EXPECT_TRUE(text_shows(kLastLine));
    input::mouse_up();
    pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(thumb().second, b.bottom - arrow());
    input::save_window_png(host, "rich_edit_scroll_bottom.png");

    // The wheel turned towards the reader scrolls back, once the text has the focus.
    RECT window{};
    GetWindowRect(edit, &window);
    click(window.left + 20, window.top + 20);
    for (int i = 0; i < 20; ++i)
        input::wheel(WHEEL_DELTA);
    pump();
    EXPECT_EQ(thumb().first, top);
    EXPECT_TRUE(text_shows(kFirstLine));
}

TEST_F(RichEditScrollTest, AShortTextLeavesTheBarWithoutAThumb) {
    show(R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 Short})");
    const RECT b = bar();
    EXPECT_EQ(thumb(), std::make_pair(0, 0));
    // A press on the arrows changes nothing.
    click((b.left + b.right) / 2, b.bottom - arrow() / 2);
    EXPECT_TRUE(text_shows(kFirstLine));
    EXPECT_EQ(thumb(), std::make_pair(0, 0));
}

} // namespace
