// The installer on a desktop with a window manager as well as on the bare server, with a folder
// of someone else's where it unpacks its files: the message that says so takes the place of the
// "Please Wait..." box, on top, with the keyboard, whole on the screen and drawn. OK ends the
// program with a failure, and the folder is as it was.
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

using lvtest::WindowManager;

class InstallerInTheWayOnADesktop : public ::testing::TestWithParam<WindowManager> {};

TEST_P(InstallerInTheWayOnADesktop,
       AFolderInTheWayIsReportedInPlaceOfThePreparingBoxAndOkEndsTheProgram) {
    LV_SKIP_UNLESS_DESKTOP(GetParam());
    lvtest::VirtualXServer server(1280, 720, GetParam());
    ASSERT_TRUE(server.Running()) << "the desktop did not start";
    const lvtest::XScreen x = server.Screen();
    lvtest::ScratchDir scratch;
    const fs::path root = scratch / "root";
    const fs::path theirs = root / "drive_c" / "Program Files" / LV_THEME_TITLE / "theirs.txt";
    fs::create_directories(theirs.parent_path());
    lvtest::WriteFileBytes(theirs, {'t'});

    lvtest::BackgroundProgram installer(
        LV_PACKED_INSTALLER, {},
        {{"DISPLAY", server.Display()}, {"LUMIVISTA_ROOT", root.string()}});
    const std::string box = x.WindowNamed(installer.Pid(), "Error", 240);
    ASSERT_FALSE(box.empty()) << installer.Output();
    // The preparing box, above all other windows, has made way for it.
    EXPECT_TRUE(lvtest::Eventually([&] {
        return x.WindowsOf(installer.Pid(), 0) == std::vector<std::string>{box};
    })) << "the preparing box stayed";
    lvtest::ExpectSecondWindow(x, installer, box, {}, lvtest::Keyboard::taken,
                               std::string("wm-") + lvtest::NameOf(GetParam()) +
                                   "-staging-in-the-way");
    x.Key("Return");
    EXPECT_EQ(installer.Wait(60), 1) << installer.Output();
    EXPECT_NE(installer.Output().find("something it did not make is in the way"), std::string::npos)
        << installer.Output();
    EXPECT_EQ(installer.Output().find("nobody can give"), std::string::npos) << installer.Output();
    EXPECT_EQ(lvtest::ReadFileText(theirs), "t");
    EXPECT_FALSE(fs::exists(root / "drive_c" / "WINDOWS" / "system32" /
                            (std::string(LV_THEME_TITLE) + ".scr")));
}

INSTANTIATE_TEST_SUITE_P(Desktops, InstallerInTheWayOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
