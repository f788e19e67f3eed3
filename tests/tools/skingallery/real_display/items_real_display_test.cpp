// The gallery's window of item controls as a person meets it on a desktop of 1440x900 with
// nothing of ours set but DISPLAY: the gallery's Items button opens it whole on the screen,
// drawn from the skin, and Escape closes it and then the gallery.
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"
#include "tests/tools/skingallery/real_display/gallery_on_screen.h"

#include <gtest/gtest.h>


namespace fs = std::filesystem;

namespace {

constexpr int kScreenWidth = 1440;
constexpr int kScreenHeight = 900;
// The Items button's centre in the gallery's template, in dialog units.
constexpr POINT kItemsButtonCentre{311 + 15, 254 + 7};

TEST(GalleryItemsOnRealDisplay, OpenWholeOnTheScreenAndCloseByEscape) {
    if (!lvtest::VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed";
    lvtest::VirtualXServer server(kScreenWidth, kScreenHeight);
    ASSERT_TRUE(server.Running());
    lvtest::XScreen x = server.Screen();
    lvtest::ScratchDir scratch;
    fs::create_directories(scratch / "home");
    lvtest::BackgroundProgram gallery(
        LV_SKINGALLERY, {"--dialog"},
        {{"DISPLAY", server.Display()}, {"HOME", (scratch / "home").string()}});
    const std::string main_window = x.WindowNamed(gallery.Pid(), "Skin Gallery", 60);
    ASSERT_FALSE(main_window.empty()) << gallery.Output();
    // Drawn, and so taking clicks.
    ASSERT_TRUE(lvtest::Eventually([&] { return x.ColoursIn(x.Geometry(main_window)) > 2; }))
        << gallery.Output();

    const POINT button =
        gallery_screen::GalleryPointOnScreen(x.Geometry(main_window), kItemsButtonCentre);
    x.MoveTo(button.x, button.y);
    x.Click();
    const std::string items = x.WindowNamed(gallery.Pid(), "Item controls", 30);
    ASSERT_FALSE(items.empty()) << gallery.Output();
    // Drawn: the middle of the window is not the empty screen.
    EXPECT_TRUE(lvtest::Eventually([&] {
        const RECT at = x.Geometry(items);
        return x.Pixel((at.left + at.right) / 2, (at.top + at.bottom) / 2) > 0;
    })) << gallery.Output();
    const RECT r = x.Geometry(items);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, kScreenWidth);
    EXPECT_LE(r.bottom, kScreenHeight);
    EXPECT_GT(r.right - r.left, 400);
    x.Screenshot(lvtest::ScreenshotPath("skingallery_items_real_display.png"));

    x.Key("Escape");
    EXPECT_TRUE(x.WindowClosed(gallery.Pid(), "Item controls", 20)) << gallery.Output();
    x.Key("Escape");
    EXPECT_TRUE(gallery.Wait(20).has_value()) << gallery.Output();
}

} // namespace
