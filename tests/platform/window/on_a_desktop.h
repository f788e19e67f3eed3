// The desktops the in-process real-display tests run on: a bare virtual X server, a reparenting
// window manager and a compositing one, each case in a child of its own under a fresh server
// (see RanUnderVirtualX), the manager up before the program opens the display.
#pragma once

#include "display/backend.h"
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "x_window_facts.h"

#include <gtest/gtest.h>

namespace desktop_test {

inline constexpr int kWidth = 1280;
inline constexpr int kHeight = 720;

// Each case runs in a child of its own under a fresh server; the manager is up before the
// program opens the display, as on a desktop, and ends with the server.
class OnADesktop : public ::testing::TestWithParam<lvtest::WindowManager> {
protected:
    bool Skipped() { return lvtest::RanUnderVirtualX(kWidth, kHeight, GetParam()); }
    void StartDesktop() {
        if (GetParam() != lvtest::WindowManager::none) {
            ASSERT_TRUE(xfacts::manager_running());
        }
        ASSERT_TRUE(lv::display::real_display_running());
    }
};

} // namespace desktop_test
