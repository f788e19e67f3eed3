// The desktops the in-process real-display tests run on: a bare virtual X server, a reparenting
// window manager and a compositing one, each case in a child of its own under a fresh server
// (see RanUnderVirtualX), the manager up before the program opens the display.
#pragma once

#include "display/backend.h"
#include "tests/support/virtual_display.h"
#include "x_window_facts.h"

#include <gtest/gtest.h>

#include <ostream>

namespace desktop_test {

inline constexpr int kWidth = 1280;
inline constexpr int kHeight = 720;

// The desktops a program meets: a bare server, a reparenting manager, a compositing one.
struct Desktop {
    const char* name;
    const char* program; // null: no manager
    lvtest::WindowManager manager;
};
inline void PrintTo(const Desktop& desktop, std::ostream* os) {
    *os << desktop.name;
}
inline const Desktop kDesktops[] = {
    {"bare", nullptr, lvtest::WindowManager::none},
    {"openbox", "openbox", lvtest::WindowManager::openbox},
    {"xfwm4", "xfwm4", lvtest::WindowManager::xfwm4},
};

// Each case runs in a child of its own under a fresh server; the manager is up before the
// program opens the display, as on a desktop, and ends with the server.
class OnADesktop : public ::testing::TestWithParam<Desktop> {
protected:
    bool Skipped() { return lvtest::RanUnderVirtualX(kWidth, kHeight, GetParam().manager); }
    void StartDesktop() {
        if (GetParam().program) {
            ASSERT_TRUE(xfacts::manager_running());
            // A manager that has only just started can lose a window mapped at once.
            ASSERT_TRUE(lvtest::Eventually(xfacts::manager_maps_windows));
        }
        ASSERT_TRUE(lv::display::real_display_running());
    }
};

} // namespace desktop_test
