#include "display/x11_extras.h"

#include "display/x11_errors.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <string>

namespace lv::display {
namespace {

struct X11Window {
    Display* display = nullptr;
    Window window = 0;
};

X11Window x11_of(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return {};
    return X11Window{info.info.x11.display, info.info.x11.window};
}

bool has_shape_extension(Display* display) {
    static const bool present = [display] {
        int event_base = 0, error_base = 0;
        return XShapeQueryExtension(display, &event_base, &error_base) != 0;
    }();
    return present;
}

// The 32-bit values of a property of a window (atoms, windows); empty when it has none or the
// window is gone.
std::vector<unsigned long> property_values(Display* display, Window window, const char* name) {
    std::vector<unsigned long> values;
    XErrorTrap trap(display);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False,
                           AnyPropertyType, &type, &format, &count, &after, &data);
    if (trap.failed() || status != Success) // the window named went away
        return values;
    if (data && format == 32) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return values;
}

// Whether a window manager runs that carries out _NET_ACTIVE_WINDOW. A manager that ended
// leaves the root's properties behind: its check window, which names itself, is gone with it.
bool manager_activates_windows(Display* display) {
    const Window root = DefaultRootWindow(display);
    auto check = property_values(display, root, "_NET_SUPPORTING_WM_CHECK");
    if (check.empty())
        return false;
    auto self = property_values(display, check.front(), "_NET_SUPPORTING_WM_CHECK");
    if (self.empty() || self.front() != check.front())
        return false;
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    for (unsigned long supported : property_values(display, root, "_NET_SUPPORTED"))
        if (supported == active)
            return true;
    return false;
}

bool is_viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

} // namespace

bool shape_window(SDL_Window* window, const std::vector<RECT>& rects) {
    X11Window x = x11_of(window);
    if (!x.display || !has_shape_extension(x.display))
        return false;
    XErrorTrap trap(x.display);
    if (rects.empty()) {
        XShapeCombineMask(x.display, x.window, ShapeBounding, 0, 0, None, ShapeSet);
        return !trap.failed();
    }
    std::vector<XRectangle> list;
    list.reserve(rects.size());
    for (const RECT& r : rects)
        list.push_back(XRectangle{static_cast<short>(r.left), static_cast<short>(r.top),
                                  static_cast<unsigned short>(r.right - r.left),
                                  static_cast<unsigned short>(r.bottom - r.top)});
    XShapeCombineRectangles(x.display, x.window, ShapeBounding, 0, 0, list.data(),
                            static_cast<int>(list.size()), ShapeSet, Unsorted);
    return !trap.failed();
}

bool query_pointer(SDL_Window* any_window, POINT& screen) {
    X11Window x = x11_of(any_window);
    if (!x.display)
        return false;
    Window root = 0, child = 0;
    int root_x = 0, root_y = 0, window_x = 0, window_y = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(x.display, DefaultRootWindow(x.display), &root, &child, &root_x, &root_y,
                       &window_x, &window_y, &buttons))
        return false;
    screen = POINT{root_x, root_y};
    return true;
}

bool set_window_type(SDL_Window* window, const char* type) {
    X11Window x = x11_of(window);
    if (!x.display)
        return false;
    XErrorTrap trap(x.display);
    const std::string name = std::string("_NET_WM_WINDOW_TYPE_") + type;
    Atom value = XInternAtom(x.display, name.c_str(), False);
    XChangeProperty(x.display, x.window, XInternAtom(x.display, "_NET_WM_WINDOW_TYPE", False),
                    XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&value), 1);
    return !trap.failed();
}

bool add_window_state(SDL_Window* window, const char* state) {
    X11Window x = x11_of(window);
    if (!x.display)
        return false;
    const std::string name = std::string("_NET_WM_STATE_") + state;
    Atom value = XInternAtom(x.display, name.c_str(), False);
    for (unsigned long present : property_values(x.display, x.window, "_NET_WM_STATE"))
        if (present == value)
            return true;
    XErrorTrap trap(x.display);
    XChangeProperty(x.display, x.window, XInternAtom(x.display, "_NET_WM_STATE", False), XA_ATOM,
                    32, PropModeAppend, reinterpret_cast<unsigned char*>(&value), 1);
    return !trap.failed();
}

Activation request_activation(SDL_Window* window) {
    X11Window x = x11_of(window);
    if (!x.display) {
        SDL_RaiseWindow(window); // another display server
        return Activation::raised;
    }
    if (!is_viewable(x.display, x.window))
        return Activation::failed;
    const bool through_manager = manager_activates_windows(x.display);
    XErrorTrap trap(x.display);
    if (through_manager) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = x.window;
        e.xclient.message_type = XInternAtom(x.display, "_NET_ACTIVE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1; // source: an application
        e.xclient.data.l[1] = CurrentTime;
        e.xclient.data.l[2] = 0; // the requester's own active window: none asked for
        XSendEvent(x.display, DefaultRootWindow(x.display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
    } else {
        XRaiseWindow(x.display, x.window);
    }
    if (trap.failed())
        return Activation::failed;
    return through_manager ? Activation::by_manager : Activation::raised;
}

bool request_window_state(SDL_Window* window, const char* state) {
    X11Window x = x11_of(window);
    if (!x.display)
        return false;
    XErrorTrap trap(x.display);
    const std::string name = std::string("_NET_WM_STATE_") + state;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = x.window;
    e.xclient.message_type = XInternAtom(x.display, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1; // add
    e.xclient.data.l[1] = static_cast<long>(XInternAtom(x.display, name.c_str(), False));
    e.xclient.data.l[2] = 0;
    e.xclient.data.l[3] = 1; // source: an application
    XSendEvent(x.display, DefaultRootWindow(x.display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    return !trap.failed();
}

void raise_windows(const std::vector<SDL_Window*>& bottom_first) {
    for (SDL_Window* w : bottom_first) {
        X11Window x = x11_of(w);
        if (!x.display) {
            SDL_RaiseWindow(w); // another display server
            continue;
        }
        XRaiseWindow(x.display, x.window);
    }
    for (SDL_Window* w : bottom_first)
        if (X11Window x = x11_of(w); x.display) {
            XFlush(x.display);
            break;
        }
}

} // namespace lv::display
