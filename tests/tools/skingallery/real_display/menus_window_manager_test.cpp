// The skin gallery's menus on a desktop with a window manager as well as on the bare server:
// the File drop-down, its submenu, a picture's context menu and, from the keyboard (Alt+F, then
// Right), every title's drop-down each come on top of the frame, whole on the screen and drawn,
// with the program alive; Escape closes them and the frame has the keyboard again.
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "tests/tools/skingallery/real_display/gallery_on_a_desktop.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using lvtest::Keyboard;
using lvtest::WindowManager;

// Where the full skin's frame puts things, from the frame's top-left corner.
constexpr POINT kFileTitle{29, 44};
constexpr POINT kRecentItem{120, 94}; // "Recent pictures" in the File drop-down
constexpr POINT kInPicture{150, 200};

class GalleryMenusOnADesktop : public ::testing::TestWithParam<WindowManager> {};

TEST_P(GalleryMenusOnADesktop, DropDownSubmenuAndContextMenuComeOnTopAndEscapeClosesThem) {
    LV_SKIP_UNLESS_DESKTOP(GetParam());
    gallery_screen::GalleryOnADesktop desktop(GetParam(), {}, "en_GB.UTF-8");
    ASSERT_TRUE(desktop.server.Running()) << "the desktop did not start";
    const lvtest::XScreen x = desktop.server.Screen();
    lvtest::BackgroundProgram& gallery = desktop.gallery;
    const std::vector<std::string> windows = x.WindowsOf(gallery.Pid(), 60);
    ASSERT_FALSE(windows.empty()) << gallery.Output();
    const std::string frame = windows.front();
    ASSERT_TRUE(x.FocusComesTo(frame)) << "the keyboard is with " << x.Focused();
    const RECT at = x.SteadyGeometry(frame);
    ASSERT_TRUE(lvtest::Eventually([&] { return x.ColoursIn(at) >= 3; })) << "not drawn";
    const auto move_to = [&](POINT p) { x.MoveTo(at.left + p.x, at.top + p.y); };
    const std::string shot = std::string("wm-") + lvtest::NameOf(GetParam()) + "-gallery-";

    move_to(kFileTitle);
    x.Click();
    const std::string drop_down = x.NewWindowOf(gallery.Pid(), {frame});
    lvtest::ExpectSecondWindow(x, gallery, drop_down, frame, Keyboard::left, shot + "drop-down");
    ASSERT_FALSE(drop_down.empty());
    move_to(kRecentItem);
    const std::string submenu = x.NewWindowOf(gallery.Pid(), {frame, drop_down});
    lvtest::ExpectSecondWindow(x, gallery, submenu, drop_down, Keyboard::left, shot + "submenu");
    ASSERT_FALSE(submenu.empty());
    // The submenu's owner is the drop-down: the keyboard goes back there.
    x.Key("Escape");
    lvtest::ExpectClosedBackTo(x, gallery, submenu, drop_down);
    x.Key("Escape");
    lvtest::ExpectClosedBackTo(x, gallery, drop_down, frame);

    move_to(kInPicture);
    x.Click(3);
    const std::string context = x.NewWindowOf(gallery.Pid(), {frame});
    lvtest::ExpectSecondWindow(x, gallery, context, frame, Keyboard::left, shot + "context-menu");
    ASSERT_FALSE(context.empty());
    x.Key("Escape");
    lvtest::ExpectClosedBackTo(x, gallery, context, frame);

    // From the keyboard: Alt+F opens File; Right walks the bar's other titles, each drop-down
    // in place of the one before.
    x.Key("alt+f");
    std::string open_menu = x.NewWindowOf(gallery.Pid(), {frame});
    lvtest::ExpectSecondWindow(x, gallery, open_menu, frame, Keyboard::left, shot + "alt-f");
    ASSERT_FALSE(open_menu.empty());
    for (const char* title : {"View", "Window", "Help"}) {
        SCOPED_TRACE(title);
        x.Key("Right");
        const std::string next = x.NewWindowOf(gallery.Pid(), {frame, open_menu});
        lvtest::ExpectSecondWindow(x, gallery, next, frame, Keyboard::left, shot + "menu-" + title);
        ASSERT_FALSE(next.empty());
        EXPECT_TRUE(x.WindowGone(gallery.Pid(), open_menu)) << "the drop-down before stayed";
        open_menu = next;
    }
    x.Key("Escape");
    lvtest::ExpectClosedBackTo(x, gallery, open_menu, frame);

    gallery.Terminate();
    EXPECT_TRUE(gallery.Wait(20).has_value()) << gallery.Output();
}

INSTANTIATE_TEST_SUITE_P(Desktops, GalleryMenusOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
