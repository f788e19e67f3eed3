// Painting: update regions, erase before paint, parents before children, hidden windows,
// clipping of window DCs and window regions.
#include "testing/screen_capture.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

using lv::testing::window_pixel;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

void fill_client(HWND hwnd, COLORREF colour) {
    HDC dc = GetDC(hwnd);
    ASSERT_TRUE(dc);
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
}

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        recorder.handler = [this](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT& result) {
            if (msg == WM_ERASEBKGND || msg == WM_NCPAINT) {
                char name[32];
                GetWindowTextA(hwnd, name, sizeof(name));
                painted.push_back(std::string(msg == WM_ERASEBKGND ? "erase:" : "frame:") + name);
            }
            if (msg != WM_PAINT)
                return false;
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            char name[32];
            GetWindowTextA(hwnd, name, sizeof(name));
            painted.push_back(std::string("paint:") + name);
            last_erase_flag = ps.fErase;
            last_paint_rect = ps.rcPaint;
            EndPaint(hwnd, &ps);
            result = 0;
            return true;
        };
    }
    std::vector<wintest::Event> paint_events() {
        std::vector<wintest::Event> out;
        for (const auto& e : recorder.events())
            if (e.message == WM_PAINT || e.message == WM_ERASEBKGND || e.message == WM_NCPAINT)
                out.push_back(e);
        return out;
    }
    wintest::Recorder recorder;
    std::vector<std::string> painted; // erase, frame and the drawing after BeginPaint, in order
    BOOL last_erase_flag = -1;
    RECT last_paint_rect{};
};

TEST_F(Painting, EraseComesBeforePaintAndPaintValidates) {
    HWND w = recorder.create("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
    wintest::pump();
    recorder.clear();
    RECT part{10, 10, 30, 20};
    InvalidateRect(w, &part, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.bottom, 20);
    painted.clear();
    wintest::pump();
    EXPECT_EQ(painted, (std::vector<std::string>{"erase:w", "paint:w"}));
    EXPECT_EQ(last_erase_flag, FALSE); // the class brush erased it
    EXPECT_EQ(last_paint_rect.right, 30);
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    DestroyWindow(w);
}

TEST_F(Painting, ValidatedAreaIsNotPaintedAndInternalPaintHasAnEmptyRect) {
    HWND w = recorder.create("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
    wintest::pump();
    recorder.clear();
    InvalidateRect(w, nullptr, FALSE);
    ValidateRect(w, nullptr);
    wintest::pump();
    EXPECT_EQ(paint_events(), std::vector<wintest::Event>{});
    RedrawWindow(w, nullptr, nullptr, RDW_INTERNALPAINT);
    wintest::pump();
    EXPECT_EQ(paint_events(), (std::vector<wintest::Event>{{"w", WM_PAINT}}));
    EXPECT_EQ(last_paint_rect.right - last_paint_rect.left, 0);
    DestroyWindow(w);
}

TEST_F(Painting, ParentsPaintBeforeChildrenAndUpdateNowIsSynchronous) {
    HWND parent = recorder.create("parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    recorder.create("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent);
    wintest::pump();
    painted.clear();
    RedrawWindow(parent, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::vector<std::string> expected = {"erase:parent", "paint:parent", "frame:child",
                                         "erase:child", "paint:child"};
    EXPECT_EQ(painted, expected);
    DestroyWindow(parent);
}

TEST_F(Painting, InvalidatingAParentWithoutClipChildrenReachesTheChildOnlyWhereItOverlaps) {
    HWND parent = recorder.create("parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    recorder.create("child", WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, parent);
    wintest::pump();
    recorder.clear();
    RECT away{0, 0, 50, 50};
    InvalidateRect(parent, &away, TRUE);
    wintest::pump();
    EXPECT_TRUE(recorder.messages_of("child").empty());
    RECT over{90, 90, 120, 120};
    InvalidateRect(parent, &over, TRUE);
    wintest::pump();
    EXPECT_FALSE(recorder.messages_of("child").empty());
    DestroyWindow(parent);
}

TEST_F(Painting, HiddenWindowsPaintNothing) {
    HWND parent = recorder.create("parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND hidden = recorder.create("hidden", WS_CHILD, 10, 10, 50, 50, parent);
    HWND hidden_top = recorder.create("hidden_top", WS_POPUP, 0, 0, 50, 50);
    wintest::pump();
    fill_client(parent, kGreen);
    recorder.clear();
    InvalidateRect(hidden, nullptr, TRUE);
    InvalidateRect(hidden_top, nullptr, TRUE);
    UpdateWindow(hidden);
    wintest::pump();
    EXPECT_TRUE(recorder.messages_of("hidden").empty());
    EXPECT_TRUE(recorder.messages_of("hidden_top").empty());
    fill_client(hidden, kRed); // a DC of a hidden window draws nowhere
    EXPECT_EQ(window_pixel(parent, 20, 20), kGreen);
    DestroyWindow(hidden_top);
    DestroyWindow(parent);
}

TEST(WindowDc, ChildDrawsAtItsOffsetClippedToItsVisibleRegion) {
    HWND top = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, kGreen);
    HWND lower = wintest::make_coloured(WS_CHILD | WS_VISIBLE, 20, 20, 100, 100, kGreen, top);
    HWND upper = wintest::make_coloured(WS_CHILD | WS_VISIBLE, 60, 60, 100, 100, kGreen, top);
    // The later child lies below the earlier one in z-order.
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    wintest::pump();
    fill_client(lower, kRed);
    EXPECT_EQ(window_pixel(top, 30, 30), kRed);   // the lower child's own area
    EXPECT_EQ(window_pixel(top, 70, 70), kGreen); // covered by the sibling above
    EXPECT_EQ(window_pixel(top, 10, 10), kGreen); // outside the child
    EXPECT_EQ(window_pixel(lower, 10, 10), kRed);
    DestroyWindow(top);
}

TEST(WindowDc, ClipChildrenKeepsTheParentOffItsChildren) {
    for (DWORD clip : {0u, static_cast<unsigned>(WS_CLIPCHILDREN)}) {
        HWND top = wintest::make_coloured(WS_POPUP | WS_VISIBLE | clip, 0, 0, 200, 200, kGreen);
        wintest::make_coloured(WS_CHILD | WS_VISIBLE, 50, 50, 50, 50, kBlue, top);
        wintest::pump();
        fill_client(top, kRed);
        EXPECT_EQ(window_pixel(top, 75, 75), clip ? kBlue : kRed) << "clip " << clip;
        EXPECT_EQ(window_pixel(top, 10, 10), kRed);
        DestroyWindow(top);
    }
}

TEST(WindowRegion, ClipsPaintingAndHitTestingAndIsOwnedByTheWindow) {
    HWND below = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, kBlue);
    HWND shaped = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, kGreen);
    HRGN first = CreateRectRgn(0, 0, 50, 50);
    ASSERT_EQ(SetWindowRgn(shaped, first, TRUE), 1);
    HRGN second = CreateRectRgn(0, 0, 100, 100);
    ASSERT_EQ(SetWindowRgn(shaped, second, TRUE), 1);
    EXPECT_FALSE(DeleteObject(first)); // the window deleted the region it no longer uses
    wintest::pump();

    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box.right, 100);
    DeleteObject(copy);

    HDC dc = GetWindowDC(shaped);
    RECT all{0, 0, 200, 200};
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(shaped, dc);
    EXPECT_EQ(window_pixel(shaped, 50, 50), kRed);
    EXPECT_EQ(window_pixel(shaped, 150, 150), kGreen); // outside the region: untouched

    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), shaped);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), below);
    EXPECT_EQ(SendMessageA(shaped, WM_NCHITTEST, 0, MAKELPARAM(150, 150)), HTNOWHERE);
    EXPECT_EQ(lv::testing::screen_pixel(150, 150), kBlue);
    EXPECT_EQ(lv::testing::screen_pixel(50, 50), kRed);
    DestroyWindow(shaped);
    EXPECT_FALSE(DeleteObject(second)); // destroyed with its window
    DestroyWindow(below);
}

TEST(WindowDc, LockWindowUpdateSuppressesDrawingUntilUnlocked) {
    wintest::Recorder recorder;
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, kGreen);
    wintest::pump();
    ASSERT_TRUE(LockWindowUpdate(w));
    fill_client(w, kRed);
    EXPECT_EQ(window_pixel(w, 10, 10), kGreen);
    LockWindowUpdate(nullptr);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE)); // unlocking repaints the window
    wintest::pump();
    DestroyWindow(w);
}

} // namespace
