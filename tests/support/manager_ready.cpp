#include "tests/support/manager_ready.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <poll.h>

namespace lvtest {
namespace {

using Clock = std::chrono::steady_clock;

// Maps a probe window and waits until `until` for the manager to map it (MapNotify comes once
// the manager has taken it in); whether it did.
bool ProbeMapped(Display* x, Clock::time_point until) {
    const Window probe = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 10, 10, 0, 0, 0);
    XSelectInput(x, probe, StructureNotifyMask);
    XSizeHints hints{};
    hints.flags = USPosition; // placed as the programs under test place their windows
    XSetWMNormalHints(x, probe, &hints);
    XMapWindow(x, probe);
    XFlush(x);
    bool mapped = false;
    for (;;) {
        while (!mapped && XPending(x)) {
            XEvent e;
            XNextEvent(x, &e);
            mapped = e.type == MapNotify && e.xmap.window == probe;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        if (mapped || left.count() <= 0)
            break;
        pollfd p{ConnectionNumber(x), POLLIN, 0};
        poll(&p, 1, static_cast<int>(left.count()));
    }
    XDestroyWindow(x, probe);
    XSync(x, True); // the probe's last events go with it
    return mapped;
}

} // namespace

bool ManagerMapsWindows(const std::string& display, int seconds) {
    Display* x = XOpenDisplay(display.c_str());
    if (!x)
        return false;
    // A window mapped while the manager is still taking over the screen can be lost for good:
    // each probe is given a second, and a new one follows.
    const auto until = Clock::now() + std::chrono::seconds(seconds);
    bool mapped = false;
    while (!mapped && Clock::now() < until)
        mapped = ProbeMapped(x, std::min(until, Clock::now() + std::chrono::seconds(1)));
    XCloseDisplay(x);
    return mapped;
}

} // namespace lvtest
