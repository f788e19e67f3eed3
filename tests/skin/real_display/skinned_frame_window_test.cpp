// The skinned frame window as a person meets it on a desktop of 1100x700 (a private virtual X
// server, real pointer and keys through xdotool): the main frame of the default skin with its
// skinned menu bar, a drop-down with a submenu opened by hovering, MDI children of which one is
// maximised (its buttons on the bar, restored by a click), and a context menu on a right click.
// This is the frame-window demonstration until the skin gallery shows it.
#include "../skinners/menu_skin_fixture.h"

#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/glazework_menus.h"
#include "skin/skinners/skin_frame_wnd.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"
#include "tools/skinbuilder/default_skin_layout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace layout = default_skin::layout;

constexpr int kWidth = 1100;
constexpr int kHeight = 700;

HWND g_client = nullptr;
HMENU g_context = nullptr;

long Rgb(COLORREF c) {
    return (static_cast<long>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

bool PumpUntil(const std::function<bool()>& ready, int seconds = 10) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        menutest::Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefFrameProcA(hwnd, g_client, message, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    if (message == WM_RBUTTONUP) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &at);
        GlazeworkTrackPopupMenu(g_context, 0, at.x, at.y, hwnd, FALSE);
        return 0;
    }
    return DefMDIChildProcA(hwnd, message, wParam, lParam);
}

RECT ScreenRectOf(const SkinFrameWnd& frame, const RECT& windowRelative) {
    RECT window{};
    GetWindowRect(frame.GetHwnd(), &window);
    RECT r = windowRelative;
    OffsetRect(&r, window.left, window.top);
    return r;
}

TEST(SkinnedFrameOnRealDisplay, MenuBarDropDownsMdiChildrenAndAContextMenu) {
    if (lvtest::RanUnderVirtualX(kWidth, kHeight))
        return;
    lvtest::XScreen x = lvtest::CurrentScreen();
    ASSERT_EQ(GlazeworkStartup(nullptr, "Gallery", 0, 0), 1);
    ASSERT_EQ(SkinManager::Instance().SetSkin(menutest::LoadDefaultSkin()), 1);
    GlazeworkSetWindowSkinName("MainFrame");
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = &FrameProc;
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
    frameClass.lpszClassName = "GalleryFrame";
    WNDCLASSA childClass = frameClass;
    childClass.lpfnWndProc = &ChildProc;
    childClass.lpszClassName = "GalleryChild";
    ASSERT_TRUE(RegisterClassA(&frameClass) && RegisterClassA(&childClass));

    HMENU bar = menutest::BuildMenu({">",
                                     "&File",
                                     "&New\tCtrl+N|100",
                                     "&Open...\tCtrl+O|101",
                                     ">",
                                     "&Recent files",
                                     "&1 Holiday.jpg|110",
                                     "&2 Garden.png|111",
                                     "<",
                                     "-",
                                     "&Save|102|1",
                                     "-",
                                     "E&xit|103",
                                     "<",
                                     ">",
                                     "&View",
                                     "&Toolbar|200|8",
                                     "&Status bar|201|8",
                                     "<",
                                     ">",
                                     "&Window",
                                     "&Cascade|300",
                                     "&Tile|301",
                                     "<",
                                     ">",
                                     "&Help",
                                     "&About|400",
                                     "<"},
                                    false);
    g_context = menutest::BuildMenu({"&Copy|500", "&Paste|501|1", "-", "&Properties|502"});
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "GalleryFrame", "Skin gallery",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 60, 760, 520, nullptr, bar,
                                nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    CLIENTCREATESTRUCT create{nullptr, 5000};
    RECT client{};
    GetClientRect(hwnd, &client);
    g_client = CreateWindowExA(0, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                               client.bottom, hwnd, nullptr, nullptr, &create);
    auto* frame = dynamic_cast<SkinFrameWnd*>(SkinManager::Instance().Find(hwnd));
    ASSERT_NE(frame, nullptr);
    HWND children[2] = {};
    const char* titles[2] = {"Picture 1", "Picture 2"};
    for (int i = 0; i < 2; ++i) {
        MDICREATESTRUCTA child{
            "GalleryChild", titles[i], nullptr, 20 + 60 * i, 20 + 40 * i, 300, 200, 0, 0};
        children[i] = reinterpret_cast<HWND>(
            SendMessageA(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&child)));
        ASSERT_NE(children[i], nullptr);
    }
    SetActiveWindow(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The frame is on the screen, its caption drawn by the skin.
    ASSERT_TRUE(PumpUntil([&] {
        RECT window{};
        GetWindowRect(hwnd, &window);
        return !x.WindowsOf(getpid(), 0).empty() && x.ColoursIn(window) > 2;
    }));

    // The File title, clicked with the real pointer, opens its drop-down below it.
    frame->MenuBar().RecalcLayout();
    const RECT file = ScreenRectOf(*frame, frame->MenuBar().Item(0).Rect());
    x.MoveTo((file.left + file.right) / 2, (file.top + file.bottom) / 2);
    x.Click();
    ASSERT_TRUE(PumpUntil([] { return menutest::OpenPopups().size() == 1; }));
    EXPECT_TRUE(PumpUntil([&] { return x.Pixel(file.left + 2, file.top + 2) == Rgb(layout::kAccent); }))
        << std::hex << x.Pixel(file.left + 2, file.top + 2);
    // Hovering "Recent files" opens its submenu after the delay.
    const POINT recent = menutest::Centre(menutest::ItemOnScreen(*menutest::OpenPopups()[0], 2));
    x.MoveTo(recent.x, recent.y);
    ASSERT_TRUE(PumpUntil([] { return menutest::OpenPopups().size() == 2; }));
    // Both drop-downs on the screen before the picture is taken.
    ASSERT_TRUE(PumpUntil([&] { return x.WindowsOf(getpid(), 0).size() >= 3; }));
    x.Screenshot(lvtest::ScreenshotPath("skinned_frame_real_dropdown.png"));
    x.Key("Escape");
    x.Key("Escape");
    ASSERT_TRUE(PumpUntil([] { return menutest::OpenPopups().empty(); }));

    // A maximised child puts its buttons on the bar; the restore button restores it.
    SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[1]), 0);
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_TRUE(PumpUntil([&] { return frame->MenuBar().HasMdiButtons(); }));
    frame->MenuBar().RecalcLayout();
    const RECT restore =
        ScreenRectOf(*frame, frame->MenuBar().ButtonAt(SkinMenuBar::RestoreButton).rect);
    x.Screenshot(lvtest::ScreenshotPath("skinned_frame_real_mdi_maximised.png"));
    x.MoveTo((restore.left + restore.right) / 2, (restore.top + restore.bottom) / 2);
    x.Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(children[1]); }));

    // A right click in a child shows the context menu; the test drives it from beside the
    // menu's own loop.
    RECT childRect{};
    GetWindowRect(children[1], &childRect);
    const POINT inside{(childRect.left + childRect.right) / 2,
                       (childRect.top + childRect.bottom) / 2};
    const std::vector<std::string> before = x.WindowsOf(getpid(), 0);
    std::atomic<bool> driven{false};
    std::thread driver([&] {
        EXPECT_FALSE(x.NewWindowOf(getpid(), before).empty()) << "no context menu came";
        x.Screenshot(lvtest::ScreenshotPath("skinned_frame_real_context_menu.png"));
        x.Key("Escape");
        driven = true;
    });
    x.MoveTo(inside.x, inside.y);
    x.Click(3);
    // The right click runs the menu's loop inside this pump; Escape ends it.
    EXPECT_TRUE(PumpUntil([&] { return driven.load(); }, 60));
    driver.join();
    EXPECT_TRUE(menutest::OpenPopups().empty());

    DestroyWindow(hwnd);
    DestroyMenu(g_context);
    GlazeworkShutdown();
}

} // namespace
