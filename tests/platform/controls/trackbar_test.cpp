// The trackbar: layout, its messages, the mouse and the keyboard, and what it paints.
#include "controls/trackbar_layout.h"
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"

namespace {

using ctltest::Event;
using lv::controls::TrackbarNumbers;
namespace input = lv::testing;

bool same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(TrackbarLayout, ChannelThumbAndTicksByStyle) {
    struct Case {
        RECT client;
        DWORD style;
        int position;
        RECT channel, reported, thumb;
        int before, after;
    };
    const Case cases[] = {
        // Ticks below: the thumb in the upper part, a channel through its middle.
        {{0, 0, 200, 30}, TBS_HORZ, 0, {8, 9, 192, 15}, {8, 9, 192, 15}, {8, 2, 19, 22}, -1, 24},
        {{0, 0, 200, 30},
         TBS_HORZ,
         100,
         {8, 9, 192, 15},
         {8, 9, 192, 15},
         {181, 2, 192, 22},
         -1,
         24},
        {{0, 0, 200, 30}, TBS_HORZ, 50, {8, 9, 192, 15}, {8, 9, 192, 15}, {94, 2, 105, 22}, -1, 24},
        // Ticks on both sides take room from the thumb.
        {{0, 0, 200, 30}, TBS_BOTH, 0, {8, 12, 192, 18}, {8, 12, 192, 18}, {8, 6, 18, 24}, 0, 26},
        {{0, 0, 200, 30},
         TBS_NOTICKS,
         0,
         {8, 12, 192, 18},
         {8, 12, 192, 18},
         {8, 5, 19, 25},
         -1,
         -1},
        // A vertical bar is the horizontal one turned; the channel is reported laid flat.
        {{0, 0, 30, 200}, TBS_VERT, 0, {9, 8, 15, 192}, {8, 9, 192, 15}, {2, 8, 22, 19}, -1, 24},
    };
    for (const Case& c : cases) {
        const auto l = lv::controls::trackbar_layout(c.client, c.style, 20, {0, 100, c.position});
        EXPECT_TRUE(same(l.channel, c.channel)) << c.style << "/" << c.position;
        EXPECT_TRUE(same(l.channel_reported, c.reported)) << c.style << "/" << c.position;
        EXPECT_TRUE(same(l.thumb, c.thumb))
            << c.style << "/" << c.position << ": " << l.thumb.left << "," << l.thumb.top << ","
            << l.thumb.right << "," << l.thumb.bottom;
        EXPECT_EQ(l.ticks_before, c.before) << c.style;
        EXPECT_EQ(l.ticks_after, c.after) << c.style;
    }
    const auto l = lv::controls::trackbar_layout({0, 0, 200, 30}, 0, 20, {0, 100, 0});
    EXPECT_EQ(lv::controls::trackbar_value_at(l, {0, 100, 0}, 50), 99);
    EXPECT_EQ(lv::controls::trackbar_value_for(l, {0, 100, 0}, 99), 50);
    EXPECT_EQ(lv::controls::trackbar_value_for(l, {0, 100, 0}, -40), 0);
    EXPECT_EQ(lv::controls::trackbar_value_for(l, {0, 100, 0}, 400), 100);
}

class TrackbarTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        track = create("msctls_trackbar32", "", TBS_AUTOTICKS | WS_TABSTOP, 10, 10, 200, 30, 1050);
        pump();
        clear_events();
    }
    std::vector<WORD> codes(UINT message = WM_HSCROLL) const {
        std::vector<WORD> out;
        for (const Event& e : events(message))
            out.push_back(static_cast<WORD>(e.code));
        return out;
    }
    int position() const { return static_cast<int>(SendMessageA(track, TBM_GETPOS, 0, 0)); }
    POINT at(int x, int y) const { return screen_point(track, x, y); }

    HWND track = nullptr;
};

TEST_F(TrackbarTest, MessagesKeepRangePositionPagesAndTicks) {
    EXPECT_EQ(SendMessageA(track, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageA(track, TBM_GETPAGESIZE, 0, 0), 20); // a fifth of the range
    EXPECT_EQ(SendMessageA(track, TBM_GETLINESIZE, 0, 0), 1);
    SendMessageA(track, TBM_SETPOS, TRUE, 500);
    EXPECT_EQ(position(), 100);
    SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    EXPECT_EQ(position(), 50);
    EXPECT_EQ(SendMessageA(track, TBM_GETPAGESIZE, 0, 0), 10);
    EXPECT_EQ(SendMessageA(track, TBM_SETPAGESIZE, 0, 7), 10);
    EXPECT_EQ(SendMessageA(track, TBM_GETPAGESIZE, 0, 0), 7);
    SendMessageA(track, TBM_SETRANGEMIN, TRUE, -50);
    EXPECT_EQ(SendMessageA(track, TBM_GETRANGEMIN, 0, 0), -50);

    SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageA(track, TBM_SETTICFREQ, 25, 0);
    EXPECT_EQ(SendMessageA(track, TBM_GETNUMTICS, 0, 0), 5); // 0, 25, 50, 75, 100
    EXPECT_EQ(SendMessageA(track, TBM_GETTIC, 1, 0), 50);
    EXPECT_EQ(SendMessageA(track, TBM_GETTIC, 9, 0), -1);
    EXPECT_EQ(SendMessageA(track, TBM_GETTICPOS, 1, 0), 99);
    const auto* ticks = reinterpret_cast<const DWORD*>(SendMessageA(track, TBM_GETPTICS, 0, 0));
    ASSERT_NE(ticks, nullptr);
    EXPECT_EQ(ticks[2], 75u);
    EXPECT_TRUE(SendMessageA(track, TBM_SETTIC, 0, 10));
    EXPECT_FALSE(SendMessageA(track, TBM_SETTIC, 0, 0)); // the first tick is always there
    EXPECT_EQ(SendMessageA(track, TBM_GETNUMTICS, 0, 0), 6);
    SendMessageA(track, TBM_CLEARTICS, TRUE, 0);
    EXPECT_EQ(SendMessageA(track, TBM_GETNUMTICS, 0, 0), 2);

    SendMessageA(track, TBM_SETSEL, TRUE, MAKELPARAM(20, 60));
    EXPECT_EQ(SendMessageA(track, TBM_GETSELSTART, 0, 0), 20);
    EXPECT_EQ(SendMessageA(track, TBM_GETSELEND, 0, 0), 60);
    SendMessageA(track, TBM_CLEARSEL, TRUE, 0);
    EXPECT_EQ(SendMessageA(track, TBM_GETSELSTART, 0, 0), -1);

    SendMessageA(track, TBM_SETPOS, TRUE, 50);
    RECT thumb{}, channel{};
    SendMessageA(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageA(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    EXPECT_TRUE(same(thumb, RECT{94, 2, 105, 22}));
    EXPECT_TRUE(same(channel, RECT{8, 9, 192, 15}));
    EXPECT_EQ(SendMessageA(track, TBM_GETTHUMBLENGTH, 0, 0), 20);
    SendMessageA(track, TBM_SETTHUMBLENGTH, 10, 0); // only with TBS_FIXEDLENGTH
    EXPECT_EQ(SendMessageA(track, TBM_GETTHUMBLENGTH, 0, 0), 20);
}

TEST_F(TrackbarTest, DraggingTheThumbMovesItAndTellsTheParent) {
    const POINT thumb = at(13, 12);
    input::mouse_move(thumb.x, thumb.y);
    input::mouse_down();
    pump();
    EXPECT_EQ(GetFocus(), track);
    input::mouse_move(thumb.x + 86, thumb.y + 30); // across the bar does not matter
    pump();
    EXPECT_EQ(position(), 50);
    input::mouse_up();
    pump();
    const auto seen = events(WM_HSCROLL);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (Event{WM_HSCROLL, 1050, TB_THUMBTRACK, 50, 0}));
    EXPECT_EQ(seen[1], (Event{WM_HSCROLL, 1050, TB_THUMBPOSITION, 50, 0}));
    EXPECT_EQ(seen[2].code, TB_ENDTRACK);
}

TEST_F(TrackbarTest, APressBesideTheThumbPagesTowardThePointer) {
    input::VirtualClockScope clock;
    const POINT beside = at(150, 12);
    input::mouse_move(beside.x, beside.y);
    input::mouse_down();
    pump();
    EXPECT_EQ(position(), 20);
    for (int i = 0; i < 10; ++i) {
        input::advance(100);
        pump();
    }
    input::mouse_up();
    pump();
    EXPECT_EQ(position(), 80); // the thumb stands under the pointer
    EXPECT_EQ(codes(),
              (std::vector<WORD>{TB_PAGEDOWN, TB_PAGEDOWN, TB_PAGEDOWN, TB_PAGEDOWN, TB_ENDTRACK}));
}

TEST_F(TrackbarTest, KeysMoveByLinesPagesAndToTheEnds) {
    SetFocus(track);
    SendMessageA(track, TBM_SETPOS, TRUE, 40);
    pump();
    struct Case {
        int key;
        WORD code;
        int position;
    };
    const Case cases[] = {{VK_RIGHT, TB_LINEDOWN, 41}, {VK_UP, TB_LINEUP, 40},
                          {VK_NEXT, TB_PAGEDOWN, 60},  {VK_PRIOR, TB_PAGEUP, 40},
                          {VK_END, TB_BOTTOM, 100},    {VK_RIGHT, TB_LINEDOWN, 100},
                          {VK_HOME, TB_TOP, 0}};
    for (const Case& c : cases) {
        clear_events();
        input::key_press(c.key);
        pump();
        EXPECT_EQ(position(), c.position) << c.key;
        EXPECT_EQ(codes(), (std::vector<WORD>{c.code, TB_ENDTRACK})) << c.key;
    }
    HWND upright = create("msctls_trackbar32", "", TBS_VERT, 250, 10, 30, 200, 1051);
    SetFocus(upright);
    clear_events();
    input::key_press(VK_DOWN);
    pump();
    EXPECT_EQ(codes(WM_VSCROLL), (std::vector<WORD>{TB_LINEDOWN, TB_ENDTRACK}));
}

TEST_F(TrackbarTest, PaintsOverTheParentsBrushWithAWhiteChannel) {
    ctlcolor_brush = CreateSolidBrush(RGB(0, 128, 64));
    SendMessageA(track, TBM_SETPOS, TRUE, 50);
    InvalidateRect(track, nullptr, TRUE);
    pump();
    EXPECT_EQ(input::window_pixel(track, 3, 3), RGB(0, 128, 64));
    EXPECT_EQ(input::window_pixel(track, 40, 12), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(input::window_pixel(track, 99, 10), GetSysColor(COLOR_3DFACE));
    // A tick below the thumb's middle, in the text colour.
    EXPECT_EQ(input::window_pixel(track, 99, 25), GetSysColor(COLOR_BTNTEXT));
    DestroyWindow(track);
    DeleteObject(ctlcolor_brush);
    ctlcolor_brush = nullptr;
}

} // namespace
