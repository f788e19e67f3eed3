// The real display on a desktop with a window manager, in process (each test in a child under a
// private virtual X server, see RanUnderVirtualX): an X error ends nothing, the layer's stacking
// reaches the screen through the manager, and each native window tells the manager what it is.
#include "on_a_desktop.h"
#include "tests/support/screenshots.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using desktop_test::kHeight;
using desktop_test::kWidth;
using desktop_test::OnADesktop;
using wintest::pump_until;
using wintest::x_rgb;

TEST(WindowManagerDisplay, AnXErrorIsReportedToTheCallerAndEndsNothing) {
    if (lvtest::RanUnderVirtualX(kWidth, kHeight))
        return;
    ASSERT_TRUE(lv::display::real_display_running());
    // With Xlib's own handler the process would end inside this call.
    EXPECT_TRUE(xfacts::bad_request_is_survived_and_reported());
    // The display goes on showing windows.
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, RGB(255, 0, 0));
    EXPECT_TRUE(pump_until([&] { return x.Pixel(200, 150) == x_rgb(RGB(255, 0, 0)); }));
    DestroyWindow(w);
}

// The display library puts back, as it shuts down, the X error handler it found when it
// started: an error read after that (the answer to a wake-up the library sent to a window just
// destroyed) turned a program that had ended well into one that failed.
TEST(WindowManagerDisplay, AnXErrorReadAfterTheDisplayShutDownEndsNothing) {
    if (lvtest::RanUnderVirtualX(kWidth, kHeight))
        return;
    xfacts::make_a_refused_request_at_exit();
    ASSERT_TRUE(lv::display::real_display_running());
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND w = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, RGB(0, 255, 0));
    EXPECT_TRUE(pump_until([&] { return x.Pixel(200, 150) == x_rgb(RGB(0, 255, 0)); }));
    DestroyWindow(w);
}

// Under a reparenting manager the native windows are no siblings: stacking them against each
// other was refused and ended the program.
TEST_P(OnADesktop, TheLayersStackingReachesTheScreen) {
    if (Skipped())
        return;
    StartDesktop();
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND red = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 200, 150, 400, 300, RGB(255, 0, 0));
    HWND blue = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 400, 250, 400, 300, RGB(0, 0, 255));
    EXPECT_TRUE(pump_until([&] { return x.Pixel(500, 350) == x_rgb(RGB(0, 0, 255)); }));
    SetWindowPos(red, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(pump_until([&] { return x.Pixel(500, 350) == x_rgb(RGB(255, 0, 0)); }));
    SetWindowPos(blue, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(pump_until([&] { return x.Pixel(500, 350) == x_rgb(RGB(0, 0, 255)); }));
    DestroyWindow(red);
    DestroyWindow(blue);
}

// Each window tells the manager what it is: a modal dialog is a dialog, transient for its
// disabled owner and modal; a drop-down is an unframed override-redirect menu held over its
// owner; a tip is a tooltip; the owner is a normal window at the place the layer gave it.
TEST_P(OnADesktop, EachWindowTellsTheManagerWhatItIs) {
    if (Skipped())
        return;
    StartDesktop();
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND owner = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                                        RGB(0, 0, 255));
    SetWindowTextA(owner, "owner");
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, WC_DIALOG, "dialog",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 200, 300, 200, owner,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    HWND drop = wintest::make_coloured(WS_POPUP | WS_VISIBLE | WS_BORDER, 320, 260, 120, 90,
                                       RGB(0, 200, 0), dialog);
    SetWindowTextA(drop, "drop");
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "tip", WS_POPUP, 500, 500, 80, 20,
                               dialog, nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    SetWindowPos(tip, HWND_TOPMOST, 500, 500, 80, 20, SWP_SHOWWINDOW | SWP_NOACTIVATE);

    const int pid = getpid();
    const std::string owner_id = x.WindowNamed(pid, "owner");
    const std::string dialog_id = x.WindowNamed(pid, "dialog");
    const std::string drop_id = x.WindowNamed(pid, "drop");
    const std::string tip_id = x.WindowNamed(pid, "tip");
    ASSERT_FALSE(owner_id.empty());
    ASSERT_FALSE(dialog_id.empty());
    ASSERT_FALSE(drop_id.empty());
    ASSERT_FALSE(tip_id.empty());

    xfacts::WindowFacts o = xfacts::facts_of(owner_id);
    // With no manager there is nobody to decorate a window, and SDL does not ask.
    const bool managed = GetParam() != lvtest::WindowManager::none;
    EXPECT_EQ(o.type, "NORMAL");
    EXPECT_EQ(o.undecorated, managed);
    EXPECT_TRUE(o.user_position);
    EXPECT_FALSE(o.override_redirect);

    xfacts::WindowFacts d = xfacts::facts_of(dialog_id);
    EXPECT_EQ(d.type, "DIALOG");
    EXPECT_EQ(d.transient_for, xfacts::id_of(owner_id));
    EXPECT_TRUE(d.has_state("MODAL"));
    EXPECT_EQ(d.undecorated, managed);
    EXPECT_TRUE(d.user_position);
    EXPECT_TRUE(d.fixed_size);
    EXPECT_FALSE(d.override_redirect);

    xfacts::WindowFacts m = xfacts::facts_of(drop_id);
    EXPECT_EQ(m.type, "POPUP_MENU");
    EXPECT_TRUE(m.override_redirect);
    EXPECT_EQ(m.transient_for, xfacts::id_of(dialog_id));

    xfacts::WindowFacts t = xfacts::facts_of(tip_id);
    EXPECT_EQ(t.type, "TOOLTIP");
    EXPECT_TRUE(t.override_redirect);

    // The dialog stays where the layer put it and shows above its owner.
    RECT where = x.Geometry(dialog_id);
    EXPECT_EQ(where.left, 300);
    EXPECT_EQ(where.top, 200);
    EXPECT_TRUE(pump_until([&] { return x.Pixel(450, 215) != x_rgb(RGB(0, 0, 255)); }));
    x.Screenshot(
        lvtest::ScreenshotPath(std::string("wm-hints-") + lvtest::NameOf(GetParam()) + ".png"));

    DestroyWindow(tip);
    DestroyWindow(drop);
    EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    DestroyWindow(owner);
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnADesktop, ::testing::ValuesIn(lvtest::kAllWindowManagers),
                         lvtest::DesktopName);

} // namespace
