// What a person expects of a window a program opens over another on a desktop (a dialog, a
// message box, a menu, a drop-down, a tool tip): the program lives on, the window is mapped on
// top, whole on the screen and drawn, and it has the keyboard when it takes keys; once it is
// closed the keyboard is back with its owner.
#pragma once

#include "tests/support/virtual_display.h"

#include <gtest/gtest.h>

#include <string>

namespace lvtest {

enum class Keyboard {
    taken, // dialogs, message boxes, the colour popup
    left,  // menus, drop-downs and tool tips: the owner keeps it (or hands it to the popup)
};

// Checks the window the program opened (waiting for it to be drawn and to get the keyboard)
// and leaves a screenshot of that name (".png" is added).
void ExpectSecondWindow(const XScreen& x, BackgroundProgram& program, const std::string& window,
                        const std::string& owner, Keyboard keyboard, const std::string& shot);

// Waits until the window is gone and its owner has the keyboard again; checks that the program
// lives on.
void ExpectClosedBackTo(const XScreen& x, BackgroundProgram& program, const std::string& window,
                        const std::string& owner);

// The name of a desktop's instance of a test: "Road/openbox".
inline std::string DesktopName(const ::testing::TestParamInfo<WindowManager>& desktop) {
    return NameOf(desktop.param);
}

} // namespace lvtest
