// Dialogs framed from a skin built in code whose parts each have a colour of their own: what
// each part shows after a resize, hit codes, the caption button's looks, the key-coloured
// corner left out of painting and hit testing, and a new skin taking over open dialogs.
#include "skin/core/glazework.h"
#include "skin/core/nine_part_frame_skin.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_caption_button.h"
#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_messages.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/support/frame_test_skin.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using lv::testing::window_pixel;
using lvtest::FramePartColor;

std::vector<int> g_commands;

INT_PTR CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND)
        g_commands.push_back(LOWORD(wParam));
    return FALSE;
}

void Pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class SkinnedDialog : public ::testing::Test {
protected:
    void SetUp() override { Start({}); }
    void TearDown() override {
        for (HWND w : windows)
            if (IsWindow(w))
                DestroyWindow(w);
        GlazeworkShutdown();
    }
    void Start(const lvtest::FrameSkinOptions& options) {
        ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
        ASSERT_EQ(SkinManager::Instance().SetSkin(lvtest::LoadFrameTestSkin(options)), 1);
        GlazeworkSetDialogSkinName("Dialog");
    }
    HWND Open(const char* name) {
        g_commands.clear();
        HWND dialog = CreateDialogParamA(nullptr, name, nullptr, RecordingProc, 0);
        EXPECT_NE(dialog, nullptr) << name;
        windows.push_back(dialog);
        SetActiveWindow(dialog);
        lv::testing::mouse_move(1000, 760);
        Pump();
        return dialog;
    }
    SkinDialogWnd* SkinnerOf(HWND dialog) {
        return dynamic_cast<SkinDialogWnd*>(SkinManager::Instance().Find(dialog));
    }
    // The colour a point of the window (relative to its rectangle) shows on the screen.
    static COLORREF OnScreen(HWND hwnd, int x, int y) {
        const RECT r = WindowRect(hwnd);
        return lv::testing::screen_pixel(r.left + x, r.top + y);
    }
    // Where to look at each laid-out part: its centre, or near the top of the caption row,
    // away from the caption text and the close button.
    static POINT SamplePoint(const frame_geometry::PartRects& parts, int part) {
        POINT p = CentreOf(parts[part]);
        if (part <= 2)
            p.y = parts[part].top + 2;
        if (part == 0)
            p.x = parts[0].left + 30;
        return p;
    }
    void ExpectParts(HWND dialog, bool active) {
        SkinDialogWnd* skinner = SkinnerOf(dialog);
        ASSERT_NE(skinner, nullptr);
        const RECT size = skinner->GetWindowSizeRect();
        const auto parts =
            frame_geometry::LayoutFrameParts(skinner->PartRects(), size.right, size.bottom);
        for (int part = 0; part < 9; ++part) {
            const POINT at = SamplePoint(parts, part);
            // The background is the active centre's in either state.
            EXPECT_EQ(window_pixel(dialog, at.x, at.y), FramePartColor(part, active || part == 4))
                << "part " << part << " at " << at.x << "," << at.y;
        }
    }
    RECT CloseButton(HWND dialog) {
        SkinDialogWnd* skinner = SkinnerOf(dialog);
        return skinner->Elements().front()->Rect();
    }
    std::vector<HWND> windows;
};

TEST_F(SkinnedDialog, TheFrameHasTheSkinsBordersAndEveryPartItsColour) {
    HWND dialog = Open("FRAMED");
    ASSERT_NE(SkinnerOf(dialog), nullptr);
    const RECT window = WindowRect(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ((window.right - window.left) - client.right, 20);
    EXPECT_EQ((window.bottom - window.top) - client.bottom, 42);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(origin.x - window.left, 10);
    EXPECT_EQ(origin.y - window.top, 30);
    ExpectParts(dialog, true);

    // Bigger, then smaller than the design: the parts follow, the region too.
    for (const SIZE size : {SIZE{420, 300}, SIZE{240, 120}}) {
        SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        ExpectParts(dialog, true);
        EXPECT_EQ(OnScreen(dialog, size.cx - 2, size.cy - 2), FramePartColor(8, true));
        EXPECT_NE(OnScreen(dialog, 1, 1), FramePartColor(0, true));
    }
}

TEST_F(SkinnedDialog, AnInactiveDialogShowsTheInactiveDesign) {
    HWND first = Open("FRAMED");
    HWND second = Open("FRAMED");
    ASSERT_EQ(GetActiveWindow(), second);
    ExpectParts(second, true);
    ExpectParts(first, false);
}

TEST_F(SkinnedDialog, TheKeyColouredCornerIsNeitherPaintedNorHit) {
    HWND dialog = Open("FRAMED");
    const RECT r = WindowRect(dialog);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(dialog, region), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, lvtest::kFrameCornerCut, 1));
    DeleteObject(region);
    const COLORREF desktop = lv::testing::screen_pixel(r.left - 5, r.top - 5);
    EXPECT_EQ(OnScreen(dialog, 1, 1), desktop);
    EXPECT_EQ(OnScreen(dialog, lvtest::kFrameCornerCut + 1, 1), FramePartColor(0, true));
    EXPECT_NE(WindowFromPoint(POINT{r.left + 1, r.top + 1}), dialog);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 6, r.top + 6}), dialog);
    // The close button's own cut corner shows the frame under it.
    const RECT close = CloseButton(dialog);
    EXPECT_EQ(window_pixel(dialog, close.left + 1, close.top + 1), FramePartColor(2, true));
    EXPECT_EQ(window_pixel(dialog, close.left + 5, close.top + 5), lvtest::kCloseNormal);
}

TEST_F(SkinnedDialog, HitCodesOfAFixedAndASizableDialog) {
    struct Case {
        int x, y; // from the window's corners: negative counts from the right or bottom
        LRESULT fixed;
        LRESULT sizable;
    };
    const Case cases[] = {
        {6, 6, HTCAPTION, HTCAPTION},     {2, 2, HTNOWHERE, HTNOWHERE},
        {100, 2, HTCAPTION, HTTOP},       {-2, 2, HTCAPTION, HTTOPRIGHT},
        {50, 50, HTCLIENT, HTCLIENT},     {2, 50, HTNOWHERE, HTLEFT},
        {-2, 50, HTNOWHERE, HTRIGHT},     {-2, -2, HTNOWHERE, HTBOTTOMRIGHT},
        {2, -2, HTNOWHERE, HTBOTTOMLEFT}, {100, -2, HTNOWHERE, HTBOTTOM},
        {-17, 15, HTCAPTION, HTCAPTION}, // the close button
    };
    HWND fixed = Open("FRAMED");
    HWND sizable = Open("SIZABLE");
    for (const Case& c : cases) {
        for (auto [dialog, expected] : {std::pair{fixed, c.fixed}, std::pair{sizable, c.sizable}}) {
            const RECT r = WindowRect(dialog);
            const int x = c.x < 0 ? r.right + c.x : r.left + c.x;
            const int y = c.y < 0 ? r.bottom + c.y : r.top + c.y;
            // Points outside the region are not the window's; inside, the skin decides.
            const LRESULT hit = SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (c.x == 2 && c.y == 2)
                EXPECT_NE(WindowFromPoint(POINT{x, y}), dialog);
            else
                EXPECT_EQ(hit, expected)
                    << c.x << "," << c.y << (dialog == fixed ? " fixed" : " sizable");
        }
    }
    // A right press on the frame is taken and does nothing.
    const RECT r = WindowRect(fixed);
    EXPECT_EQ(SendMessageA(fixed, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 40, r.top + 10)),
              0);
}

TEST_F(SkinnedDialog, TheCloseButtonIsHotPressedNormalAndCloses) {
    lv::testing::VirtualClockScope clock;
    HWND dialog = Open("FRAMED");
    const RECT button = CloseButton(dialog);
    const POINT look = CentreOf(button);
    const RECT r = WindowRect(dialog);
    const POINT over{r.left + look.x, r.top + look.y};
    auto shown = [&] { return window_pixel(dialog, look.x, look.y); };
    EXPECT_EQ(shown(), lvtest::kCloseNormal);

    lv::testing::mouse_move(over.x, over.y);
    Pump();
    EXPECT_EQ(shown(), lvtest::kCloseHot);
    lv::testing::mouse_move(r.left + 60, r.top + 60);
    Pump();
    lv::testing::advance(250);
    Pump();
    EXPECT_EQ(shown(), lvtest::kCloseNormal);

    // Pressed, then released away from it: nothing happens, and leaving clears the press.
    lv::testing::mouse_move(over.x, over.y);
    lv::testing::mouse_down();
    Pump();
    EXPECT_EQ(shown(), lvtest::kClosePressed);
    lv::testing::mouse_move(r.left + 60, r.top + 60);
    lv::testing::mouse_up();
    Pump();
    lv::testing::advance(250);
    Pump();
    EXPECT_EQ(shown(), lvtest::kCloseNormal);
    EXPECT_TRUE(g_commands.empty());
    EXPECT_TRUE(IsWindow(dialog));

    // Later than a double click would be.
    lv::testing::advance(GetDoubleClickTime() + 10);
    lv::testing::click(over.x, over.y);
    Pump();
    EXPECT_EQ(g_commands, std::vector<int>{IDCANCEL});
}

TEST_F(SkinnedDialog, WithoutASystemMenuTheCloseButtonIsDisabled) {
    HWND dialog = Open("NOSYSMENU");
    const RECT button = CloseButton(dialog);
    const POINT look = CentreOf(button);
    EXPECT_EQ(window_pixel(dialog, look.x, look.y), lvtest::kCloseDisabled);
    const RECT r = WindowRect(dialog);
    lv::testing::click(r.left + look.x, r.top + look.y);
    Pump();
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(window_pixel(dialog, look.x, look.y), lvtest::kCloseDisabled);
}

// Whether any pixel of the rectangle has the colour.
bool Shows(HWND hwnd, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (window_pixel(hwnd, x, y) == colour)
                return true;
    return false;
}

TEST_F(SkinnedDialog, TheCaptionTextNeedsBothCaptionBits) {
    HWND framed = Open("FRAMED");
    HWND noCaption = Open("NOCAPTION");
    for (auto [dialog, expected] : {std::pair{framed, true}, std::pair{noCaption, false}}) {
        RECT top = SkinnerOf(dialog)->PartRects()[1];
        EXPECT_EQ(Shows(dialog, top, lvtest::kTitleColor), expected);
    }
    // A dialog with DS_MODALFRAME alone is still framed by the skin.
    RECT client{};
    GetClientRect(noCaption, &client);
    EXPECT_EQ(WindowRect(noCaption).right - WindowRect(noCaption).left - client.right, 20);

    // A new title is drawn at once.
    SetWindowTextA(framed, "");
    Pump();
    EXPECT_FALSE(Shows(framed, SkinnerOf(framed)->PartRects()[1], lvtest::kTitleColor));
}

TEST_F(SkinnedDialog, ATitleElementDrawsTheTitleInsteadOfTheDialog) {
    GlazeworkShutdown();
    lvtest::FrameSkinOptions options;
    options.titleElement = true;
    Start(options);
    HWND dialog = Open("FRAMED");
    SkinDialogWnd* skinner = SkinnerOf(dialog);
    EXPECT_FALSE(skinner->WindowDrawsCaption());
    RECT title{};
    for (const auto& element : skinner->Elements())
        if (element->GetType() == 38)
            title = element->Rect();
    ASSERT_FALSE(IsRectEmpty(&title));
    EXPECT_TRUE(Shows(dialog, title, lvtest::kTitleColor));
    const RECT r = WindowRect(dialog);
    EXPECT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0,
                           MAKELPARAM(r.left + title.left + 2, r.top + title.top + 2)),
              HTCAPTION);
}

TEST_F(SkinnedDialog, DraggingTheSkinnedCaptionMovesTheDialog) {
    HWND dialog = Open("FRAMED");
    const RECT before = WindowRect(dialog);
    lv::testing::mouse_move(before.left + 40, before.top + 12);
    lv::testing::mouse_down();
    lv::testing::mouse_move(before.left + 70, before.top + 32);
    lv::testing::mouse_up();
    Pump();
    const RECT after = WindowRect(dialog);
    EXPECT_EQ(after.left, before.left + 30);
    EXPECT_EQ(after.top, before.top + 20);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_NE(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU, 0);
}

TEST_F(SkinnedDialog, ANewSkinTakesOverOpenDialogs) {
    HWND dialog = Open("FRAMED");
    SkinDialogWnd* skinner = SkinnerOf(dialog);
    const RECT before = WindowRect(dialog);
    lvtest::FrameSkinOptions opaque;
    opaque.transparent = false;
    ASSERT_EQ(SkinManager::Instance().SetSkin(lvtest::LoadFrameTestSkin(opaque)), 1);
    Pump();
    EXPECT_EQ(SkinnerOf(dialog), skinner);
    EXPECT_EQ(skinner->Object(), SkinManager::Instance().GetSkin()->FindElement("Dialog"));
    // No key colour any more: the window is rectangular and its corner the frame's.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(dialog, region), ERROR);
    DeleteObject(region);
    // Without keying, the key colour is drawn as it is.
    EXPECT_EQ(OnScreen(dialog, 1, 1), RGB(255, 0, 255));
    const RECT after = WindowRect(dialog);
    EXPECT_TRUE(EqualRect(&before, &after));
    ExpectParts(dialog, true);

    // A skin without the dialog's object: the dialog is let go and drawn by the system.
    ASSERT_EQ(SkinManager::Instance().SetSkin(std::make_unique<SkinData>()), 1);
    Pump();
    EXPECT_EQ(SkinManager::Instance().Find(dialog), nullptr);
    EXPECT_EQ(GetPropA(dialog, SkinWnd::kObjectProperty), nullptr);
}

TEST_F(SkinnedDialog, UnframedDialogsKeepTheirFrameAndTakeTheBackground) {
    HWND bordered = Open("BORDERED");
    ASSERT_NE(SkinnerOf(bordered), nullptr);
    RECT client{};
    GetClientRect(bordered, &client);
    const RECT r = WindowRect(bordered);
    EXPECT_EQ((r.right - r.left) - client.right, 2);
    EXPECT_EQ(window_pixel(bordered, 1 + client.right / 2, 1 + client.bottom / 2),
              FramePartColor(4, true));
    EXPECT_EQ(SendMessageA(bordered, WM_CTLCOLORDLG, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
}

TEST_F(SkinnedDialog, PagesAndControlsCopyTheBackgroundUnderThem) {
    HWND dialog = Open("FRAMED");
    HWND page = CreateDialogParamA(nullptr, "PAGE", dialog, RecordingProc, 0);
    ASSERT_NE(page, nullptr);
    Pump();
    ASSERT_NE(SkinnerOf(page), nullptr);
    EXPECT_EQ(window_pixel(page, 150, 5), FramePartColor(4, true));
    // A control asks its skinned parent for what lies under it.
    HWND label = GetDlgItem(page, 402);
    RECT area{};
    GetClientRect(label, &area);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_EQ(SendMessageA(page, GWM_PAINTBACKGROUND, reinterpret_cast<WPARAM>(memory),
                           reinterpret_cast<LPARAM>(label)),
              1);
    EXPECT_EQ(GetPixel(memory, area.right / 2, area.bottom / 2), FramePartColor(4, true));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    // The toolkit's messages reach the base in a page too.
    EXPECT_EQ(SendMessageA(page, GWM_CHILDDESTROYED, reinterpret_cast<WPARAM>(label), 0), 0);
}

TEST_F(SkinnedDialog, AStretchedBackgroundStillFillsTheClient) {
    GlazeworkShutdown();
    lvtest::FrameSkinOptions options;
    options.centreMode = 2;
    Start(options);
    HWND dialog = Open("FRAMED");
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(window_pixel(dialog, 10 + client.right - 3, 30 + client.bottom - 3),
              FramePartColor(4, true));
    EXPECT_TRUE(
        lv::testing::save_window_png(dialog, lvtest::ScreenshotPath("skinned_test_dialog.png")));
}

TEST_F(SkinnedDialog, MessageBoxesAreFramedToo) {
    bool skinned = false;
    COLORREF corner = CLR_INVALID;
    lv::testing::push_modal_answer({IDOK, [&](HWND box) {
                                        Pump();
                                        skinned = SkinnerOf(box) != nullptr;
                                        corner = window_pixel(box, 6, 2);
                                    }});
    EXPECT_EQ(MessageBoxA(nullptr, "A message", "Caption", MB_OK), IDOK);
    EXPECT_TRUE(skinned);
    EXPECT_EQ(corner, FramePartColor(0, true));
}

} // namespace
