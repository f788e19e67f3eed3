// The DC wrappers draw on the window's surface; selected-out objects are borrowed, never
// deleted; the geometry classes keep the Win32 rules.
#include "mfc/mfc.h"
#include "testing/screen_capture.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPainted = RGB(200, 40, 10);
constexpr COLORREF kFramed = RGB(10, 40, 200);

class PaintedWnd : public CWnd {
public:
    int paints = 0;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, RGB(255, 255, 255));
        return TRUE;
    }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        ++paints;
        dc.FillSolidRect(10, 10, 20, 20, kPainted);
        CBrush frame(kFramed);
        CBrush* old = dc.SelectObject(&frame);
        dc.SelectObject(old);
        dc.FrameRect(CRect(40, 10, 60, 30), &frame);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(DeviceContexts, PaintAndClientDCsDrawOnTheWindowSurface) {
    PaintedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "painted", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, nullptr,
                             nullptr));
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_GE(wnd.paints, 1);
    HWND hwnd = wnd.GetSafeHwnd();
    EXPECT_EQ(lv::testing::window_pixel(hwnd, 15, 15), kPainted);
    EXPECT_EQ(lv::testing::window_pixel(hwnd, 40, 20), kFramed);
    EXPECT_EQ(lv::testing::window_pixel(hwnd, 50, 20), RGB(255, 255, 255));
    {
        CClientDC dc(&wnd);
        ASSERT_NE(dc.GetSafeHdc(), nullptr);
        dc.FillSolidRect(70, 40, 5, 5, kFramed);
        EXPECT_EQ(dc.GetPixel(72, 42), kFramed);
    }
    EXPECT_EQ(lv::testing::window_pixel(hwnd, 72, 42), kFramed);
    wnd.DestroyWindow();
}

TEST(DeviceContexts, MemoryDCOwnsItsDCAndLeavesStockObjectsAlone) {
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
    CBitmap* previous = memory.SelectObject(&bitmap);
    ASSERT_NE(previous, nullptr);
    memory.FillSolidRect(0, 0, 8, 8, kPainted);
    EXPECT_EQ(memory.GetPixel(3, 3), kPainted);
    memory.SelectObject(previous);
    CGdiObject* oldBrush = memory.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(oldBrush, nullptr);
    memory.SelectObject(oldBrush->m_hObject);
    BITMAP info{};
    EXPECT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_NE(GetObjectType(GetStockObject(NULL_BRUSH)), 0u);
}

TEST(Geometry, RectanglesFollowTheWin32Rules) {
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(rect.Width(), 100);
    EXPECT_EQ(rect.Height(), 50);
    EXPECT_EQ(rect.CenterPoint(), CPoint(60, 45));
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(110, 70)));
    EXPECT_EQ(rect & CRect(100, 60, 200, 200), CRect(100, 60, 110, 70));
    EXPECT_EQ(rect | CRect(0, 0, 5, 5), CRect(0, 0, 110, 70));
    EXPECT_TRUE((rect & CRect(200, 200, 300, 300)).IsRectEmpty());
    CRect moved = rect + CPoint(5, -5);
    EXPECT_EQ(moved, CRect(15, 15, 115, 65));
    moved.DeflateRect(5, 5);
    EXPECT_EQ(moved.Size(), CSize(90, 40));
    CRect flipped(30, 40, 10, 20);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(10, 20, 30, 40));
    EXPECT_EQ(CPoint(MAKELONG(-2, 7)), CPoint(-2, 7));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 3), CSize(3, 2));
}

} // namespace
