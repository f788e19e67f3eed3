// The up-down control with its buddy edit, and the progress bar.
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <string>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class UpDownTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        edit = create("Edit", "", ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER, 10, 10, 80, 22,
                      1029);
        spin = create("msctls_updown32", "Spin1",
                      UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT, 0, 0, 16,
                      22, 1030);
        SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(30, 1));
        pump();
        clear_events();
    }
    void click_arrow(bool up) {
        RECT client{};
        GetClientRect(spin, &client);
        const POINT p = screen_point(spin, client.right / 2, up ? 2 : client.bottom - 3);
        input::click(p.x, p.y);
        pump();
    }
    std::string buddy_text() const {
        char text[32] = {};
        GetWindowTextA(edit, text, sizeof(text));
        return text;
    }
    int position() const { return static_cast<int>(SendMessageA(spin, UDM_GETPOS32, 0, 0)); }

    HWND edit = nullptr;
    HWND spin = nullptr;
};

TEST_F(UpDownTest, TheAutoBuddyIsThePreviousControlAndTheArrowsSitAtItsRight) {
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), edit);
    RECT e{}, s{};
    GetWindowRect(edit, &e);
    GetWindowRect(spin, &s);
    EXPECT_EQ(e.right, s.left);
    EXPECT_EQ(s.right - s.left, 16);
    EXPECT_EQ(s.right, e.left + 80);
    EXPECT_EQ(s.top, e.top);
    EXPECT_EQ(SendMessageA(spin, UDM_GETRANGE, 0, 0), MAKELRESULT(30, 1));
}

TEST_F(UpDownTest, ClicksStepWithinTheRangeAndTellTheParent) {
    SendMessageA(spin, UDM_SETPOS32, 0, 29);
    EXPECT_EQ(buddy_text(), "29");
    click_arrow(true);
    click_arrow(true); // already at the top: clamped
    EXPECT_EQ(position(), 30);
    EXPECT_EQ(buddy_text(), "30");
    const auto notes = events(WM_NOTIFY);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], (Event{WM_NOTIFY, 1030, static_cast<int>(UDN_DELTAPOS), 29, 1}));
    EXPECT_EQ(notes[1], (Event{WM_NOTIFY, 1030, static_cast<int>(UDN_DELTAPOS), 30, 1}));
    const auto scrolls = events(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[0], (Event{WM_VSCROLL, 1030, SB_THUMBPOSITION, 30, 0}));
    EXPECT_EQ(scrolls[1].code, SB_ENDSCROLL);
    EXPECT_EQ(scrolls[2].code, SB_ENDSCROLL);

    SendMessageA(spin, UDM_SETPOS, 0, MAKELPARAM(1, 0));
    click_arrow(false);
    EXPECT_EQ(position(), 1);
    SendMessageA(spin, UDM_SETPOS32, 0, 500); // out of range: clamped
    EXPECT_EQ(position(), 30);
}

TEST_F(UpDownTest, TheBuddysTextIsReadBeforeEachStep) {
    SetWindowTextA(edit, "5");
    click_arrow(true);
    EXPECT_EQ(buddy_text(), "6");
    SetWindowTextA(edit, "abc");
    BOOL failed = FALSE;
    SendMessageA(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    EXPECT_TRUE(failed);
    EXPECT_EQ(HIWORD(SendMessageA(spin, UDM_GETPOS, 0, 0)), 1);
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStep) {
    SendMessageA(spin, UDM_SETPOS32, 0, 10);
    SetFocus(edit);
    for (int i = 0; i < 3; ++i)
        input::key_press(VK_DOWN);
    input::key_press(VK_UP);
    pump();
    EXPECT_EQ(position(), 8);
    EXPECT_EQ(buddy_text(), "8");
}

TEST_F(UpDownTest, TheParentMayRefuseAStep) {
    SendMessageA(spin, UDM_SETPOS32, 0, 10);
    on_notify = [](NMHDR* header) -> LRESULT { return header->code == UDN_DELTAPOS ? 1 : 0; };
    click_arrow(true);
    EXPECT_EQ(position(), 10);
    EXPECT_TRUE(events(WM_VSCROLL).size() == 1u && events(WM_VSCROLL)[0].code == SB_ENDSCROLL);
}

TEST_F(UpDownTest, RangesDefaultsAndThousands) {
    HWND plain = create("msctls_updown32", "", UDS_SETBUDDYINT, 200, 10, 16, 22, 1031);
    EXPECT_EQ(SendMessageA(plain, UDM_GETRANGE, 0, 0), MAKELRESULT(0, 100)); // 100 down to 0
    SendMessageA(plain, UDM_SETRANGE32, -5, 5000);
    int low = 0, high = 0;
    SendMessageA(plain, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, -5);
    EXPECT_EQ(high, 5000);
    SendMessageA(plain, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(plain, UDM_SETPOS32, 0, 1234);
    EXPECT_EQ(buddy_text(), "1,234");
}

class ProgressTest : public ctltest::ControlsTest {};

TEST_F(ProgressTest, PositionsStayInTheRange) {
    HWND bar = create("msctls_progress32", "", 0, 10, 10, 200, 20, 1005);
    struct Step {
        UINT msg;
        WPARAM w;
        LPARAM l;
        LRESULT result;
        int position;
    };
    const Step steps[] = {
        {PBM_SETRANGE, 0, MAKELPARAM(0, 100), MAKELRESULT(0, 100), 0},
        {PBM_SETPOS, 40, 0, 0, 40},
        {PBM_SETPOS, 150, 0, 40, 100},
        {PBM_DELTAPOS, static_cast<WPARAM>(-30), 0, 100, 70},
        {PBM_SETSTEP, 20, 0, 10, 70},
        {PBM_STEPIT, 0, 0, 70, 90},
        {PBM_STEPIT, 0, 0, 90, 10}, // past the end: round again
        {PBM_SETRANGE32, 50, 60, MAKELRESULT(0, 100), 50},
        {PBM_SETPOS, 55, 0, 50, 55},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(SendMessageA(bar, s.msg, s.w, s.l), s.result) << std::hex << s.msg;
        EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), s.position) << std::hex << s.msg;
    }
    PBRANGE range{};
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 50);
    EXPECT_EQ(range.iHigh, 60);
}

TEST_F(ProgressTest, TheBarShowsItsColours) {
    HWND bar = create("msctls_progress32", "", 0, 10, 10, 200, 20, 1005);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    EXPECT_EQ(SendMessageA(bar, PBM_SETBARCOLOR, 0, 0x68B4FF), static_cast<LRESULT>(CLR_DEFAULT));
    SendMessageA(bar, PBM_SETBKCOLOR, 0, RGB(10, 20, 30));
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    UpdateWindow(parent);
    UpdateWindow(bar);
    RECT frame{};
    GetWindowRect(parent, &frame);
    const auto pixel = [&](int x, int y) {
        const POINT p = screen_point(bar, x, y);
        return input::window_pixel(parent, p.x - frame.left, p.y - frame.top);
    };
    EXPECT_EQ(pixel(40, 10), static_cast<COLORREF>(0x68B4FF));
    EXPECT_EQ(pixel(160, 10), RGB(10, 20, 30));
}

} // namespace
