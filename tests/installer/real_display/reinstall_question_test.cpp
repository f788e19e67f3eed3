// The installer on a desktop with a window manager as well as on the bare server: with the
// saver already installed, Install asks whether to overwrite it; the question comes over the
// Install Manager on top, with the keyboard, whole on the screen and drawn. No keeps the
// installed copy, and the program ends.
#include "dialog/dialog_units.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

using lvtest::WindowManager;

// The Install Manager's template: its size and the Install button's centre, in dialog units.
constexpr SIZE kDialogUnits{380, 206};
constexpr POINT kInstallCentre{313 + 30, 167 + 15};

// The Install button on the screen, measured from the skinned dialog's bottom-right corner
// (its frame is as wide at the bottom as at the sides).
POINT InstallButton(const RECT& window) {
    HFONT font = lv::dialog::create_dialog_font("Tahoma", 8);
    const SIZE base = lv::dialog::font_base_units(font);
    DeleteObject(font);
    const RECT client =
        lv::dialog::dialog_units_to_pixels(RECT{0, 0, kDialogUnits.cx, kDialogUnits.cy}, base);
    const RECT from_corner = lv::dialog::dialog_units_to_pixels(
        RECT{0, 0, kDialogUnits.cx - kInstallCentre.x, kDialogUnits.cy - kInstallCentre.y}, base);
    const int border = ((window.right - window.left) - client.right) / 2;
    return POINT{window.right - border - from_corner.right,
                 window.bottom - border - from_corner.bottom};
}

class InstallerOnADesktop : public ::testing::TestWithParam<WindowManager> {};

TEST_P(InstallerOnADesktop, TheReinstallQuestionComesOverTheInstallManagerAndNoKeepsTheCopy) {
    LV_SKIP_UNLESS_DESKTOP(GetParam());
    lvtest::VirtualXServer server(1280, 720, GetParam());
    ASSERT_TRUE(server.Running()) << "the desktop did not start";
    const lvtest::XScreen x = server.Screen();
    lvtest::ScratchDir scratch;
    const fs::path root = scratch / "root";
    const fs::path installed =
        root / "drive_c" / "WINDOWS" / "system32" / (std::string(LV_THEME_TITLE) + ".scr");
    fs::create_directories(installed.parent_path());
    lvtest::WriteFileBytes(installed, {'o', 'l', 'd'});

    lvtest::BackgroundProgram installer(
        LV_PACKED_INSTALLER, {},
        {{"DISPLAY", server.Display()}, {"LUMIVISTA_ROOT", root.string()}});
    // The "Please Wait..." box stays while the payload unpacks; then the dialog is alone and
    // has the keyboard.
    std::string dialog;
    EXPECT_TRUE(lvtest::Eventually(
        [&] {
            if (!installer.Running())
                return true;
            const auto windows = x.WindowsOf(installer.Pid(), 0);
            const std::string named = x.WindowNamed(installer.Pid(), "Install Manager", 0);
            if (windows.size() == 1 && windows.front() == named && x.Focused() == named)
                dialog = named;
            return !dialog.empty();
        },
        240));
    ASSERT_FALSE(dialog.empty()) << installer.Output();
    const RECT frame = x.Geometry(dialog);
    EXPECT_TRUE(lvtest::Eventually([&] { return x.ColoursIn(frame) >= 3; })) << "not drawn";

    const POINT install = InstallButton(frame);
    x.MoveTo(install.x, install.y);
    x.Click();
    const std::string question = x.NewWindowOf(installer.Pid(), {dialog}, 60);
    lvtest::ExpectSecondWindow(x, installer, question, dialog, lvtest::Keyboard::taken,
                               std::string("wm-") + lvtest::NameOf(GetParam()) +
                                   "-reinstall-question");
    ASSERT_FALSE(question.empty());
    // No: from Yes, the box's first button, to No.
    x.Key("Tab space");
    EXPECT_TRUE(installer.Wait(60).has_value()) << installer.Output();
    EXPECT_EQ(lvtest::ReadFileText(installed), "old") << "the installed copy was overwritten";
    EXPECT_EQ(installer.Output().find("nobody can give"), std::string::npos) << installer.Output();
}

INSTANTIATE_TEST_SUITE_P(Desktops, InstallerOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
