#include "x_window_facts.h"

#include "display/x11_errors.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>

namespace xfacts {
namespace {

struct Connection {
    Display* display = XOpenDisplay(nullptr);
    ~Connection() {
        if (display)
            XCloseDisplay(display);
    }
};

std::string atom_name(Display* display, Atom atom, const std::string& prefix) {
    char* name = XGetAtomName(display, atom);
    if (!name)
        return {};
    std::string text(name);
    XFree(name);
    return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : text;
}

// The values of a 32-bit property (atoms, cardinals, windows).
std::vector<unsigned long> property(Display* display, Window window, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 64, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) != Success)
        return values;
    if (data && format == 32) {
        auto* longs = reinterpret_cast<unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return values;
}

} // namespace

bool WindowFacts::has_state(const std::string& state) const {
    return std::find(states.begin(), states.end(), state) != states.end();
}

unsigned long id_of(const std::string& window) {
    return std::strtoul(window.c_str(), nullptr, 0);
}

WindowFacts facts_of(const std::string& id) {
    WindowFacts facts;
    Connection c;
    const Window window = id_of(id);
    XWindowAttributes attributes;
    if (!c.display || !window || !XGetWindowAttributes(c.display, window, &attributes))
        return facts;
    facts.found = true;
    facts.override_redirect = attributes.override_redirect != 0;
    if (auto types = property(c.display, window, "_NET_WM_WINDOW_TYPE"); !types.empty())
        facts.type = atom_name(c.display, types.front(), "_NET_WM_WINDOW_TYPE_");
    for (unsigned long state : property(c.display, window, "_NET_WM_STATE"))
        facts.states.push_back(atom_name(c.display, state, "_NET_WM_STATE_"));
    Window owner = 0;
    if (XGetTransientForHint(c.display, window, &owner))
        facts.transient_for = owner;
    // flags, functions, decorations, input mode, status
    auto motif = property(c.display, window, "_MOTIF_WM_HINTS");
    facts.undecorated = motif.size() >= 3 && (motif[0] & 2) && motif[2] == 0;
    XSizeHints hints{};
    long supplied = 0;
    if (XGetWMNormalHints(c.display, window, &hints, &supplied)) {
        facts.user_position = (hints.flags & USPosition) != 0;
        facts.fixed_size = (hints.flags & PMinSize) && (hints.flags & PMaxSize) &&
                           hints.min_width == hints.max_width &&
                           hints.min_height == hints.max_height;
    }
    return facts;
}

unsigned long focused_window() {
    Connection c;
    if (!c.display)
        return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(c.display, &focus, &revert);
    return focus;
}

unsigned long active_window() {
    Connection c;
    if (!c.display)
        return 0;
    auto active = property(c.display, DefaultRootWindow(c.display), "_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active.front();
}

ActivationRequests::ActivationRequests() : m_display(XOpenDisplay(nullptr)) {
    if (!m_display)
        return;
    // A message sent to the root with SubstructureNotifyMask reaches every client that
    // selected that mask there, not only the manager.
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    XSync(m_display, False);
}

ActivationRequests::~ActivationRequests() {
    if (m_display)
        XCloseDisplay(m_display);
}

long ActivationRequests::wait_for(unsigned long window, int seconds) {
    Display* display = m_display;
    if (!display)
        return -1;
    const Atom request = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == ClientMessage && e.xclient.message_type == request &&
                e.xclient.window == window)
                return e.xclient.data.l[0];
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return -1;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
}

KeyboardGoneNowhere::KeyboardGoneNowhere() : m_display(XOpenDisplay(nullptr)) {
    if (!m_display)
        return;
    XSelectInput(m_display, DefaultRootWindow(m_display), FocusChangeMask);
    XSync(m_display, False);
}

KeyboardGoneNowhere::~KeyboardGoneNowhere() {
    if (m_display)
        XCloseDisplay(m_display);
}

bool KeyboardGoneNowhere::happened() {
    if (!m_display)
        return false;
    // Every event the server made before it answered this one is in the queue after it.
    XSync(m_display, False);
    while (XPending(m_display)) {
        XEvent e;
        XNextEvent(m_display, &e);
        if (e.type == FocusIn && e.xfocus.detail == NotifyDetailNone)
            m_happened = true;
    }
    return m_happened;
}

bool manager_running() {
    Connection c;
    if (!c.display)
        return false;
    const Window root = DefaultRootWindow(c.display);
    auto check = property(c.display, root, "_NET_SUPPORTING_WM_CHECK");
    if (check.empty())
        return false;
    Window parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window root_of_tree = 0;
    if (!XQueryTree(c.display, root, &root_of_tree, &parent, &children, &count))
        return false;
    const bool alive = std::find(children, children + count, check.front()) != children + count;
    if (children)
        XFree(children);
    return alive;
}

bool bad_request_is_survived_and_reported() {
    Connection c;
    if (!c.display)
        return false;
    Window gone =
        XCreateSimpleWindow(c.display, DefaultRootWindow(c.display), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(c.display, gone);
    XSync(c.display, False);
    lv::display::XErrorTrap trap(c.display);
    XMapWindow(c.display, gone);
    XMoveWindow(c.display, gone, 5, 5);
    const bool failed = trap.failed();
    lv::display::XErrorTrap after(c.display);
    XNoOp(c.display);
    return failed && !after.failed();
}

namespace {

// Made before every other static object (the layer's start-up registration, which opens the
// display, among them), so destroyed after them all.
struct RefusedRequestAtExit {
    bool armed = false;
    ~RefusedRequestAtExit() {
        Display* d = armed ? XOpenDisplay(nullptr) : nullptr;
        if (!d)
            return;
        Window gone = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
        XDestroyWindow(d, gone);
        XMapWindow(d, gone);
        XSync(d, False);
        XCloseDisplay(d);
    }
};
[[gnu::init_priority(101)]] RefusedRequestAtExit g_refused_at_exit;

} // namespace

void make_a_refused_request_at_exit() {
    g_refused_at_exit.armed = true;
}

} // namespace xfacts
