// The uninstaller on a desktop with a window manager as well as on the bare server: its
// question waits with the keyboard, Uninstall removes the saver, and the completion message
// comes over the dialog on top, with the keyboard, whole on the screen and drawn; answered,
// the program ends.
#include "tests/support/dialog_on_screen.h"
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "tests/uninstaller/installed_saver.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using lvtest::WindowManager;
using namespace uninstalltest;

constexpr RECT kUninstallButton{112, 21, 112 + 50, 21 + 14};

class UninstallerOnADesktop : public ::testing::TestWithParam<WindowManager> {};

TEST_P(UninstallerOnADesktop, TheCompletionMessageComesOverTheDialogAndEndsTheProgram) {
    LV_SKIP_UNLESS_DESKTOP(GetParam());
    lvtest::VirtualXServer server(1280, 720, GetParam());
    ASSERT_TRUE(server.Running()) << "the desktop did not start";
    const lvtest::XScreen x = server.Screen();
    const ScratchRoot root;
    const InstalledSaver saver("Quiet Horizons");

    lvtest::BackgroundProgram uninstaller(
        LV_UNINSTALLER, {Lowered(saver.saverPath())},
        {{"DISPLAY", server.Display()}, {"LUMIVISTA_ROOT", root.path()}});
    const std::string dialog =
        x.WindowNamed(uninstaller.Pid(), "Uninstaller for Glimmerwright Saver", 60);
    ASSERT_FALSE(dialog.empty()) << uninstaller.Output();
    EXPECT_TRUE(x.FocusComesTo(dialog)) << "the keyboard is with " << x.Focused();
    const RECT frame = x.Geometry(dialog);
    EXPECT_TRUE(lvtest::Eventually([&] { return x.ColoursIn(frame) >= 3; })) << "not drawn";

    const POINT button = lvtest::Centre(lvtest::DialogControlOnScreen(frame, kUninstallButton));
    x.MoveTo(button.x, button.y);
    x.Click();
    const std::string message = x.NewWindowOf(uninstaller.Pid(), {dialog}, 30);
    lvtest::ExpectSecondWindow(x, uninstaller, message, dialog, lvtest::Keyboard::taken,
                               std::string("wm-") + lvtest::NameOf(GetParam()) +
                                   "-uninstall-completed");
    EXPECT_FALSE(FileExists(saver.saverPath()));
    x.Key("Return");
    EXPECT_EQ(uninstaller.Wait(20), std::optional<int>(0)) << uninstaller.Output();
}

INSTANTIATE_TEST_SUITE_P(Desktops, UninstallerOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
