// The tool-tip control fed with relayed mouse messages on the virtual clock: it shows the
// text of the tool under the pointer after the initial delay, goes after the automatic pop
// delay, on a click or when the pointer leaves, and shows nothing while inactive.
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"

#include <functional>
#include <string>

namespace {

class ToolTipTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ctltest::ControlsTest::SetUp();
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, parent,
                              nullptr, nullptr, nullptr);
        ASSERT_NE(tip, nullptr);
        add_tool(1, RECT{10, 10, 60, 40}, "Black");
        add_tool(2, RECT{70, 10, 120, 40}, "Pale green ");
    }
    void TearDown() override {
        DestroyWindow(tip);
        ctltest::ControlsTest::TearDown();
    }
    void add_tool(UINT_PTR id, RECT rect, const char* text) {
        TOOLINFOA info{};
        info.cbSize = sizeof info;
        info.hwnd = parent;
        info.uId = id;
        info.rect = rect;
        info.lpszText = const_cast<char*>(text);
        ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    }
    // What the parent would relay: a message at a point of its client area.
    void relay(UINT message, int x, int y) {
        POINT screen{x, y};
        ClientToScreen(parent, &screen);
        lv::testing::mouse_move(screen.x, screen.y);
        MSG msg{parent, message, 0, MAKELPARAM(x, y), 0, screen};
        SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        pump();
    }
    void wait(std::uint64_t ms) {
        lv::testing::advance(ms);
        pump();
    }
    bool shown() const { return IsWindowVisible(tip) != FALSE; }
    std::string text() const {
        char buffer[80] = {};
        GetWindowTextA(tip, buffer, sizeof buffer);
        return buffer;
    }

    lv::testing::VirtualClockScope clock;
    HWND tip = nullptr;
};

TEST_F(ToolTipTest, ShowsTheToolsTextAfterTheDelayAndGoesAgain) {
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    relay(WM_MOUSEMOVE, 20, 20);
    wait(400);
    EXPECT_FALSE(shown());
    wait(200);
    ASSERT_TRUE(shown());
    EXPECT_EQ(text(), "Black");
    // Under the pointer, painted in the tip colours.
    RECT r{};
    GetWindowRect(tip, &r);
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_GT(r.top, pointer.y);
    UpdateWindow(tip);
    EXPECT_EQ(lv::testing::window_pixel(tip, 2, 2), GetSysColor(COLOR_INFOBK));
    wait(5000);
    EXPECT_FALSE(shown());
}

TEST_F(ToolTipTest, ClicksAndLeavingHideItAndAnotherToolShowsItsOwnText) {
    relay(WM_MOUSEMOVE, 20, 20);
    wait(600);
    ASSERT_TRUE(shown());
    relay(WM_LBUTTONDOWN, 20, 20);
    EXPECT_FALSE(shown());
    relay(WM_MOUSEMOVE, 80, 20);
    wait(600);
    ASSERT_TRUE(shown());
    EXPECT_EQ(text(), "Pale green ");
    relay(WM_MOUSEMOVE, 200, 200); // on no tool
    EXPECT_FALSE(shown());
    wait(1000);
    EXPECT_FALSE(shown());

    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = parent;
    info.uId = 2;
    char buffer[80] = {};
    info.lpszText = buffer;
    SendMessageA(tip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(buffer, "Pale green ");
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    relay(WM_MOUSEMOVE, 80, 20);
    wait(600);
    EXPECT_FALSE(shown());
}

TEST_F(ToolTipTest, AnInactiveTipShowsNothingAndPopHidesAtOnce) {
    SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    relay(WM_MOUSEMOVE, 20, 20);
    wait(1000);
    EXPECT_FALSE(shown());
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    relay(WM_MOUSEMOVE, 80, 20);
    wait(600);
    ASSERT_TRUE(shown());
    SendMessageA(tip, TTM_POP, 0, 0);
    EXPECT_FALSE(shown());
}

// A tool whose text is a callback asks its window each time it shows, which may answer with a
// string of its own, with the text copied into the notice, or with nothing, which shows no tip.
TEST_F(ToolTipTest, ACallbackToolAsksItsWindowForTheTextEachTime) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = parent;
    info.uId = 3;
    info.rect = RECT{130, 10, 180, 40};
    info.lParam = 77;
    info.lpszText = LPSTR_TEXTCALLBACK;
    ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    static char own[] = "Own words";
    const struct {
        const char* name;
        std::function<void(NMTTDISPINFOA&)> answer;
        const char* shows; // null: no tip
    } cases[] = {
        {"own string", [](NMTTDISPINFOA& d) { d.lpszText = own; }, "Own words"},
        {"copied", [](NMTTDISPINFOA& d) { lstrcpynA(d.szText, "Copied", 80); }, "Copied"},
        {"nothing", [](NMTTDISPINFOA&) {}, nullptr},
        {"no string resource", [](NMTTDISPINFOA& d) { d.lpszText = MAKEINTRESOURCE(0); }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int asked = 0;
        on_notify = [&](NMHDR* header) -> LRESULT {
            if (header->hwndFrom != tip || header->code != TTN_GETDISPINFOA)
                return 0;
            auto* display = reinterpret_cast<NMTTDISPINFOA*>(header);
            EXPECT_EQ(header->idFrom, 3u);
            EXPECT_EQ(display->lParam, 77);
            ++asked;
            c.answer(*display);
            return 0;
        };
        relay(WM_MOUSEMOVE, 150, 20);
        wait(600);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(shown(), c.shows != nullptr);
        if (c.shows) {
            EXPECT_EQ(text(), c.shows);
        }
        relay(WM_MOUSEMOVE, 200, 200);
    }
    on_notify = nullptr;
}

} // namespace
