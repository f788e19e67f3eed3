#include "display/x11_extras.h"

#include "display/x11_errors.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

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
