// The gallery dialog's system-menu caption button on the bare server and under a reparenting
// and a compositing window manager: a left and a right press on it each bring the skinned
// system menu on top of the dialog, Escape closes it, and the dialog has the keyboard again.
#include "tests/support/screenshots.h"
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "tests/tools/skingallery/real_display/gallery_on_a_desktop.h"

#include <gtest/gtest.h>

namespace {

using lvtest::Keyboard;
using lvtest::WindowManager;

// The full skin's dialog frame keeps the SysMenu button 48 to 66 pixels from its right edge,
// 6 to 24 from its top.
constexpr int kFromRight = 57;
constexpr int kFromTop = 15;

class GalleryCaptionOnADesktop : public ::testing::TestWithParam<WindowManager> {};

TEST_P(GalleryCaptionOnADesktop, TheSystemMenuButtonBringsTheMenuOnTopForEitherButton) {
    LV_SKIP_UNLESS_DESKTOP(GetParam());
    gallery_screen::GalleryOnADesktop desktop(GetParam(), {"--dialog"}, "en_GB.UTF-8");
    ASSERT_TRUE(desktop.server.Running()) << "the desktop did not start";
    const lvtest::XScreen x = desktop.server.Screen();
    lvtest::BackgroundProgram& gallery = desktop.gallery;
    const std::string dialog = x.WindowNamed(gallery.Pid(), "Skin Gallery", 60);
    ASSERT_FALSE(dialog.empty()) << gallery.Output();
    ASSERT_TRUE(x.FocusComesTo(dialog)) << "the keyboard is with " << x.Focused();
    const RECT at = x.SteadyGeometry(dialog);
    ASSERT_TRUE(lvtest::Eventually([&] { return x.ColoursIn(at) >= 3; })) << "not drawn";
    const std::string shot = std::string("wm-") + lvtest::NameOf(GetParam()) + "-sysmenu-";
    x.Screenshot(lvtest::ScreenshotPath(shot + "dialog.png"));

    for (const int button : {1, 3}) {
        SCOPED_TRACE(button == 1 ? "left" : "right");
        x.MoveTo(at.right - kFromRight, at.top + kFromTop);
        x.Click(button);
        const std::string menu = x.NewWindowOf(gallery.Pid(), {dialog});
        lvtest::ExpectSecondWindow(x, gallery, menu, dialog, Keyboard::left,
                                   shot + (button == 1 ? "left" : "right"));
        ASSERT_FALSE(menu.empty());
        // The menu opens at the pointer, below the caption.
        const RECT shown = x.Geometry(menu);
        EXPECT_GE(shown.top, at.top + kFromTop - 2);
        x.Key("Escape");
        lvtest::ExpectClosedBackTo(x, gallery, menu, dialog);
    }

    x.Key("Escape");
    EXPECT_TRUE(gallery.Wait(20).has_value()) << gallery.Output();
}

INSTANTIATE_TEST_SUITE_P(Desktops, GalleryCaptionOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
