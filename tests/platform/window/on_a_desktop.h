// The desktops the in-process real-display tests run on: a bare virtual X server, a reparenting
// window manager and a compositing one, each case in a child of its own under a fresh server
// (see RanUnderVirtualX), the manager up before the program opens the display.
#pragma once

#include "display/backend.h"
#include "tests/support/virtual_display.h"
#include "x_window_facts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace desktop_test {

inline constexpr int kWidth = 1280;
inline constexpr int kHeight = 720;

// Waits until `ready` holds (at most 20 s) without touching the window layer, which would open
// the display.
inline bool WaitUntil(const std::function<bool()>& ready) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A window manager on the test's display, running until the object goes.
class Manager {
public:
    Manager(const std::string& program, const std::vector<std::string>& args) {
        lvtest::XScreen x = lvtest::CurrentScreen();
        m_program = std::make_unique<lvtest::BackgroundProgram>(
            "/usr/bin/" + program, args,
            std::map<std::string, std::string>{{"DISPLAY", x.Display()}});
        m_up =
            WaitUntil([] { return xfacts::manager_running() && xfacts::manager_maps_windows(); });
    }
    ~Manager() {
        m_program.reset();
        WaitUntil([] { return !xfacts::manager_running(); });
    }
    bool Up() const { return m_up; }
    std::string Output() const { return m_program->Output(); }

private:
    std::unique_ptr<lvtest::BackgroundProgram> m_program;
    bool m_up{false};
};

// The desktops a program meets: a bare server, a reparenting manager, a compositing one.
struct Desktop {
    const char* name;
    const char* program; // null: no manager
    std::vector<std::string> args;
};
inline void PrintTo(const Desktop& desktop, std::ostream* os) {
    *os << desktop.name;
}
inline const Desktop kDesktops[] = {
    {"bare", nullptr, {}},
    {"openbox", "openbox", {"--sm-disable"}},
    // xfwm4 reads its settings from a daemon on the session bus and ends without one.
    {"xfwm4", "dbus-run-session", {"--", "xfwm4", "--compositor=on", "--sm-client-disable"}},
};

// Each case runs in a child of its own under a fresh server; the manager is up before the
// program opens the display, as on a desktop.
class OnADesktop : public ::testing::TestWithParam<Desktop> {
protected:
    bool Skipped() { return lvtest::RanUnderVirtualX(kWidth, kHeight); }
    void StartDesktop() {
        if (GetParam().program) {
            m_manager = std::make_unique<Manager>(GetParam().program, GetParam().args);
            ASSERT_TRUE(m_manager->Up()) << m_manager->Output();
        }
        ASSERT_TRUE(lv::display::real_display_running());
    }

    void TearDown() override {
        if (m_manager && HasFailure())
            std::printf("the manager said:\n%s\n", m_manager->Output().c_str());
    }

private:
    std::unique_ptr<Manager> m_manager;
};

} // namespace desktop_test
