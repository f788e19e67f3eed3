// The real display under test: a private virtual X server, programs started against it with
// nothing of ours set but DISPLAY, and what a person would do and see there (xdotool for the
// keyboard and mouse, ImageMagick's import for the screen).
#pragma once

#include "win32/types.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Skips the running test, saying why, where the virtual X server, its tools or the desktop's
// window manager is not installed.
#define LV_SKIP_UNLESS_DESKTOP(manager)                                                            \
    if (!lvtest::VirtualXServer::Installed(manager))                                               \
    GTEST_SKIP() << "Xvfb, xdotool, ImageMagick or " << lvtest::NameOf(manager)                    \
                 << " is not installed: this desktop is not tested"

namespace lvtest {

// The desktop a real-display test runs on: the bare server, a reparenting window manager, or a
// compositing one.
enum class WindowManager { none, openbox, xfwm4 };
// Every desktop the tests walk, the bare server first.
constexpr WindowManager kAllWindowManagers[] = {WindowManager::none, WindowManager::openbox,
                                                WindowManager::xfwm4};
// A name fit for a test's name: "bare", "openbox", "xfwm4".
const char* NameOf(WindowManager manager);

// Waits up to `seconds` until `shown` is true (asked again every 100 ms); whether it came.
bool Eventually(const std::function<bool()>& shown, int seconds = 20);

// What a person does and sees on an X display: xdotool for the keyboard and mouse,
// ImageMagick's import for the screen.
class XScreen {
public:
    explicit XScreen(std::string display) : m_display(std::move(display)) {}
    const std::string& Display() const { return m_display; }

    // Runs a shell command with DISPLAY set to this screen's; its standard output.
    std::string Run(const std::string& command) const;
    // The visible windows of a process, as xdotool finds them; waits up to `seconds` for one.
    std::vector<std::string> WindowsOf(int pid, int seconds = 20) const;
    // The visible window of a process with this title; waits up to `seconds` for it (empty
    // when it did not come).
    std::string WindowNamed(int pid, const std::string& title, int seconds = 20) const;
    // Waits up to `seconds` until no visible window of the process has this title; true
    // when none is left.
    bool WindowClosed(int pid, const std::string& title, int seconds = 20) const;
    // Waits up to `seconds` until this window is no longer among the process's visible ones.
    bool WindowGone(int pid, const std::string& window, int seconds = 20) const;
    // The window that has the keyboard.
    std::string Focused() const;
    // Waits up to `seconds` until this window has the keyboard.
    bool FocusComesTo(const std::string& window, int seconds = 20) const;
    // A visible window of the process that is not among `known`; waits up to `seconds` for one
    // (empty when none came). Popups, tool tips and drop-downs have no title to find them by.
    std::string NewWindowOf(int pid, const std::vector<std::string>& known, int seconds = 20) const;
    // Whether no mapped window that overlaps this one lies above it in the stacking order.
    bool OnTop(const std::string& window) const;
    // How many distinct colours the screen shows in the rectangle (0 when it cannot be read).
    int ColoursIn(const RECT& area) const;
    // A window's place and size on the screen.
    RECT Geometry(const std::string& window) const;
    // A window's place once it stands still (unchanged over half a second; at most `seconds`):
    // a manager may place a window anew as it maps it, and the program then puts it back.
    RECT SteadyGeometry(const std::string& window, int seconds = 20) const;
    // The colour at a screen point (0xRRGGBB), or -1 when it cannot be read.
    long Pixel(int x, int y) const;
    // Where the pointer is.
    POINT Pointer() const;
    // The screen's size.
    SIZE Size() const;
    // Writes the whole screen as a PNG file.
    bool Screenshot(const std::string& path) const;

    void MoveTo(int x, int y) const;
    void MoveBy(int dx, int dy) const;
    // Clicks `repeat` times, `apart_ms` apart (apart by more than the double-click time, they
    // are single clicks).
    void Click(int button = 1, int repeat = 1, int apart_ms = 700) const;
    void Press(int button = 1) const;
    void Release(int button = 1) const;
    void Key(const std::string& keys) const;

private:
    std::string m_display;
};

// A private virtual X server: Xvfb on a display number it picks itself, with a window manager
// on it when asked for one.
class VirtualXServer {
public:
    // Whether the virtual X server and the tools the tests drive it with are installed.
    static bool Installed();
    // Whether they are, and this window manager (with what it needs to run) is too.
    static bool Installed(WindowManager manager);
    // Starts Xvfb with one screen of this size and waits until it accepts clients; then starts
    // the window manager and waits until it manages the screen. Running() tells whether all
    // that worked.
    VirtualXServer(int width, int height, WindowManager manager = WindowManager::none);
    ~VirtualXServer();
    VirtualXServer(const VirtualXServer&) = delete;
    VirtualXServer& operator=(const VirtualXServer&) = delete;

    bool Running() const { return !m_display.empty(); }
    const std::string& Display() const { return m_display; }
    XScreen Screen() const { return XScreen(m_display); }
    WindowManager Manager() const { return m_manager; }

private:
    bool StartManager();

    int m_pid{-1};
    std::string m_display;
    WindowManager m_manager;
    int m_manager_group{-1};
    std::filesystem::path m_manager_home;
};

// A program started in the background with exactly the given environment (plus PATH, HOME and
// the sanitizers' options), its output collected in a file.
class BackgroundProgram {
public:
    BackgroundProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& env);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    int Pid() const { return m_pid; }
    bool Running();
    // The exit code once the program ends within `seconds`; nothing when it is still running.
    std::optional<int> Wait(int seconds);
    // Tells the program to end as a session does on logout (SIGTERM).
    void Terminate();
    // Processor time the program has used so far, user and system, in seconds.
    double CpuSeconds() const;
    // What the program wrote to its standard output and error so far.
    std::string Output() const;

private:
    int m_pid{-1};
    std::optional<int> m_exit;
    std::filesystem::path m_output;
};

// In-process tests of the real display run their body in a child of the test binary whose
// only display is a private virtual X server of the given size (the layer decides its display
// once per process). In the child this returns false and the test goes on; in the parent it
// runs the child, reports its failures, and returns true: the test then returns at once.
// With a manager, the server's manager is up before the child starts; where the manager is not
// installed the test is skipped, saying so.
bool RanUnderVirtualX(int width, int height, WindowManager manager = WindowManager::none);
// The screen of the virtual X server a child runs under.
XScreen CurrentScreen();

} // namespace lvtest
