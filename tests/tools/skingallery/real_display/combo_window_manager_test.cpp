// The skin gallery's drop-down list combo box on a desktop with a window manager as well as on
// the bare server: a click opens its list on top of the gallery, whole on the screen and drawn,
// with the program alive; Escape closes the list and the gallery has the keyboard again.
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "tests/tools/skingallery/real_display/gallery_on_a_desktop.h"
#include "tests/tools/skingallery/real_display/gallery_on_screen.h"

#include <gtest/gtest.h>

namespace {

using lvtest::Keyboard;
using lvtest::WindowManager;

// The middle of the drop-down list combo's closed field in the gallery's template.
constexpr POINT kDropListField{161 + 68, 190 + 6};

class GalleryComboOnADesktop : public ::testing::TestWithParam<WindowManager> {};

TEST_P(GalleryComboOnADesktop, TheDropDownListComesOnTopAndEscapeClosesIt) {
    LV_SKIP_UNLESS_DESKTOP(GetParam());
    gallery_screen::GalleryOnADesktop desktop(GetParam(), {"--dialog"});
    ASSERT_TRUE(desktop.server.Running()) << "the desktop did not start";
    const lvtest::XScreen x = desktop.server.Screen();
    lvtest::BackgroundProgram& gallery = desktop.gallery;
    const std::string dialog = x.WindowNamed(gallery.Pid(), "Skin Gallery", 60);
    ASSERT_FALSE(dialog.empty()) << gallery.Output();
    ASSERT_TRUE(x.FocusComesTo(dialog)) << "the keyboard is with " << x.Focused();
    const RECT at = x.SteadyGeometry(dialog);
    ASSERT_TRUE(lvtest::Eventually([&] { return x.ColoursIn(at) >= 3; })) << "not drawn";
    const std::string shot = std::string("wm-") + lvtest::NameOf(GetParam()) + "-gallery-";

    const POINT field = gallery_screen::GalleryPointOnScreen(at, kDropListField);
    x.MoveTo(field.x, field.y);
    x.Click();
    const std::string list = x.NewWindowOf(gallery.Pid(), {dialog});
    lvtest::ExpectSecondWindow(x, gallery, list, dialog, Keyboard::left, shot + "combo-list");
    ASSERT_FALSE(list.empty());
    // The list lies under the field it belongs to.
    const RECT r = x.Geometry(list);
    EXPECT_TRUE(r.left <= field.x && field.x < r.right && r.top > field.y)
        << "the list is at " << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
    x.Key("Escape");
    lvtest::ExpectClosedBackTo(x, gallery, list, dialog);

    x.Key("Escape");
    EXPECT_TRUE(gallery.Wait(20).has_value()) << gallery.Output();
    EXPECT_EQ(gallery.Output().find("nobody can give"), std::string::npos) << gallery.Output();
}

INSTANTIATE_TEST_SUITE_P(Desktops, GalleryComboOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
