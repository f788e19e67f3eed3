#include "display/x11_errors.h"

#include <X11/Xlib.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>

namespace lv::display {
namespace {

// The serial of the last request the server refused (0: none yet). Requests go out on the
// display thread only; the handler runs there too, from inside Xlib.
std::atomic<unsigned long> g_last_failed{0};

// Each kind of failure (request, error) is told once: a window manager that refuses a request
// refuses it every time, and a log of thousands of lines hides the one that matters.
bool first_time(unsigned char request, unsigned char error) {
    static std::mutex mutex;
    static std::set<std::pair<unsigned char, unsigned char>> told;
    std::lock_guard lock(mutex);
    return told.emplace(request, error).second;
}

int on_error(Display* display, XErrorEvent* error) {
    g_last_failed = error->serial;
    if (first_time(error->request_code, error->error_code)) {
        char text[160] = "";
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr,
                     "Lumivista: the display refused a request (%s; request %d.%d, resource "
                     "0x%lx); the call fails and the program goes on\n",
                     text, error->request_code, error->minor_code, error->resourceid);
    }
    return 0;
}

[[noreturn]] int on_connection_lost(Display*) {
    // Nothing can be shown any more and Xlib may not be entered again; exit-time destructors
    // would wait for the display thread that is running this. End at once, saying why.
    std::fprintf(stderr, "Lumivista: the connection to the display was lost; ending\n");
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void install_x_error_handlers() {
    XSetErrorHandler(&on_error);
    XSetIOErrorHandler(&on_connection_lost);
}

XErrorTrap::XErrorTrap(Display* display) : m_display(display), m_first(NextRequest(display)) {}

bool XErrorTrap::failed() {
    XSync(m_display, False);
    const unsigned long last = g_last_failed.load();
    return last != 0 && last >= m_first;
}

} // namespace lv::display
