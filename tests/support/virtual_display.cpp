#include "tests/support/virtual_display.h"

#include "tests/support/manager_ready.h"
#include "tests/support/process_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lvtest {
namespace {

bool on_path(const char* tool) {
    const std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Waits for a child up to `seconds`; its exit code, -1 when killed by a signal. The child's
// process descriptor becomes readable when it ends, so the wait is for the end itself.
std::optional<int> wait_child(int pid, int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    const int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    std::optional<int> code;
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (done < 0) {
            code = -1;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        // Without a descriptor (a kernel before 5.3) the child is looked at again each 20 ms.
        pollfd ended{handle, POLLIN, 0};
        if (handle < 0 || poll(&ended, 1, static_cast<int>(left.count())) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (handle >= 0)
        close(handle);
    return code;
}

void stop_child(int pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (!wait_child(pid, 5)) {
        kill(pid, SIGKILL);
        wait_child(pid, 5);
    }
}

// In a forked child: runs the program with exactly this environment, reading nothing and
// writing to `out` (nowhere when it is -1).
[[noreturn]] void exec_child(std::vector<std::string> args, std::vector<std::string> env, int out) {
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(out < 0 ? null : out, 1);
    dup2(out < 0 ? null : out, 2);
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
}

// Starts a program in a process group of its own with exactly this environment and its
// output in `log` (or nowhere); its id, -1 when it could not be started.
int start_group(const std::vector<std::string>& args, const std::vector<std::string>& env,
                const std::string& log) {
    const int pid = fork();
    if (pid != 0)
        return pid;
    setpgid(0, 0);
    exec_child(args, env, log.empty() ? -1 : open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
}

// Ends a process group started by start_group: its leader is waited for, the helpers it
// started (a session bus, a settings daemon) end with the group.
void stop_group(int pid) {
    if (pid <= 0)
        return;
    kill(-pid, SIGTERM);
    if (!wait_child(pid, 5)) {
        kill(-pid, SIGKILL);
        wait_child(pid, 5);
    }
    kill(-pid, SIGKILL);
}

// The command that runs a window manager on the display named by DISPLAY.
std::vector<std::string> manager_command(WindowManager manager) {
    switch (manager) {
    case WindowManager::openbox:
        return {"openbox", "--sm-disable"};
    case WindowManager::xfwm4:
        // Its settings come from a settings daemon on the session bus; without one it exits.
        return {"dbus-run-session", "--", "xfwm4", "--compositor=on", "--sm-client-disable"};
    case WindowManager::none:
        break;
    }
    return {};
}

std::vector<std::string> manager_tools(WindowManager manager) {
    switch (manager) {
    case WindowManager::openbox:
        return {"openbox"};
    case WindowManager::xfwm4:
        return {"xfwm4", "dbus-run-session"};
    case WindowManager::none:
        break;
    }
    return {};
}

// Parses "0x1a0002c" or "27262998" as a window id.
unsigned long window_id(const std::string& text) {
    return std::strtoul(text.c_str(), nullptr, 0);
}

bool overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

const char* NameOf(WindowManager manager) {
    switch (manager) {
    case WindowManager::openbox:
        return "openbox";
    case WindowManager::xfwm4:
        return "xfwm4";
    case WindowManager::none:
        break;
    }
    return "bare";
}

bool Eventually(const std::function<bool()>& shown, int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        if (shown())
            return true;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool VirtualXServer::Installed() {
    return on_path("Xvfb") && on_path("xdotool") && on_path("import");
}

bool VirtualXServer::Installed(WindowManager manager) {
    if (!Installed())
        return false;
    if (manager == WindowManager::none)
        return true;
    if (!on_path("xprop") || !on_path("stdbuf"))
        return false;
    for (const std::string& tool : manager_tools(manager))
        if (!on_path(tool.c_str()))
            return false;
    return true;
}

VirtualXServer::VirtualXServer(int width, int height, WindowManager manager) : m_manager(manager) {
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string fd = std::to_string(fds[1]);
    m_pid = fork();
    if (m_pid == 0) {
        close(fds[0]);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        // The server writes its display number to the descriptor once it accepts clients.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
        close(fds[0]);
        return;
    }
    std::string number;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < until) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char c = 0;
        if (read(fds[0], &c, 1) != 1)
            break;
        if (c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        stop_child(m_pid);
        m_pid = -1;
        return;
    }
    m_display = ":" + number;
    if (manager != WindowManager::none && !StartManager())
        m_display.clear();
}

// Starts the window manager with a home of its own and waits until it manages the screen:
// the root window names its check window (_NET_SUPPORTING_WM_CHECK). xprop -spy reports the
// root's properties as they stand and then each change, so the wait is for the event itself.
// Then it must have mapped a window of the test's own, as it will the program's.
bool VirtualXServer::StartManager() {
    char home[] = "/tmp/lv-wm-home-XXXXXX";
    if (!mkdtemp(home))
        return false;
    m_manager_home = home;
    std::vector<std::string> env{"DISPLAY=" + m_display, "HOME=" + m_manager_home.string(),
                                 "XDG_CONFIG_HOME=" + (m_manager_home / "config").string(),
                                 "XDG_CACHE_HOME=" + (m_manager_home / "cache").string(),
                                 // No accessibility bus beside the session bus.
                                 "NO_AT_BRIDGE=1"};
    if (const char* path = std::getenv("PATH"))
        env.push_back(std::string("PATH=") + path);
    m_manager_group =
        start_group(manager_command(m_manager), env, (m_manager_home / "manager.log").string());
    if (m_manager_group < 0)
        return false;

    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const int spy = fork();
    if (spy == 0) {
        close(fds[0]);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(fds[1], 1);
        dup2(null, 2);
        setenv("DISPLAY", m_display.c_str(), 1);
        // Every property of the root: one named before it exists is never reported.
        execlp("stdbuf", "stdbuf", "-oL", "xprop", "-root", "-spy", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    bool managed = false;
    std::string line;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!managed && spy > 0 && std::chrono::steady_clock::now() < until) {
        // A manager that gave up is not waited for.
        int status = 0;
        if (waitpid(m_manager_group, &status, WNOHANG) == m_manager_group) {
            m_manager_group = -1;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char c = 0;
        if (read(fds[0], &c, 1) != 1)
            break;
        if (c != '\n') {
            line += c;
            continue;
        }
        managed = line.rfind("_NET_SUPPORTING_WM_CHECK(WINDOW): window id #", 0) == 0;
        line.clear();
    }
    close(fds[0]);
    stop_child(spy);
    if (managed && !ManagerMapsWindows(m_display)) {
        std::fprintf(stderr, "%s maps no window\n", NameOf(m_manager));
        managed = false;
    }
    if (!managed)
        std::fprintf(stderr, "%s did not manage the screen: %s\n", NameOf(m_manager),
                     ReadFileText(m_manager_home / "manager.log").c_str());
    return managed;
}

VirtualXServer::~VirtualXServer() {
    stop_group(m_manager_group);
    stop_child(m_pid);
    if (!m_manager_home.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_manager_home, ignored);
    }
}

std::string XScreen::Run(const std::string& command) const {
    const std::string full = "DISPLAY=" + m_display + " " + command + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(full.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            out.append(buffer.data(), n);
        pclose(pipe);
    }
    return out;
}

std::vector<std::string> XScreen::WindowsOf(int pid, int seconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        std::istringstream out(Run("xdotool search --onlyvisible --pid " + std::to_string(pid)));
        std::vector<std::string> ids;
        for (std::string id; out >> id;)
            ids.push_back(id);
        if (!ids.empty() || std::chrono::steady_clock::now() >= until)
            return ids;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string XScreen::WindowNamed(int pid, const std::string& title, int seconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    const std::string command = "xdotool search --all --onlyvisible --pid " + std::to_string(pid) +
                                " --name '^" + title + "$'";
    for (;;) {
        std::istringstream out(Run(command));
        std::string id;
        if ((out >> id) || std::chrono::steady_clock::now() >= until)
            return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

bool XScreen::WindowClosed(int pid, const std::string& title, int seconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        if (WindowNamed(pid, title, 0).empty())
            return true;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

bool XScreen::WindowGone(int pid, const std::string& window, int seconds) const {
    return Eventually(
        [&] {
            const std::vector<std::string> windows = WindowsOf(pid, 0);
            return std::find(windows.begin(), windows.end(), window) == windows.end();
        },
        seconds);
}

std::string XScreen::Focused() const {
    std::istringstream out(Run("xdotool getwindowfocus"));
    std::string id;
    out >> id;
    return id;
}

bool XScreen::FocusComesTo(const std::string& window, int seconds) const {
    return Eventually([&] { return window_id(Focused()) == window_id(window); }, seconds);
}

std::string XScreen::NewWindowOf(int pid, const std::vector<std::string>& known,
                                 int seconds) const {
    std::string found;
    Eventually(
        [&] {
            std::istringstream out(
                Run("xdotool search --onlyvisible --pid " + std::to_string(pid)));
            for (std::string id; out >> id;)
                if (std::find(known.begin(), known.end(), id) == known.end()) {
                    found = id;
                    return true;
                }
            return false;
        },
        seconds);
    return found;
}

bool XScreen::OnTop(const std::string& window) const {
    // The window's top-level on the root: a manager that reparents puts a frame around it.
    unsigned long top = window_id(window), root = 0;
    for (int depth = 0; depth < 16; ++depth) {
        std::istringstream out(Run("xwininfo -children -id " + std::to_string(top)));
        unsigned long parent = 0;
        for (std::string line; std::getline(out, line);) {
            auto at = line.find("window id: ");
            if (at == std::string::npos)
                continue;
            const unsigned long id = window_id(line.substr(at + 11));
            if (line.find("Root window") != std::string::npos)
                root = id;
            else if (line.find("Parent window") != std::string::npos)
                parent = id;
        }
        if (parent == 0 || parent == root)
            break;
        top = parent;
    }
    const RECT mine = Geometry(window);
    // The root's children from the top of the stack down, each with its place.
    std::istringstream out(Run("xwininfo -root -children"));
    for (std::string line; std::getline(out, line);) {
        std::istringstream fields(line);
        std::string id;
        if (!(fields >> id) || id.rfind("0x", 0) != 0)
            continue;
        if (window_id(id) == top)
            return true;
        // The first "WxH+X+Y" after the name and class.
        auto close = line.rfind(')');
        const std::string rest = line.substr(close == std::string::npos ? 0 : close + 1);
        int w = 0, h = 0, x = 0, y = 0;
        if (std::sscanf(rest.c_str(), " %dx%d+%d+%d", &w, &h, &x, &y) != 4)
            continue;
        if (!overlap(mine, RECT{x, y, x + w, y + h}))
            continue;
        if (Run("xwininfo -id " + id).find("IsViewable") != std::string::npos)
            return false;
    }
    return false;
}

int XScreen::ColoursIn(const RECT& area) const {
    const std::string crop = std::to_string(area.right - area.left) + "x" +
                             std::to_string(area.bottom - area.top) + "+" +
                             std::to_string(area.left) + "+" + std::to_string(area.top);
    const std::string out =
        Run("import -window root -crop " + crop + " +repage png:- | convert - -format %k info:");
    return static_cast<int>(std::strtol(out.c_str(), nullptr, 10));
}

RECT XScreen::Geometry(const std::string& window) const {
    std::istringstream out(Run("xdotool getwindowgeometry --shell " + window));
    std::map<std::string, LONG> values;
    for (std::string line; std::getline(out, line);) {
        auto eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(0, eq)] =
                static_cast<LONG>(std::strtol(line.c_str() + eq + 1, nullptr, 10));
    }
    return RECT{values["X"], values["Y"], values["X"] + values["WIDTH"],
                values["Y"] + values["HEIGHT"]};
}

RECT XScreen::SteadyGeometry(const std::string& window, int seconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    RECT last = Geometry(window);
    while (std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const RECT now = Geometry(window);
        if (now.left == last.left && now.top == last.top && now.right == last.right &&
            now.bottom == last.bottom)
            break;
        last = now;
    }
    return last;
}

long XScreen::Pixel(int x, int y) const {
    const std::string text = Run("import -window root -crop 1x1+" + std::to_string(x) + "+" +
                                 std::to_string(y) + " -depth 8 txt:-");
    auto hash = text.find('#', text.find('\n'));
    if (hash == std::string::npos || hash + 7 > text.size())
        return -1;
    return std::strtol(text.substr(hash + 1, 6).c_str(), nullptr, 16);
}

POINT XScreen::Pointer() const {
    std::istringstream out(Run("xdotool getmouselocation --shell"));
    POINT p{-1, -1};
    for (std::string line; std::getline(out, line);) {
        if (line.rfind("X=", 0) == 0)
            p.x = static_cast<LONG>(std::strtol(line.c_str() + 2, nullptr, 10));
        if (line.rfind("Y=", 0) == 0)
            p.y = static_cast<LONG>(std::strtol(line.c_str() + 2, nullptr, 10));
    }
    return p;
}

SIZE XScreen::Size() const {
    std::istringstream out(Run("xdotool getdisplaygeometry"));
    SIZE size{0, 0};
    out >> size.cx >> size.cy;
    return size;
}

bool XScreen::Screenshot(const std::string& path) const {
    Run("import -window root '" + path + "'");
    return std::ifstream(path).good();
}

void XScreen::MoveTo(int x, int y) const {
    Run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void XScreen::MoveBy(int dx, int dy) const {
    Run("xdotool mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy));
}

void XScreen::Click(int button, int repeat, int apart_ms) const {
    Run("xdotool click --repeat " + std::to_string(repeat) + " --delay " +
        std::to_string(apart_ms) + " " + std::to_string(button));
}

void XScreen::Press(int button) const {
    Run("xdotool mousedown " + std::to_string(button));
}

void XScreen::Release(int button) const {
    Run("xdotool mouseup " + std::to_string(button));
}

void XScreen::Key(const std::string& keys) const {
    Run("xdotool key " + keys);
}

BackgroundProgram::BackgroundProgram(const std::filesystem::path& program,
                                     const std::vector<std::string>& args,
                                     const std::map<std::string, std::string>& env) {
    char name[] = "/tmp/lv-program-XXXXXX";
    int out = mkstemp(name);
    if (out < 0)
        return;
    m_output = name;
    std::map<std::string, std::string> all = env;
    for (const char* kept : {"PATH", "HOME", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (const char* value = std::getenv(kept); value && !all.count(kept))
            all[kept] = value;
    std::vector<std::string> env_strings;
    for (const auto& [k, v] : all)
        env_strings.push_back(k + "=" + v);
    std::vector<std::string> arg_strings{program.string()};
    arg_strings.insert(arg_strings.end(), args.begin(), args.end());
    m_pid = fork();
    if (m_pid == 0)
        exec_child(arg_strings, env_strings, out);
    close(out);
}

BackgroundProgram::~BackgroundProgram() {
    if (!m_exit)
        stop_child(m_pid);
    if (!m_output.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_output, ignored);
    }
}

bool BackgroundProgram::Running() {
    return !Wait(0);
}

std::optional<int> BackgroundProgram::Wait(int seconds) {
    if (m_exit || m_pid <= 0)
        return m_exit ? m_exit : std::optional<int>(-1);
    m_exit = wait_child(m_pid, seconds);
    return m_exit;
}

void BackgroundProgram::Terminate() {
    if (m_pid > 0 && !m_exit)
        kill(m_pid, SIGTERM);
}

double BackgroundProgram::CpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(m_pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which ends with the last ')': utime is the 12th of them.
    auto close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i)
        if (i == 12 || i == 13)
            ticks += std::strtod(field.c_str(), nullptr);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::string BackgroundProgram::Output() const {
    return ReadFileText(m_output);
}

namespace {
constexpr char kInsideVirtualX[] = "LV_TEST_INSIDE_VIRTUAL_X";
} // namespace

bool RanUnderVirtualX(int width, int height, WindowManager manager) {
    if (const char* inside = std::getenv(kInsideVirtualX); inside && *inside)
        return false;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
#if defined(__SANITIZE_THREAD__)
    // The display libraries are not built for the thread checker; the window manager's own
    // threading is checked by the headless tests.
    std::printf("skipped: the real display is not tested under ThreadSanitizer\n");
    return true;
#endif
    if (!VirtualXServer::Installed()) {
        std::printf("skipped: Xvfb, xdotool or ImageMagick's import is not installed\n");
        return true;
    }
    if (!VirtualXServer::Installed(manager)) {
        std::printf("skipped: %s is not installed: this desktop is not tested\n", NameOf(manager));
        return true;
    }
    VirtualXServer server(width, height, manager);
    if (!server.Running()) {
        ADD_FAILURE() << "the virtual X server or " << NameOf(manager) << " did not start";
        return true;
    }
    std::map<std::string, std::string> env{{"DISPLAY", server.Display()}, {kInsideVirtualX, "1"}};
    for (const char* kept : {"LUMIVISTA_ROOT", "SDL_AUDIODRIVER"})
        if (const char* value = std::getenv(kept))
            env[kept] = value;
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    BackgroundProgram child(std::filesystem::read_symlink("/proc/self/exe"), {filter}, env);
    std::optional<int> code = child.Wait(240);
    EXPECT_EQ(code, std::optional<int>(0)) << child.Output();
    return true;
}

XScreen CurrentScreen() {
    const char* display = std::getenv("DISPLAY");
    return XScreen(display ? display : "");
}

} // namespace lvtest
