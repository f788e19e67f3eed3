// The installer as a person meets it on a desktop of 1280x720 with nothing of ours set but
// DISPLAY: its Install Manager waits for the person, whole on the screen, and Cancel (Escape)
// ends it without installing.
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(InstallerOnRealDisplay, TheInstallManagerWaitsWholeOnTheScreenAndCancelEndsIt) {
    if (!lvtest::VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed";
    lvtest::VirtualXServer server(1280, 720);
    ASSERT_TRUE(server.Running());
    lvtest::XScreen x = server.Screen();
    lvtest::ScratchDir scratch;
    fs::create_directories(scratch / "home");
    lvtest::BackgroundProgram installer(
        LV_PACKED_INSTALLER, {},
        {{"DISPLAY", server.Display()}, {"HOME", (scratch / "home").string()}});
    // The "Please Wait..." box stays while the payload unpacks; then the dialog is alone.
    std::string dialog;
    const bool alone = lvtest::Eventually(
        [&] {
            auto windows = x.WindowsOf(installer.Pid(), 0);
            std::string named = x.WindowNamed(installer.Pid(), "Install Manager", 0);
            // Alone, with the keyboard, and drawn (its caption is no longer the empty screen).
            if (named.empty() || windows.size() != 1 || windows.front() != named ||
                x.Focused() != named)
                return false;
            RECT at = x.Geometry(named);
            if (x.Pixel(at.left + 10, at.top + 10) <= 0)
                return false;
            dialog = named;
            return true;
        },
        240);
    ASSERT_TRUE(alone) << installer.Output();
    ASSERT_TRUE(installer.Running()) << installer.Output();
    RECT r = x.Geometry(dialog);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, 1280);
    EXPECT_LE(r.bottom, 720);
    EXPECT_LT(r.right - r.left, 1280);
    x.Screenshot(lvtest::ScreenshotPath("real-display-install-manager.png"));
    x.Key("Escape");
    EXPECT_TRUE(installer.Wait(20).has_value()) << installer.Output();
    EXPECT_EQ(installer.Output().find("nobody can give"), std::string::npos) << installer.Output();
    // Nothing installed, and the staging folder gone with the dialog.
    for (const auto& entry : fs::recursive_directory_iterator(scratch / "home"))
        EXPECT_NE(entry.path().extension(), ".scr") << entry.path();
}

} // namespace
