// Drawn scroll bars: the scroll functions reach their state through the interception, the
// pieces lie where the tables say, presses repeat on the clock, the thumb follows the mouse
// and snaps back, and the pieces are painted from the skin, vertical ones turned.
#include "scroll_bar_test_skin.h"

#include "skin/core/skin_manager.h"
#include "skin/skinners/drawn_scroll_bars.h"
#include "skin/skinners/drawn_scroll_geometry.h"
#include "skin/skinners/scroll_api_hooks.h"
#include "skin/skinners/skin_bar_painter.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/support/screenshots.h"
#include "win32/tooltips.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using lv::testing::window_pixel;

constexpr int kLeft = 60;
constexpr int kTop = 40;
constexpr int kWidth = 240;
constexpr int kHeight = 160;
constexpr int kSize = 16; // arrow length and thickness

struct Scroll {
    UINT message;
    int code;
    int position;
};
std::vector<Scroll> g_scrolls;
// What the window was asked for its tip and what it answered: the text and its module.
struct TipAnswer {
    LPSTR text;
    HINSTANCE module;
};
std::vector<TipAnswer> g_tipAnswers;
// Text the window puts in place of the bars' own answer; null leaves the bars' answer.
char* g_tipText = nullptr;

LRESULT CALLBACK ScrolledProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* display = reinterpret_cast<const NMTTDISPINFOA*>(lParam);
        if (display->hdr.code == TTN_GETDISPINFOA) {
            g_tipAnswers.push_back({display->lpszText, display->hinst});
            if (g_tipText)
                const_cast<NMTTDISPINFOA*>(display)->lpszText = g_tipText;
        }
    }
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
        g_scrolls.push_back({message, LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Advance(int milliseconds) {
    lv::testing::advance(milliseconds);
    Pump();
}

bool Hidden(HWND hwnd, int bar) {
    const RECT r = DrawnSB_GetBarRect(hwnd, bar);
    return IsRectEmpty(&r) != FALSE;
}

SCROLLINFO Info(UINT mask, int minimum, int maximum, UINT page, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = page;
    info.nPos = position;
    return info;
}

class DrawnScrollBars : public ::testing::Test {
protected:
    void SetUp() override {
        GlazeworkHookScrollApis();
        WNDCLASSA wc{};
        wc.lpfnWndProc = ScrolledProc;
        wc.lpszClassName = "DrawnBarsTest";
        RegisterClassA(&wc);
        g_scrolls.clear();
    }
    void TearDown() override {
        if (hwnd)
            DestroyWindow(hwnd);
        SkinManager::Instance().RemoveAll();
        lv::testing::mouse_move(0, 0);
    }

    // A window with both bars, 0..99 with a page of 10 on each, painted.
    HWND Make(bool skinned = true) {
        if (skinned)
            SkinManager::Instance().SetSkin(sbtest::LoadScrollBarTestSkin());
        hwnd = CreateWindowExA(0, "DrawnBarsTest", "", WS_POPUP | WS_HSCROLL | WS_VSCROLL, kLeft,
                               kTop, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
        EXPECT_TRUE(DrawnSB_Initialize(hwnd));
        EXPECT_TRUE(DrawnSB_SetSize(hwnd, SB_BOTH, kSize, kSize));
        const SCROLLINFO info = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0);
        SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
        SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        Pump();
        return hwnd;
    }
    // A point of the horizontal bar `along` pixels from its left end, on screen.
    POINT OnHorizontal(int along) const {
        const RECT bar = DrawnSB_GetBarRect(hwnd, SB_HORZ);
        return {kLeft + bar.left + along, kTop + (bar.top + bar.bottom) / 2};
    }
    void Press(POINT at) {
        lv::testing::mouse_move(at.x, at.y);
        Pump();
        lv::testing::mouse_down();
        Pump();
    }
    void MoveTo(POINT at) {
        lv::testing::mouse_move(at.x, at.y);
        Pump();
    }
    void Release() {
        lv::testing::mouse_up();
        Pump();
    }
    std::vector<std::pair<int, int>> Codes() const {
        std::vector<std::pair<int, int>> codes;
        for (const Scroll& s : g_scrolls)
            codes.emplace_back(s.code, s.position);
        return codes;
    }

    lv::testing::VirtualClockScope clock;
    HWND hwnd = nullptr;
};

TEST_F(DrawnScrollBars, TheScrollFunctionsReachTheDrawnStateThroughTheInterception) {
    Make(false);
    SCROLLINFO set = Info(SIF_ALL, 0, 99, 10, 95);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_HORZ, &set, TRUE), 90) << "the last page starts at 90";
    SCROLLINFO got = Info(SIF_ALL, -1, -1, 0, -1);
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_HORZ, &got));
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 90);
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, -5, TRUE), 90) << "the previous position";
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 0);
    int low = -1, high = -1;
    EXPECT_TRUE(SetScrollRange(hwnd, SB_VERT, 10, 50, TRUE));
    EXPECT_TRUE(GetScrollRange(hwnd, SB_VERT, &low, &high));
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(10, 50));
    EXPECT_FALSE(GetScrollRange(hwnd, SB_VERT, nullptr, &high));

    // A page larger than the range is cut to it, and the bar goes unless asked to stay.
    SCROLLINFO wide = Info(SIF_PAGE, 0, 0, 200, 0);
    SetScrollInfo(hwnd, SB_HORZ, &wide, TRUE);
    got = Info(SIF_PAGE, 0, 0, 0, 0);
    GetScrollInfo(hwnd, SB_HORZ, &got);
    EXPECT_EQ(got.nPage, 100u);
    EXPECT_TRUE(Hidden(hwnd, SB_HORZ));
    wide.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(hwnd, SB_HORZ, &wide, TRUE);
    EXPECT_FALSE(Hidden(hwnd, SB_HORZ));

    // Arrow states: a single bar tells whether it changed; both only when both did.
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_LTUP));
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_LTUP));
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_BOTH, ESB_DISABLE_LTUP)) << "only the vertical changed";
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_BOTH, ESB_ENABLE_BOTH));

    // A window without drawn bars is passed on to the layer's own bars, which keep its numbers.
    HWND plain = CreateWindowExA(0, "DrawnBarsTest", "", WS_POPUP | WS_VSCROLL, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SCROLLINFO own = Info(SIF_ALL, 0, 7, 2, 3);
    SetScrollInfo(plain, SB_VERT, &own, FALSE);
    SCROLLINFO asked = Info(SIF_ALL, 0, 0, 0, 0);
    ASSERT_TRUE(GetScrollInfo(plain, SB_VERT, &asked));
    EXPECT_EQ(std::make_pair(asked.nMax, asked.nPos), std::make_pair(7, 3));
    EXPECT_FALSE(DrawnSB_IsInitialized(plain));
    DestroyWindow(plain);

    // Once taken out, the detours are not reached any more (the layer's own numbers of the
    // window answer, not the drawn bar's); put back, they are.
    SCROLLINFO drawn = Info(SIF_ALL, 0, 0, 0, 0);
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &drawn));
    ASSERT_EQ(std::make_pair(drawn.nMin, drawn.nMax), std::make_pair(10, 50));
    ASSERT_EQ(GlazeworkUnhookScrollApis(), 1);
    SCROLLINFO layer = Info(SIF_ALL, 0, 0, 0, 0);
    if (GetScrollInfo(hwnd, SB_VERT, &layer)) {
        EXPECT_NE(std::make_pair(layer.nMin, layer.nMax), std::make_pair(10, 50));
    }
    ASSERT_EQ(GlazeworkHookScrollApis(), 1);
    SCROLLINFO again = Info(SIF_ALL, 0, 0, 0, 0);
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &again));
    EXPECT_EQ(std::make_pair(again.nMin, again.nMax), std::make_pair(10, 50));
}

// The bars' tip: one tool, the window, whose text the window gives when the tip asks; fed the
// mouse over the frame, put away whenever the cursor is set, and gone with the bars.
TEST_F(DrawnScrollBars, TheTipAsksTheWindowForItsTextUntilTheCursorPutsItAway) {
    Make();
    HWND tip = DrawnSB_GetToolTip(hwnd);
    ASSERT_NE(tip, nullptr);
    char name[32] = {};
    GetClassNameA(tip, name, sizeof name);
    EXPECT_STREQ(name, TOOLTIPS_CLASSA);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), hwnd);
    const DWORD tipStyles = TTS_NOPREFIX | TTS_ALWAYSTIP;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tip, GWL_STYLE)) & tipStyles, tipStyles);
    const DWORD tipExStyles = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tip, GWL_EXSTYLE)) & tipExStyles, tipExStyles);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    // Resting on a bar: after the tip's delay it asks; the bars have no text, so no tip shows.
    g_tipAnswers.clear();
    const POINT on = OnHorizontal(40);
    SendMessageA(hwnd, WM_NCMOUSEMOVE, HTHSCROLL, MAKELPARAM(on.x, on.y));
    Advance(600);
    ASSERT_EQ(g_tipAnswers.size(), 1u);
    EXPECT_EQ(g_tipAnswers[0].text, MAKEINTRESOURCE(0));
    EXPECT_EQ(g_tipAnswers[0].module,
              reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)));
    EXPECT_FALSE(IsWindowVisible(tip));

    // Setting the cursor puts the tip away: off the window and back, nothing is asked.
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                 MAKELPARAM(HTHSCROLL, WM_MOUSEMOVE));
    SendMessageA(hwnd, WM_NCMOUSEMOVE, HTNOWHERE, MAKELPARAM(kLeft - 20, kTop - 20));
    const POINT again = OnHorizontal(60);
    SendMessageA(hwnd, WM_NCMOUSEMOVE, HTHSCROLL, MAKELPARAM(again.x, again.y));
    Advance(600);
    EXPECT_EQ(g_tipAnswers.size(), 1u);

    EXPECT_EQ(DrawnSB_Uninitialize(hwnd), S_OK);
    EXPECT_FALSE(IsWindow(tip));
}

// A window that gives text of its own gets a tip over its bars; a press of any button on the
// frame, relayed to the tip, takes it away.
TEST_F(DrawnScrollBars, PressesOnTheFrameTakeAShownTipAway) {
    Make();
    HWND tip = DrawnSB_GetToolTip(hwnd);
    ASSERT_NE(tip, nullptr);
    static char text[] = "Scroll here";
    g_tipText = text;
    const POINT on = OnHorizontal(40);
    const POINT off{kLeft - 20, kTop - 20};
    const std::pair<UINT, const char*> presses[] = {
        {WM_NCLBUTTONDOWN, "left"}, {WM_NCRBUTTONDOWN, "right"}, {WM_NCMBUTTONDOWN, "middle"}};
    for (const auto& [press, name] : presses) {
        SCOPED_TRACE(name);
        SendMessageA(hwnd, WM_NCMOUSEMOVE, HTNOWHERE, MAKELPARAM(off.x, off.y));
        SendMessageA(hwnd, WM_NCMOUSEMOVE, HTHSCROLL, MAKELPARAM(on.x, on.y));
        Advance(600);
        ASSERT_TRUE(IsWindowVisible(tip));
        char shown[32] = {};
        GetWindowTextA(tip, shown, sizeof shown);
        EXPECT_STREQ(shown, text);
        // Pressed on the window's own frame, away from the bars.
        SendMessageA(hwnd, press, HTBORDER, MAKELPARAM(kLeft + 1, kTop + 1));
        EXPECT_FALSE(IsWindowVisible(tip));
    }
    g_tipText = nullptr;
}

TEST_F(DrawnScrollBars, InitialisingTwiceAndUninitialisingAWindowWithoutState) {
    Make(false);
    EXPECT_FALSE(DrawnSB_Initialize(hwnd));
    EXPECT_TRUE(DrawnSB_IsInitialized(hwnd));
    const std::pair<int, int> refused[] = {{0, 16}, {16, 0}, {-9, 16}, {16, 257}};
    for (const auto& [arrow, thickness] : refused)
        EXPECT_FALSE(DrawnSB_SetSize(hwnd, SB_BOTH, arrow, thickness)) << arrow << " " << thickness;
    EXPECT_EQ(DrawnSB_Uninitialize(hwnd), S_OK);
    EXPECT_EQ(DrawnSB_Uninitialize(hwnd), E_FAIL);
    EXPECT_FALSE(DrawnSB_IsInitialized(hwnd));
}

TEST_F(DrawnScrollBars, TheFrameLeavesRoomForTheBars) {
    Make(false);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, kWidth - kSize);
    EXPECT_EQ(client.bottom, kHeight - kSize);
    const RECT h = DrawnSB_GetBarRect(hwnd, SB_HORZ);
    const RECT v = DrawnSB_GetBarRect(hwnd, SB_VERT);
    EXPECT_EQ(h.left, 0);
    EXPECT_EQ(h.right, kWidth - kSize);
    EXPECT_EQ(h.top, kHeight - kSize);
    EXPECT_EQ(v.left, kWidth - kSize);
    EXPECT_EQ(v.bottom, kHeight - kSize);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(kLeft + 5, kTop + kHeight - 3)),
              HTHSCROLL);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(kLeft + kWidth - 3, kTop + 5)),
              HTVSCROLL);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(kLeft + 5, kTop + 5)), HTCLIENT);
    // The window keeps its styles.
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
}

TEST(DrawnScrollGeometry, LengthsAlongABar) {
    struct Case {
        int length, arrow, minimum, maximum;
        UINT page;
        int position, minThumb;
        int wantArrow, wantChannel, wantThumb, wantOffset;
    };
    const Case cases[] = {
        {30, 17, 0, 99, 10, 0, 6, 15, 0, 6, 0},       // arrows share a short bar
        {31, 17, 0, 99, 10, 0, 6, 15, 1, 6, 0},       // the odd pixel is channel
        {132, 16, 0, 99, 10, 0, 6, 16, 100, 10, 0},   // page 10 of 100
        {132, 16, 0, 99, 10, 90, 6, 16, 100, 10, 90}, // last page
        {132, 16, 0, 99, 2, 0, 8, 16, 100, 8, 0},     // the minimum thumb
        {132, 16, 0, 99, 0, 0, 6, 16, 100, 16, 0},    // no page: thumb as long as an arrow
        {132, 16, 0, 99, 100, 0, 6, 16, 100, 100, 0}, // a page over the whole range
        {132, 16, INT32_MIN, INT32_MAX, 10, 0, 6, 16, 100, 0, 0}, // too wide a range
        {132, 16, 50, 10, 10, 0, 6, 16, 100, 0, 0},               // an upside-down range
    };
    for (const Case& c : cases) {
        const SCROLLINFO info = Info(SIF_ALL, c.minimum, c.maximum, c.page, c.position);
        const drawn_sb::Layout l = drawn_sb::LayOut(0, c.length, c.arrow, info, c.minThumb);
        EXPECT_EQ(l.arrow, c.wantArrow) << c.length << "/" << c.page << "/" << c.position;
        EXPECT_EQ(l.channel, c.wantChannel) << c.length << "/" << c.page;
        EXPECT_EQ(l.thumbLength, c.wantThumb) << c.length << "/" << c.page << "/" << c.minimum;
        EXPECT_EQ(l.thumbStart - l.arrow, c.wantOffset) << c.length << "/" << c.position;
    }
}

TEST(DrawnScrollGeometry, PartsAlongABar) {
    const SCROLLINFO info = Info(SIF_ALL, 0, 99, 10, 45);
    const drawn_sb::Layout l = drawn_sb::LayOut(0, 132, 16, info, 6);
    ASSERT_EQ(l.thumbStart, 16 + 45);
    const std::pair<int, int> cases[] = {
        {-1, drawn_sb::kPartNone},       {0, drawn_sb::kPartArrow1},
        {15, drawn_sb::kPartArrow1},     {16, drawn_sb::kPartPageBefore},
        {60, drawn_sb::kPartPageBefore}, {61, drawn_sb::kPartThumb},
        {70, drawn_sb::kPartThumb},      {71, drawn_sb::kPartPageAfter},
        {115, drawn_sb::kPartPageAfter}, {116, drawn_sb::kPartArrow2},
        {131, drawn_sb::kPartArrow2},    {132, drawn_sb::kPartNone},
    };
    for (const auto& [along, part] : cases)
        EXPECT_EQ(drawn_sb::HitTest(l, along), part) << along;
    // A thumb that fills the channel leaves no channel to press.
    const SCROLLINFO full = Info(SIF_ALL, 0, 99, 100, 0);
    EXPECT_EQ(drawn_sb::HitTest(drawn_sb::LayOut(0, 132, 16, full, 6), 60), drawn_sb::kPartNone);
    // Positions stay inside the range however the numbers come.
    const std::pair<SCROLLINFO, int> clamps[] = {
        {Info(SIF_ALL, 0, 99, 10, 0), 90},
        {Info(SIF_ALL, 0, 99, 0, 0), 99},
        {Info(SIF_ALL, 50, 10, 0, 0), 50},
        {Info(SIF_ALL, INT32_MIN, INT32_MAX, 1, 0), INT32_MAX},
    };
    for (const auto& [range, last] : clamps)
        EXPECT_EQ(drawn_sb::ClampPosition(range, INT32_MAX), last)
            << range.nMin << ".." << range.nMax;
}

TEST_F(DrawnScrollBars, APageClickRepeatsOnTheClockWhileTheCursorStaysOnIt) {
    Make(false);
    Press(OnHorizontal(150));
    ASSERT_EQ(Codes(), (std::vector<std::pair<int, int>>{{SB_PAGEDOWN, 0}}));
    EXPECT_EQ(g_scrolls[0].message, static_cast<UINT>(WM_HSCROLL));
    Advance(299);
    EXPECT_EQ(g_scrolls.size(), 1u);
    Advance(1);
    EXPECT_EQ(g_scrolls.size(), 2u) << "again after 300 ms";
    Advance(55);
    Advance(55);
    EXPECT_EQ(g_scrolls.size(), 4u) << "then every 55 ms";
    MoveTo(POINT{kLeft + 10, kTop + 10});
    Advance(110);
    EXPECT_EQ(g_scrolls.size(), 4u) << "nothing while the cursor is off the part";
    Release();
    EXPECT_EQ(g_scrolls.back().code, SB_ENDSCROLL);
    Advance(200);
    EXPECT_EQ(g_scrolls.back().code, SB_ENDSCROLL) << "the repeat stopped with the release";
}

TEST_F(DrawnScrollBars, ArrowsScrollByLinesAndADisabledArrowIgnoresThePress) {
    Make(false);
    Press(OnHorizontal(kWidth - kSize - 5));
    Release();
    EXPECT_EQ(Codes(), (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
    g_scrolls.clear();
    EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_LTUP);
    Press(OnHorizontal(5));
    Release();
    EXPECT_TRUE(g_scrolls.empty());
}

TEST_F(DrawnScrollBars, TheThumbFollowsTheMouseAndSnapsBackFarFromTheBar) {
    Make(false);
    // Bar 224 long: channel 192, thumb MulDiv(10, 192, 100) = 19.
    const POINT grab = OnHorizontal(kSize + 5);
    Press(grab);
    EXPECT_TRUE(g_scrolls.empty());
    MoveTo(POINT{grab.x + 40, grab.y});
    ASSERT_FALSE(g_scrolls.empty());
    EXPECT_EQ(g_scrolls.back().code, SB_THUMBTRACK);
    EXPECT_EQ(g_scrolls.back().position, 21) << "40 * 90 / 173";
    SCROLLINFO track = Info(SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0);
    GetScrollInfo(hwnd, SB_HORZ, &track);
    EXPECT_EQ(track.nTrackPos, 21);
    EXPECT_EQ(track.nPos, 0) << "the position is the window's to set";
    MoveTo(POINT{grab.x + 40, grab.y - 20});
    EXPECT_EQ(g_scrolls.back().position, 21) << "20 pixels off the bar it still follows";
    MoveTo(POINT{grab.x + 40, grab.y - 8 - 25});
    EXPECT_EQ(g_scrolls.back().code, SB_THUMBTRACK);
    EXPECT_EQ(g_scrolls.back().position, 0) << "25 pixels beyond the slack it snaps back";
    MoveTo(OnHorizontal(250));
    EXPECT_EQ(g_scrolls.back().position, 90) << "past the channel's end, inside the slack";
    Release();
    ASSERT_GE(g_scrolls.size(), 2u);
    EXPECT_EQ(g_scrolls[g_scrolls.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(g_scrolls[g_scrolls.size() - 2].position, 90);
    EXPECT_EQ(g_scrolls.back().code, SB_ENDSCROLL);
}

TEST_F(DrawnScrollBars, PiecesArePaintedFromTheSkinAndVerticalOnesTurned) {
    Make();
    const auto& normal = sbtest::kStateColors[0];
    const RECT h = DrawnSB_GetBarRect(hwnd, SB_HORZ);
    const int y = (h.top + h.bottom) / 2;
    EXPECT_EQ(window_pixel(hwnd, h.left + 1, y), sbtest::kMarker);
    EXPECT_EQ(window_pixel(hwnd, h.left + 10, y), normal.arrow1);
    EXPECT_EQ(window_pixel(hwnd, h.right - 5, y), normal.arrow2);
    EXPECT_EQ(window_pixel(hwnd, h.left + kSize + 5, y), normal.thumb);
    EXPECT_EQ(window_pixel(hwnd, h.left + 150, y), normal.track);
    EXPECT_EQ(window_pixel(hwnd, kWidth - 5, kHeight - 5), sbtest::kGripper);

    // The vertical bar: the first arrow's left strip comes to its top.
    const RECT v = DrawnSB_GetBarRect(hwnd, SB_VERT);
    const int x = (v.left + v.right) / 2;
    EXPECT_EQ(window_pixel(hwnd, x, v.top + 1), sbtest::kMarker);
    EXPECT_EQ(window_pixel(hwnd, x, v.top + 10), normal.arrow1);
    EXPECT_EQ(window_pixel(hwnd, x, v.bottom - 5), normal.arrow2);
    EXPECT_EQ(window_pixel(hwnd, x, v.top + kSize + 5), normal.thumb);
    EXPECT_EQ(window_pixel(hwnd, x, v.top + 100), normal.track);
    lv::testing::save_window_png(hwnd, lvtest::ScreenshotPath("drawn_scroll_bars.png"));

    // Held down, the second arrow and the channel show their pressed looks.
    Press(OnHorizontal(h.right - h.left - 5));
    EXPECT_EQ(window_pixel(hwnd, h.right - 5, y), sbtest::kStateColors[1].arrow2);
    Release();
    EXPECT_EQ(window_pixel(hwnd, h.right - 5, y), normal.arrow2);
    Press(OnHorizontal(kSize + 5));
    EXPECT_EQ(window_pixel(hwnd, h.left + kSize + 5, y), sbtest::kStateColors[1].thumb);
    EXPECT_EQ(window_pixel(hwnd, h.left + kSize + 3, y - 7), sbtest::kStateColors[1].thumb);
    Release();

    // A disabled arrow shows its disabled look.
    EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_LTUP);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    EXPECT_EQ(window_pixel(hwnd, h.left + 10, y), sbtest::kStateColors[3].arrow1);
}

TEST_F(DrawnScrollBars, AHotThumbWithoutItsOwnImageIsTheNormalOne) {
    Make();
    DrawnSB_SetStyle(hwnd, SB_BOTH, 2);
    MoveTo(OnHorizontal(10));
    Advance(20);
    const RECT h = DrawnSB_GetBarRect(hwnd, SB_HORZ);
    const int y = (h.top + h.bottom) / 2;
    EXPECT_EQ(window_pixel(hwnd, h.left + 10, y), sbtest::kStateColors[2].arrow1) << "hot arrow";
    DrawnSBCustomDraw record{};
    record.drawStage = kDrawnSBItemPrePaint;
    record.item = drawn_sb::kPartThumb;
    record.itemState = kDrawnSBHot;
    record.bar = SB_HORZ;
    record.rc = RECT{0, 0, 20, 16};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 16);
    HGDIOBJ old = SelectObject(memory, bitmap);
    record.hdc = memory;
    EXPECT_EQ(DrawSkinBarElement(kDrawnSBNotifyCode, &record), kDrawnSBSkipDefault);
    EXPECT_EQ(GetPixel(memory, 10, 8), sbtest::kStateColors[0].thumb);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    // Away from the bar the hot look goes on the next tick.
    MoveTo(POINT{kLeft + 10, kTop + 10});
    Advance(20);
    EXPECT_EQ(window_pixel(hwnd, h.left + 10, y), sbtest::kStateColors[0].arrow1);
}

TEST_F(DrawnScrollBars, WithoutAScrollBarObjectTheBarsDrawThemselves) {
    Make(false);
    const RECT h = DrawnSB_GetBarRect(hwnd, SB_HORZ);
    EXPECT_EQ(window_pixel(hwnd, h.left + 150, (h.top + h.bottom) / 2),
              GetSysColor(COLOR_SCROLLBAR));
    EXPECT_EQ(window_pixel(hwnd, kWidth - 5, kHeight - 5), GetSysColor(COLOR_BTNFACE));
}

} // namespace
