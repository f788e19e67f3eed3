// The skin gallery's controls dialog (--dialog) as a person meets it on a desktop of 1280x800
// with nothing of ours set but DISPLAY: it waits whole on the screen, drawn, and Escape ends it.
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"

#include <gtest/gtest.h>


namespace fs = std::filesystem;

namespace {

TEST(GalleryOnRealDisplay, WaitsWholeOnTheScreenAndEndsByEscape) {
    if (!lvtest::VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed";
    lvtest::VirtualXServer server(1280, 800);
    ASSERT_TRUE(server.Running());
    lvtest::XScreen x = server.Screen();
    lvtest::ScratchDir scratch;
    fs::create_directories(scratch / "home");
    lvtest::BackgroundProgram gallery(
        LV_SKINGALLERY, {"--dialog"},
        {{"DISPLAY", server.Display()}, {"HOME", (scratch / "home").string()}});
    const std::string window = x.WindowNamed(gallery.Pid(), "Skin Gallery", 60);
    ASSERT_FALSE(window.empty()) << gallery.Output();
    // Drawn: the middle of the window is not the empty screen.
    EXPECT_TRUE(lvtest::Eventually([&] {
        const RECT at = x.Geometry(window);
        return x.Pixel((at.left + at.right) / 2, (at.top + at.bottom) / 2) > 0;
    })) << gallery.Output();
    const RECT r = x.Geometry(window);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, 1280);
    EXPECT_LE(r.bottom, 800);
    EXPECT_GT(r.right - r.left, 500);

    x.Screenshot(lvtest::ScreenshotPath("skingallery_real_display.png"));
    x.Key("Escape");
    EXPECT_TRUE(gallery.Wait(20).has_value()) << gallery.Output();
    EXPECT_EQ(gallery.Output().find("nobody can give"), std::string::npos) << gallery.Output();
}

} // namespace
