// The percentage progress bar: when a new position repaints, what each part shows, its text.
#include "settings/controls/percent_progress_ctrl.h"
#include "testing/screen_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr COLORREF kBar = RGB(255, 0, 0);
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kTextOverEmpty = RGB(0, 0, 255);
constexpr COLORREF kTextOverBar = RGB(0, 255, 0);

int g_paints = 0;
WNDPROC g_original = nullptr;

LRESULT CALLBACK counting_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT)
        ++g_paints;
    return CallWindowProcA(g_original, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK host_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class PercentProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = host_proc;
        wc.lpszClassName = "ProgressHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, "ProgressHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr,
                               nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        progress.DestroyWindow();
        DestroyWindow(host);
        UnregisterClassA("ProgressHost", nullptr);
    }

    void make(int width) {
        ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, 20),
                                    CWnd::FromHandle(host), 1005));
        progress.SetRange(0, 100);
        progress.SetBarColor(kBar);
        progress.SetBgColor(kBackground);
        progress.SetTextColor(kTextOverEmpty);
        progress.SetTextBkColor(kTextOverBar);
        g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            progress.GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_proc)));
        UpdateWindow(host);
        g_paints = 0;
    }

    // Near the colour: glyph edges are blended with the part beneath them.
    bool bar_has(COLORREF colour, int left, int right) {
        const auto near = [](COLORREF a, COLORREF b) {
            for (int shift : {0, 8, 16}) {
                if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 80)
                    return false;
            }
            return true;
        };
        for (int y = 0; y < 20; ++y) {
            for (int x = left; x < right; ++x) {
                if (near(lv::testing::window_pixel(host, x, y), colour))
                    return true;
            }
        }
        return false;
    }

    HWND host = nullptr;
    CPercentProgressCtrl progress;
};

struct Step {
    int position;
    bool repaints;
};

struct RepaintCase {
    int width;
    std::vector<Step> steps;
};

TEST_F(PercentProgressTest, RepaintsOnlyWhenTheFilledWidthChanges) {
    const RepaintCase cases[] = {
        {200, {{0, true}, {0, false}, {50, true}, {50, false}, {51, true}}},
        {50, {{10, true}, {11, false}, {12, true}}},
    };
    for (const auto& c : cases) {
        make(c.width);
        for (const auto& step : c.steps) {
            const int before = g_paints;
            progress.SetPos(step.position);
            EXPECT_EQ(g_paints > before, step.repaints)
                << "width " << c.width << " position " << step.position;
        }
        progress.DestroyWindow();
    }
}

TEST_F(PercentProgressTest, SizeChangeMakesTheNextPositionRepaint) {
    make(200);
    progress.SetPos(30);
    progress.MoveWindow(0, 0, 100, 20);
    const int before = g_paints;
    progress.SetPos(30);
    EXPECT_GT(g_paints, before);
}

TEST_F(PercentProgressTest, EmptyOrInvertedRangeNeverDividesByZero) {
    make(200);
    for (auto [lower, upper] : {std::pair{5, 5}, std::pair{10, 0}}) {
        progress.SetRange(lower, upper);
        progress.SetPos(7);
        progress.SetPos(8);
        UpdateWindow(host);
    }
    EXPECT_EQ(progress.GetPos(), 8);
}

TEST_F(PercentProgressTest, PartsShowTheirColoursAndTheTextContrasts) {
    make(200);
    progress.SetPos(50);
    lv::testing::save_window_png(host, "percent_progress_50.png");
    EXPECT_EQ(lv::testing::window_pixel(host, 5, 10), kBar);
    EXPECT_EQ(lv::testing::window_pixel(host, 195, 10), kBackground);
    EXPECT_TRUE(bar_has(kTextOverBar, 0, 100));
    EXPECT_FALSE(bar_has(kTextOverEmpty, 0, 100));
    EXPECT_TRUE(bar_has(kTextOverEmpty, 100, 200));
    EXPECT_FALSE(bar_has(kTextOverBar, 100, 200));

    progress.SetPos(100);
    EXPECT_TRUE(bar_has(kTextOverBar, 0, 200));
    EXPECT_FALSE(bar_has(kTextOverEmpty, 0, 200));
    EXPECT_FALSE(bar_has(kBackground, 0, 200));
}

TEST_F(PercentProgressTest, WindowTextReplacesThePercentageAndReadsBackTerminated) {
    make(200);
    progress.SetPos(10);
    const int before = g_paints;
    progress.SetWindowText("Saving");
    EXPECT_GT(g_paints, before);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(::SendMessageA(progress.GetSafeHwnd(), WM_GETTEXT, sizeof buffer,
                             reinterpret_cast<LPARAM>(buffer)),
              3);
    EXPECT_STREQ(buffer, "Sav");
    const int again = g_paints;
    progress.SetWindowText("Saving");
    EXPECT_EQ(g_paints, again);
}

TEST(PercentProgress, PositionWithoutAWindowIsRefused) {
    CPercentProgressCtrl progress;
    EXPECT_EQ(progress.SetPos(10), -1);
}

} // namespace
