// Injected input reaches the right window with the right coordinates, flags and key data,
// through capture, activation and the keyboard hook.
#include "testing/window_input.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace lt = lv::testing;

namespace {

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        recorder.handler = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
            bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
            bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
            if (mouse || key || msg == WM_MOUSELEAVE || msg == WM_NCLBUTTONDOWN ||
                msg == WM_MOUSEACTIVATE)
                seen.push_back(Seen{hwnd, msg, wParam, lParam});
            return false;
        };
        top = recorder.create("top", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
        child = recorder.create("child", WS_CHILD | WS_VISIBLE, 50, 40, 100, 80, top);
        wintest::pump();
        seen.clear();
    }
    void TearDown() override { DestroyWindow(top); }
    std::vector<Seen> take() {
        wintest::pump();
        auto out = seen;
        seen.clear();
        return out;
    }
    wintest::Recorder recorder;
    HWND top = nullptr;
    HWND child = nullptr;
    std::vector<Seen> seen;
};

TEST_F(Input, ClickReachesTheChildUnderTheCursorInClientCoordinates) {
    lt::click(100 + 50 + 7, 100 + 40 + 9);
    auto got = take();
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[0].hwnd, child);
    EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(got[1].message, WM_LBUTTONDOWN);
    EXPECT_EQ(got[1].wParam, MK_LBUTTON);
    EXPECT_EQ(GET_X_LPARAM(got[1].lParam), 7);
    EXPECT_EQ(GET_Y_LPARAM(got[1].lParam), 9);
    EXPECT_EQ(got[2].message, WM_LBUTTONUP);
    EXPECT_EQ(got[2].wParam, 0u);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 157);
}

TEST_F(Input, CaptureSendsMouseMessagesOutsideTheWindowToTheCapture) {
    lt::mouse_move(160, 150);
    take();
    SetCapture(child);
    lt::mouse_move(10, 20);
    lt::mouse_up();
    auto got = take();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].hwnd, child);
    EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(got[0].lParam), 10 - 150);
    EXPECT_EQ(GET_Y_LPARAM(got[0].lParam), 20 - 140);
    EXPECT_EQ(got[1].message, WM_LBUTTONUP);
    ReleaseCapture();
}

TEST_F(Input, CaptureTakenWhileHandlingAPressDecidesWhereLaterEventsGo) {
    recorder.handler = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (msg == WM_LBUTTONDOWN)
            SetCapture(hwnd);
        if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONUP)
            seen.push_back(Seen{hwnd, msg, wParam, lParam});
        return false;
    };
    // Everything is injected before the first message is handled.
    lt::mouse_move(160, 150);
    lt::mouse_down();
    lt::mouse_move(500, 500);
    lt::mouse_up();
    auto got = take();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].hwnd, child);
    EXPECT_EQ(got[1].message, WM_MOUSEMOVE);
    EXPECT_EQ(got[1].wParam, MK_LBUTTON);
    EXPECT_EQ(got[2].message, WM_LBUTTONUP);
    ReleaseCapture();
}

struct ClickCase {
    const char* name;
    UINT class_style;
    UINT second_press;
};

class DoubleClicks : public Input, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(DoubleClicks, SecondPressDependsOnTheClassStyle) {
    const ClickCase& c = GetParam();
    SetClassLongPtrA(child, GCL_STYLE, c.class_style);
    lt::click(160, 150);
    lt::click(161, 150);
    auto got = take();
    std::vector<UINT> presses;
    for (const Seen& s : got)
        if (s.message != WM_MOUSEMOVE)
            presses.push_back(s.message);
    EXPECT_EQ(presses,
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, c.second_press, WM_LBUTTONUP}));
}

INSTANTIATE_TEST_SUITE_P(Styles, DoubleClicks,
                         ::testing::Values(ClickCase{"dblclks", CS_DBLCLKS, WM_LBUTTONDBLCLK},
                                           ClickCase{"plain", 0, WM_LBUTTONDOWN}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(Input, ClickOnAnInactiveWindowActivatesItFirst) {
    HWND other = recorder.create("other", WS_POPUP | WS_VISIBLE, 600, 100, 100, 100);
    wintest::pump();
    EXPECT_EQ(GetActiveWindow(), other);
    seen.clear();
    lt::click(120, 120);
    auto got = take();
    EXPECT_EQ(GetActiveWindow(), top);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[1].message, WM_MOUSEACTIVATE);
    EXPECT_EQ(got[2].message, WM_LBUTTONDOWN);
    DestroyWindow(other);
}

TEST_F(Input, DisabledWindowsGetNoClicks) {
    EnableWindow(top, FALSE);
    lt::click(120, 120);
    auto got = take();
    for (const Seen& s : got)
        EXPECT_NE(s.message, WM_LBUTTONDOWN);
    EnableWindow(top, TRUE);
}

TEST_F(Input, SetCursorPosMovesTheMouseOverTheWindowBelow) {
    SetCursorPos(120, 130);
    auto got = take();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].hwnd, top);
    EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(got[0].lParam), 20);
    EXPECT_EQ(GET_Y_LPARAM(got[0].lParam), 30);
}

TEST_F(Input, TrackMouseEventReportsLeavingOnceAndCanBeCancelled) {
    lt::mouse_move(160, 150);
    take();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, child, 0};
    ASSERT_TRUE(_TrackMouseEvent(&tme));
    lt::mouse_move(120, 120);
    lt::mouse_move(110, 110);
    auto got = take();
    int leaves = 0;
    for (const Seen& s : got)
        leaves += s.message == WM_MOUSELEAVE && s.hwnd == child;
    EXPECT_EQ(leaves, 1);
    lt::mouse_move(160, 150);
    take();
    ASSERT_TRUE(TrackMouseEvent(&tme));
    tme.dwFlags = TME_LEAVE | TME_CANCEL;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    lt::mouse_move(110, 110);
    for (const Seen& s : take())
        EXPECT_NE(s.message, WM_MOUSELEAVE);
}

TEST_F(Input, WheelGoesToTheFocusWindow) {
    SetFocus(child);
    lt::wheel(-WHEEL_DELTA);
    auto got = take();
    std::vector<HWND> wheel_targets;
    for (const Seen& s : got) {
        if (s.message != WM_MOUSEWHEEL)
            continue;
        wheel_targets.push_back(s.hwnd);
        EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(s.wParam), -WHEEL_DELTA);
    }
    // Unhandled, the default procedure passes it on to the parent.
    EXPECT_EQ(wheel_targets, (std::vector<HWND>{child, top}));
}

struct KeyCase {
    const char* name;
    std::vector<int> press; // keys pressed in order, released in reverse
    UINT message;           // for the last key's press
    bool alt_bit;
};

class Keys : public Input, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, KeyMessagesCarryThePlatformKeyData) {
    const KeyCase& c = GetParam();
    SetFocus(child);
    for (int vk : c.press)
        lt::key_down(vk);
    for (auto it = c.press.rbegin(); it != c.press.rend(); ++it)
        lt::key_up(*it);
    auto got = take();
    std::vector<Seen> of_key;
    for (const Seen& s : got)
        if (s.wParam == static_cast<WPARAM>(c.press.back()) &&
            (s.message == WM_KEYDOWN || s.message == WM_KEYUP || s.message == WM_SYSKEYDOWN ||
             s.message == WM_SYSKEYUP))
            of_key.push_back(s);
    ASSERT_EQ(of_key.size(), 2u);
    EXPECT_EQ(of_key[0].message, c.message);
    EXPECT_EQ(of_key[0].hwnd, child);
    auto down = static_cast<DWORD>(of_key[0].lParam);
    auto up = static_cast<DWORD>(of_key[1].lParam);
    EXPECT_EQ(down & 0xFFFF, 1u);
    EXPECT_EQ((down >> 29) & 1, c.alt_bit ? 1u : 0u);
    EXPECT_EQ((down >> 31) & 1, 0u);
    EXPECT_EQ((up >> 31) & 1, 1u);
    EXPECT_EQ((up >> 30) & 1, 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, Keys,
                         ::testing::Values(KeyCase{"plain", {'A'}, WM_KEYDOWN, false},
                                           KeyCase{"alt", {VK_MENU, 'F'}, WM_SYSKEYDOWN, true},
                                           KeyCase{"f10", {VK_F10}, WM_SYSKEYDOWN, false},
                                           KeyCase{"escape", {VK_ESCAPE}, WM_KEYDOWN, false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(Input, TypedTextBecomesCharactersWithShift) {
    SetFocus(child);
    std::string typed;
    recorder.handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
        if (msg == WM_CHAR)
            typed.push_back(static_cast<char>(wParam));
        return false;
    };
    ASSERT_TRUE(lt::type_text("Hi, 2!"));
    wintest::pump();
    EXPECT_EQ(typed, "Hi, 2!");
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

std::vector<std::pair<WPARAM, LPARAM>> g_hooked;
HHOOK g_keyboard = nullptr;

LRESULT CALLBACK keyboard_hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION)
        g_hooked.emplace_back(wParam, lParam);
    if (code == HC_ACTION && wParam == VK_F10)
        return 1; // swallowed
    return CallNextHookEx(g_keyboard, code, wParam, lParam);
}

TEST_F(Input, KeyboardHookSeesKeysAndCanSwallowThem) {
    SetFocus(child);
    g_hooked.clear();
    g_keyboard = SetWindowsHookExA(WH_KEYBOARD, keyboard_hook, nullptr, wintest::current_thread());
    lt::key_press(VK_F10);
    lt::key_press('B');
    auto got = take();
    UnhookWindowsHookEx(g_keyboard);
    ASSERT_EQ(g_hooked.size(), 4u);
    EXPECT_EQ(g_hooked[0].first, static_cast<WPARAM>(VK_F10));
    EXPECT_EQ((static_cast<DWORD>(g_hooked[1].second) >> 31) & 1, 1u); // the F10 release
    for (const Seen& s : got)
        EXPECT_NE(s.wParam, static_cast<WPARAM>(VK_F10));
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0].message, WM_KEYDOWN);
    EXPECT_EQ(got[0].wParam, static_cast<WPARAM>('B'));
}

TEST(Cursor, ShowCursorCounts) {
    int start = ShowCursor(TRUE) - 1;
    EXPECT_EQ(ShowCursor(FALSE), start);
    EXPECT_EQ(ShowCursor(FALSE), start - 1);
    EXPECT_EQ(ShowCursor(TRUE), start);
}

} // namespace
