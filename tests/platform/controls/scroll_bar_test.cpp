// The "ScrollBar" control and the scroll-bar functions: layout, numbers, mouse, keyboard.
#include "controls/scroll_bar_layout.h"
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"

namespace {

using ctltest::Event;
using lv::controls::ScrollPart;
using lv::window::ScrollNumbers;
namespace input = lv::testing;

bool same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ScrollBarLayout, PiecesFollowTheBarAndItsNumbers) {
    struct Case {
        RECT bar;
        bool vertical;
        ScrollNumbers numbers;
        int position;
        RECT first, second, thumb;
    };
    const Case cases[] = {
        // 168 pixels of track; a page of 10 in 101 gives the shortest thumb, 16 pixels.
        {{0, 0, 200, 16},
         false,
         {0, 100, 10, 0, 0},
         0,
         {0, 0, 16, 16},
         {184, 0, 200, 16},
         {16, 0, 32, 16}},
        {{0, 0, 200, 16},
         false,
         {0, 100, 10, 91, 91},
         91,
         {0, 0, 16, 16},
         {184, 0, 200, 16},
         {168, 0, 184, 16}},
        // Half the range in a page: a thumb of half the track, at its middle for the middle.
        {{0, 0, 16, 116},
         true,
         {0, 99, 50, 25, 25},
         25,
         {0, 0, 16, 16},
         {0, 100, 16, 116},
         {0, 37, 16, 79}},
        // No page: the shortest thumb.
        {{0, 0, 116, 16},
         false,
         {0, 10, 0, 10, 10},
         10,
         {0, 0, 16, 16},
         {100, 0, 116, 16},
         {84, 0, 100, 16}},
        // Too short for arrows of full length or a thumb.
        {{0, 0, 20, 16}, false, {0, 10, 0, 5, 5}, 5, {0, 0, 10, 16}, {10, 0, 20, 16}, {}},
        // A page as large as the range leaves nothing to scroll.
        {{0, 0, 200, 16}, false, {0, 9, 10, 0, 0}, 0, {0, 0, 16, 16}, {184, 0, 200, 16}, {}},
    };
    for (const Case& c : cases) {
        const auto parts = lv::controls::scroll_bar_parts(c.bar, c.vertical, c.numbers, c.position,
                                                          lv::controls::ScrollBarMetrics{});
        EXPECT_TRUE(same(parts.first_arrow, c.first)) << c.bar.right << "x" << c.bar.bottom;
        EXPECT_TRUE(same(parts.second_arrow, c.second)) << c.bar.right << "x" << c.bar.bottom;
        EXPECT_TRUE(same(parts.thumb, c.thumb))
            << c.position << ": " << parts.thumb.left << "," << parts.thumb.top << ","
            << parts.thumb.right << "," << parts.thumb.bottom;
    }
}

TEST(ScrollBarLayout, PartsAtPointsAndPositionsForADraggedThumb) {
    const ScrollNumbers n{0, 100, 10, 50, 50};
    const auto p = lv::controls::scroll_bar_parts({0, 0, 200, 16}, false, n, 50, {});
    EXPECT_EQ(lv::controls::scroll_part_at(p, {5, 5}), ScrollPart::first_arrow);
    EXPECT_EQ(lv::controls::scroll_part_at(p, {195, 5}), ScrollPart::second_arrow);
    EXPECT_EQ(lv::controls::scroll_part_at(p, {20, 5}), ScrollPart::page_before);
    EXPECT_EQ(lv::controls::scroll_part_at(p, {180, 5}), ScrollPart::page_after);
    EXPECT_EQ(lv::controls::scroll_part_at(p, {p.thumb.left + 2, 5}), ScrollPart::thumb);
    EXPECT_EQ(lv::controls::scroll_part_at(p, {100, 40}), ScrollPart::none);
    EXPECT_EQ(lv::controls::position_for_thumb(p, n, 16), 0);
    EXPECT_EQ(lv::controls::position_for_thumb(p, n, 168), 91);
    EXPECT_EQ(lv::controls::position_for_thumb(p, n, 500), 91);
    EXPECT_EQ(lv::controls::position_for_thumb(p, n, p.thumb.left), 50);
}

class ScrollBarTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        bar = create("ScrollBar", "", SBS_HORZ | WS_TABSTOP, 10, 10, 200, 16, 1040);
        SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 50, 0};
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
        pump();
        clear_events();
    }
    std::vector<WORD> codes() const {
        std::vector<WORD> out;
        for (const Event& e : events(WM_HSCROLL))
            out.push_back(static_cast<WORD>(e.code));
        return out;
    }
    // The parent moves the bar as a program does.
    void follow_the_bar() {
        on_scroll = [this](UINT, WPARAM wParam, LPARAM) {
            int pos = GetScrollPos(bar, SB_CTL);
            switch (LOWORD(wParam)) {
            case SB_LINEDOWN:
                ++pos;
                break;
            case SB_PAGEDOWN:
                pos += 10;
                break;
            case SB_PAGEUP:
                pos -= 10;
                break;
            case SB_THUMBPOSITION:
                pos = HIWORD(wParam);
                break;
            default:
                return;
            }
            SetScrollPos(bar, SB_CTL, pos, TRUE);
        };
    }
    POINT at(int x, int y) const { return screen_point(bar, x, y); }

    HWND bar = nullptr;
};

TEST_F(ScrollBarTest, NumbersThroughTheFunctionsAndTheMessages) {
    HWND fresh = create("ScrollBar", "", SBS_VERT, 220, 10, 16, 100, 1041);
    int low = -1, high = -1;
    ASSERT_TRUE(GetScrollRange(fresh, SB_CTL, &low, &high));
    EXPECT_EQ(low, 0); // a control starts with an empty range
    EXPECT_EQ(high, 0);

    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 200, 0};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 91); // the last page starts at 91
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 91);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 30, TRUE), 91);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 30);
    // A range that moves the position answers the old one; one that does not answers 0.
    EXPECT_EQ(SendMessageA(bar, SBM_SETRANGE, 0, 20), 30);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 11);
    EXPECT_EQ(SendMessageA(bar, SBM_SETRANGEREDRAW, 0, 200), 0);

    SCROLLINFO all{sizeof(all), SIF_ALL, -1, -1, 99, -1, -1};
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &all));
    EXPECT_EQ(all.nMin, 0);
    EXPECT_EQ(all.nMax, 200);
    EXPECT_EQ(all.nPage, 10u);
    EXPECT_EQ(all.nPos, 11);
    EXPECT_EQ(all.nTrackPos, 11);
    SCROLLINFO wrong{sizeof(wrong) + 4, SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_FALSE(GetScrollInfo(bar, SB_CTL, &wrong));
    SCROLLINFO none{sizeof(none), 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(GetScrollInfo(bar, SB_CTL, &none));

    // SIF_DISABLENOSCROLL disables a bar with nothing to scroll, and enables it again.
    SCROLLINFO whole{sizeof(whole), SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 500, 0, 0};
    SetScrollInfo(bar, SB_CTL, &whole, TRUE);
    EXPECT_FALSE(IsWindowEnabled(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    whole.nPage = 10;
    SetScrollInfo(bar, SB_CTL, &whole, TRUE);
    EXPECT_TRUE(IsWindowEnabled(bar));

    EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LTUP));
    EXPECT_FALSE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LTUP));
    EXPECT_TRUE(ShowScrollBar(bar, SB_CTL, FALSE));
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(ScrollBarTest, AWindowsOwnBarsKeepTheirNumbers) {
    HWND with_bar = create("Static", "", WS_VSCROLL, 220, 10, 100, 100, 1042);
    int low = -1, high = -1;
    ASSERT_TRUE(GetScrollRange(with_bar, SB_VERT, &low, &high));
    EXPECT_EQ(low, 0); // a window's bar starts with 0 to 100
    EXPECT_EQ(high, 100);
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    SetLastError(0);
    EXPECT_FALSE(GetScrollInfo(with_bar, SB_HORZ, &info));
    EXPECT_EQ(GetLastError(), ERROR_NO_SCROLLBARS);

    SCROLLINFO set{sizeof(set), SIF_RANGE | SIF_PAGE | SIF_POS, 10, 60, 20, 55, 0};
    EXPECT_EQ(SetScrollInfo(with_bar, SB_HORZ, &set, FALSE), 41);
    ASSERT_TRUE(GetScrollInfo(with_bar, SB_HORZ, &info));
    EXPECT_EQ(info.nMin, 10);
    EXPECT_EQ(info.nMax, 60);
    EXPECT_EQ(info.nPos, 41);
    EXPECT_EQ(SetScrollPos(with_bar, SB_VERT, 7, FALSE), 0);
    EXPECT_EQ(GetScrollPos(with_bar, SB_VERT), 7);
    EXPECT_FALSE(SetScrollRange(with_bar, SB_VERT, -10, 0x7FFFFFFF, FALSE));
    EXPECT_FALSE(GetScrollInfo(with_bar, 7, &info));

    RECT before{}, after{};
    GetClientRect(with_bar, &before);
    EXPECT_TRUE(ShowScrollBar(with_bar, SB_VERT, FALSE));
    GetClientRect(with_bar, &after);
    EXPECT_EQ(GetWindowLongA(with_bar, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(after.right - before.right, GetSystemMetrics(SM_CXVSCROLL));

    EXPECT_TRUE(EnableScrollBar(with_bar, SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(with_bar, SB_BOTH, ESB_DISABLE_BOTH));
    DestroyWindow(with_bar);
    EXPECT_FALSE(GetScrollInfo(with_bar, SB_VERT, &info));
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsOnTheClockUntilReleased) {
    input::VirtualClockScope clock;
    const POINT arrow = at(195, 8);
    input::mouse_move(arrow.x, arrow.y);
    input::mouse_down();
    pump();
    EXPECT_EQ(codes(), (std::vector<WORD>{SB_LINEDOWN}));
    input::advance(399);
    pump();
    EXPECT_EQ(codes().size(), 1u);
    input::advance(1);
    pump();
    input::advance(100);
    pump();
    input::advance(100);
    pump();
    EXPECT_EQ(codes().size(), 4u);
    // Off the arrow the repeat pauses.
    const POINT away = at(100, 40);
    input::mouse_move(away.x, away.y);
    pump();
    input::advance(300);
    pump();
    EXPECT_EQ(codes().size(), 4u);
    input::mouse_up();
    pump();
    EXPECT_EQ(codes().back(), SB_ENDSCROLL);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTest, APressOnTheTrackPagesUntilTheThumbReachesThePointer) {
    input::VirtualClockScope clock;
    follow_the_bar();
    SetScrollPos(bar, SB_CTL, 0, TRUE);
    pump();
    const POINT track = at(150, 8);
    input::mouse_move(track.x, track.y);
    input::mouse_down();
    pump();
    for (int i = 0; i < 20; ++i) {
        input::advance(100);
        pump();
    }
    input::mouse_up();
    pump();
    const std::vector<WORD> seen = codes();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.back(), SB_ENDSCROLL);
    for (std::size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_EQ(seen[i], SB_PAGEDOWN) << i;
    // The thumb stopped under the pointer, not at the end.
    const int pos = GetScrollPos(bar, SB_CTL);
    EXPECT_GT(pos, 40);
    EXPECT_LT(pos, 91);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndEndsWithItsPosition) {
    follow_the_bar();
    SetScrollPos(bar, SB_CTL, 0, TRUE);
    pump();
    const POINT thumb = at(24, 8);
    input::mouse_move(thumb.x, thumb.y);
    input::mouse_down();
    pump();
    input::mouse_move(thumb.x + 40, thumb.y);
    pump();
    SCROLLINFO info{sizeof(info), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    EXPECT_EQ(info.nPos, 0); // only the parent moves the position
    EXPECT_GT(info.nTrackPos, 0);
    input::mouse_move(thumb.x + 84, thumb.y);
    pump();
    input::mouse_up();
    pump();
    const auto seen = events(WM_HSCROLL);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0].code, SB_THUMBTRACK);
    EXPECT_EQ(seen[0].value, info.nTrackPos);
    EXPECT_EQ(seen[seen.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(seen[seen.size() - 2].value, 50);
    EXPECT_EQ(seen.back().code, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50);
}

TEST_F(ScrollBarTest, KeysOfAFocusedBarAskForLinesPagesAndEnds) {
    SetFocus(bar);
    pump();
    const std::pair<int, WORD> cases[] = {{VK_RIGHT, SB_LINEDOWN}, {VK_UP, SB_LINEUP},
                                          {VK_NEXT, SB_PAGEDOWN},  {VK_PRIOR, SB_PAGEUP},
                                          {VK_HOME, SB_TOP},       {VK_END, SB_BOTTOM}};
    for (const auto& [key, code] : cases) {
        clear_events();
        input::key_press(key);
        pump();
        EXPECT_EQ(codes(), (std::vector<WORD>{code, SB_ENDSCROLL})) << key;
    }
    EXPECT_EQ(SendMessageA(bar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBarTest, TheThumbStandsOutFromTheTrackAndADisabledBarHasNone) {
    const auto parts = lv::controls::scroll_bar_parts({0, 0, 200, 16}, false,
                                                      ScrollNumbers{0, 100, 10, 50, 50}, 50, {});
    const int thumb_x = (parts.thumb.left + parts.thumb.right) / 2;
    EXPECT_EQ(input::window_pixel(bar, thumb_x, 8), GetSysColor(COLOR_3DFACE));
    const COLORREF track = input::window_pixel(bar, 30, 8);
    EXPECT_NE(track, GetSysColor(COLOR_3DFACE));
    EnableWindow(bar, FALSE);
    pump();
    EXPECT_EQ(input::window_pixel(bar, thumb_x, 8), track);
}

TEST_F(ScrollBarTest, ASizeBoxTakesItsCornerOfTheRectangle) {
    HWND box =
        create("ScrollBar", "", SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN, 100, 100, 60, 50, 1043);
    RECT r{};
    GetWindowRect(box, &r);
    POINT corner{160, 150};
    ClientToScreen(parent, &corner);
    EXPECT_EQ(r.right, corner.x);
    EXPECT_EQ(r.bottom, corner.y);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYHSCROLL));
}

} // namespace
