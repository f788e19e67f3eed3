// The bordered, combo box, progress and scroll-bar skinners: the messages their copies answer,
// their looks from the full skin (turned pieces sampled inside their area), the list box's
// client background through WM_PRINTCLIENT, the combo box's hot button and the scroll bar's
// auto-repeat.
#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_combo_box_wnd.h"
#include "skin/skinners/skin_progress_wnd.h"
#include "skin/skinners/skin_scroll_bar_ctrl_wnd.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/skin/control_skinners/control_skinners_fixture.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"
#include "win32/scroll_bar.h"

#include <algorithm>

namespace {

using namespace lvtest;
using namespace full_skin::layout;
namespace input = lv::testing;

class RangeSkinners : public ControlDialog {
protected:
    template <typename T> T* Skinner(int id) {
        return dynamic_cast<T*>(SkinManager::Instance().Find(Item(id)));
    }
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(Item(id), message, wParam, lParam);
    }
    static COLORREF CellCentre(const char* image, const RECT& cell) {
        return SkinPixel(image, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    }
};

TEST_F(RangeSkinners, TheProgressBarAnswersFromItsCopyAndGivesItBack) {
    Open();
    auto* bar = Skinner<SkinProgressWnd>(kProgress);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsReady());
    struct Step {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        int position;
    };
    const Step steps[] = {
        {PBM_SETRANGE, 0, MAKELPARAM(10, 50), MAKELONG(0, 100), 10}, // position clamped up
        {PBM_SETPOS, 30, 0, 10, 30},
        {PBM_SETSTEP, 15, 0, 10, 30},
        {PBM_STEPIT, 0, 0, 30, 45},
        {PBM_STEPIT, 0, 0, 45, 50}, // stops at high
        {PBM_DELTAPOS, static_cast<WPARAM>(-100), 0, 50, 10},
        {PBM_SETRANGE32, static_cast<WPARAM>(-20), -5, MAKELONG(10, 50), -5},
        {PBM_SETPOS, static_cast<WPARAM>(-30), 0, -5, -20}, // below a negative low
        {PBM_GETRANGE, TRUE, 0, -20, -20},
        {PBM_GETRANGE, FALSE, 0, -5, -20},
        {PBM_SETBARCOLOR, 0, RGB(1, 2, 3), static_cast<LRESULT>(CLR_DEFAULT), -20},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(Send(kProgress, s.message, s.wParam, s.lParam), s.result) << s.message;
        EXPECT_EQ(Send(kProgress, PBM_GETPOS), s.position) << s.message;
    }
    PBRANGE range{};
    Send(kProgress, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, -20);
    EXPECT_EQ(range.iHigh, -5);

    EXPECT_EQ(SkinProgressWnd::FilledLength(5, 5, 5, 100), 0);
    EXPECT_EQ(SkinProgressWnd::FilledLength(0, 100, 40, 90), 36);
    EXPECT_EQ(SkinProgressWnd::FilledLength(0, 100, 140, 90), 90);

    // Unskinned, the control has the numbers.
    HWND control = Item(kProgress);
    SkinManager::Instance().Remove(control);
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), -20);
    EXPECT_EQ(SendMessageA(control, PBM_GETRANGE, TRUE, 0), -20);
    EXPECT_EQ(SendMessageA(control, PBM_STEPIT, 0, 0), -20);
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), -5);
}

TEST_F(RangeSkinners, ProgressBarsFillFromTheirStart) {
    Open();
    Send(kProgress, PBM_SETPOS, 50);
    Send(kVerticalProgress, PBM_SETPOS, 50);
    Pump();
    const COLORREF fill = CellCentre(full_skin::kControlsImage, kProgressFill);
    const COLORREF track = CellCentre(full_skin::kControlsImage, kProgressTrack);
    ASSERT_NE(fill, track);
    const SIZE bar = SizeOf(kProgress);
    EXPECT_EQ(At(kProgress, bar.cx / 4, bar.cy / 2), fill);
    EXPECT_EQ(At(kProgress, bar.cx * 3 / 4, bar.cy / 2), track);
    // The vertical bar is the same picture turned: filled from the bottom up.
    const SIZE vertical = SizeOf(kVerticalProgress);
    EXPECT_EQ(At(kVerticalProgress, vertical.cx / 2, vertical.cy * 3 / 4), fill);
    EXPECT_EQ(At(kVerticalProgress, vertical.cx / 2, vertical.cy / 4), track);
}

TEST_F(RangeSkinners, TheScrollBarKeepsItsNumbersSoundly) {
    Open();
    auto* bar = Skinner<SkinScrollBarCtrlWnd>(kScrollBar);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsReady());
    HWND control = Item(kScrollBar);
    // Range and position in one call: the position is clamped into the new range.
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS, 200, 300, 0, 250, 0};
    EXPECT_EQ(Send(kScrollBar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info)), 250);
    EXPECT_EQ(GetScrollPos(control, SB_CTL), 250);
    info = SCROLLINFO{sizeof(info), SIF_POS, 0, 0, 0, 999, 0};
    EXPECT_EQ(Send(kScrollBar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info)), 300);
    // An empty range divides by nothing when the bar is laid out and painted.
    info = SCROLLINFO{sizeof(info), SIF_RANGE | SIF_POS, 7, 7, 0, 7, 0};
    Send(kScrollBar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
    UpdateWindow(control);
    const auto layout = bar->CurrentLayout();
    EXPECT_EQ(layout.thumb.left, layout.track.left);
    EXPECT_EQ(SkinScrollBarCtrlWnd::PositionAt(layout, layout.track.right - 1, bar->Numbers()), 7);
    SCROLLINFO got{sizeof(got), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
    EXPECT_TRUE(Send(kScrollBar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.nMin, 7);
    EXPECT_EQ(got.nPos, 7);
    // SIF_DISABLENOSCROLL disables the bar and answers the old position.
    info = SCROLLINFO{sizeof(info), SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 7, 0};
    EXPECT_EQ(Send(kScrollBar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info)), 7);
    EXPECT_FALSE(IsWindowEnabled(control));
}

TEST_F(RangeSkinners, ScrollBarPiecesLieAlongTheBar) {
    SCROLLINFO numbers{sizeof(numbers), SIF_ALL, 0, 100, 10, 50, 50};
    const auto l = SkinScrollBarCtrlWnd::LayOut(200, 16, 16, 16, 2, 2, numbers);
    EXPECT_EQ(l.firstArrow.right, 16);
    EXPECT_EQ(l.secondArrow.left, 184);
    EXPECT_EQ(l.thumb.left, 100 - 8);
    EXPECT_EQ(l.thumb.top, 2);
    EXPECT_EQ(l.thumb.bottom, 14);
    numbers.nPos = 100;
    EXPECT_EQ(SkinScrollBarCtrlWnd::LayOut(200, 16, 16, 16, 2, 2, numbers).thumb.right, 184);
    // Too short for its thumb: no thumb.
    const auto tooShort = SkinScrollBarCtrlWnd::LayOut(40, 16, 16, 16, 2, 2, numbers);
    EXPECT_TRUE(IsRectEmpty(&tooShort.thumb));

    Open();
    ASSERT_NE(Skinner<SkinScrollBarCtrlWnd>(kShortScrollBar), nullptr);
    const auto shortBar = Skinner<SkinScrollBarCtrlWnd>(kShortScrollBar)->CurrentLayout();
    EXPECT_TRUE(IsRectEmpty(&shortBar.thumb));
    // The vertical bar is drawn lying and turned: its first arrow at the top, its second at
    // the bottom.
    const SIZE vertical = SizeOf(kVerticalScrollBar);
    const RECT arrow1 = ScrollPieceCell(0, PieceArrow1);
    const RECT arrow2 = ScrollPieceCell(0, PieceArrow2);
    const COLORREF first = SkinPixel(full_skin::kControlsImage, arrow1.left + 1, arrow1.top + 1);
    const COLORREF second = SkinPixel(full_skin::kControlsImage, arrow2.right - 2, arrow2.top + 1);
    EXPECT_EQ(At(kVerticalScrollBar, vertical.cx - 2, 1), first);
    EXPECT_EQ(At(kVerticalScrollBar, vertical.cx - 2, vertical.cy - 2), second);
}

TEST_F(RangeSkinners, HoldingAnArrowRepeatsEveryThreeHundredMilliseconds) {
    input::use_virtual_clock(true);
    Open();
    HWND control = Item(kScrollBar);
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 100, 10, 50, 0};
    SetScrollInfo(control, SB_CTL, &info, TRUE);
    Pump();
    const SIZE bar = SizeOf(kScrollBar);
    auto lines = [] { return std::count(g_scrolls.begin(), g_scrolls.end(), SB_LINEDOWN); };
    MoveOnto(kScrollBar, bar.cx - 4, bar.cy / 2);
    input::mouse_down();
    Pump();
    EXPECT_EQ(lines(), 1) << "at once";
    input::advance(299);
    Pump();
    EXPECT_EQ(lines(), 1);
    input::advance(1);
    Pump();
    EXPECT_EQ(lines(), 2);
    input::advance(300);
    Pump();
    EXPECT_EQ(lines(), 3);
    // Moving off the arrow stops the repeat; moving back starts it again.
    MoveOnto(kScrollBar, bar.cx / 2, bar.cy / 2);
    input::advance(900);
    Pump();
    EXPECT_EQ(lines(), 3);
    MoveOnto(kScrollBar, bar.cx - 4, bar.cy / 2);
    input::advance(300);
    Pump();
    EXPECT_EQ(lines(), 4);
    input::mouse_up();
    Pump();
    ASSERT_FALSE(g_scrolls.empty());
    EXPECT_EQ(g_scrolls.back(), SB_ENDSCROLL);
    input::use_virtual_clock(false);
}

TEST_F(RangeSkinners, TheComboButtonIsHotOnlyInsideTheFramesMargin) {
    Open();
    auto* combo = Skinner<SkinComboBoxWnd>(kCombo);
    ASSERT_NE(combo, nullptr);
    RECT client{};
    GetClientRect(Item(kCombo), &client);
    const RECT button = combo->ButtonRect();
    EXPECT_EQ(button.right - button.left, 18 - kBorderMargin);
    RECT window{};
    GetWindowRect(Item(kCombo), &window);
    POINT corner{0, 0};
    ClientToScreen(Item(kCombo), &corner);
    const int dx = corner.x - window.left, dy = corner.y - window.top;
    MoveOnto(kCombo, dx + client.right - 17, dy + client.bottom / 2);
    EXPECT_EQ(combo->State(), SkinComboBoxWnd::kButtonNormal) << "drawn there, not hot";
    MoveOnto(kCombo, dx + client.right - 10, dy + client.bottom / 2);
    EXPECT_EQ(combo->State(), SkinComboBoxWnd::kButtonHot);
    const RECT hot = ComboThumbCell(ThumbHovered);
    EXPECT_EQ(At(kCombo, dx + client.right - 10, dy + client.bottom / 2),
              CellCentre(full_skin::kControlsImage, hot));
    MoveOnto(kEdit, 2, 2);
    EXPECT_EQ(combo->State(), SkinComboBoxWnd::kButtonNormal);
}

TEST_F(RangeSkinners, TheListBoxShowsTheSkinsBorderAndBackground) {
    Open();
    HWND list = Item(kList);
    for (const char* text : {"Alpha", "Beta"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    Pump();
    EXPECT_EQ(At(kList, 0, SizeOf(kList).cy / 2), kListBoxBorder);
    RECT client{};
    GetClientRect(list, &client);
    // Printed into a DC of our own, below the items: the skin's background pattern, tiled from
    // the client's top-left corner.
    HDC screen = GetDC(nullptr);
    SkinMemDC printed(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.GetDC()), PRF_CLIENT);
    const RECT pattern = BackgroundCell(BorderListBox);
    const int x = 5, y = client.bottom - 5;
    EXPECT_EQ(GetPixel(printed.GetDC(), x, y),
              SkinPixel(full_skin::kControlsImage, pattern.left + x % kPattern,
                        pattern.top + y % kPattern));
    // The selected item keeps its highlight.
    EXPECT_EQ(GetPixel(printed.GetDC(), client.right - 3, 3), GetSysColor(COLOR_HIGHLIGHT));
}

} // namespace
