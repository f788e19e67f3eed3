#include "display/native_window.h"

#include "display/x11_extras.h"
#include "gdi/surface.h"
#include "win32/gdi.h"
#include "window/display_port.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace lv::display {
namespace {

RECT window_rect(const window::Layer& layer) {
    if (!layer.surface)
        return RECT{layer.position.x, layer.position.y, layer.position.x, layer.position.y};
    return RECT{layer.position.x, layer.position.y, layer.position.x + layer.surface->width(),
                layer.position.y + layer.surface->height()};
}

// The layer's screen, which LUMIVISTA_SCREEN may make other than the desktop.
bool covers_screen(const RECT& r) {
    SIZE screen = window::display_port::screen_size();
    return r.left <= 0 && r.top <= 0 && r.right >= screen.cx && r.bottom >= screen.cy;
}

// The window region as rectangles relative to the window; empty when it has none.
std::vector<RECT> shape_rects(const window::Layer& layer) {
    std::vector<RECT> rects;
    if (!layer.shaped)
        return rects;
    for (RECT r : layer.shape.rects()) {
        OffsetRect(&r, -layer.position.x, -layer.position.y);
        rects.push_back(r);
    }
    if (rects.empty())
        rects.push_back(RECT{0, 0, 0, 0}); // an empty region hides every pixel
    return rects;
}

bool same_rects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](const RECT& x, const RECT& y) { return EqualRect(&x, &y) != FALSE; });
}

Uint32 flags_for(const window::Layer& layer) {
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    // Menus, drop-downs and tips are override-redirect windows the manager never frames.
    if (layer.kind == window::LayerKind::tooltip)
        flags |= SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_TOOLTIP;
    else if (layer.transient)
        flags |= SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_POPUP_MENU;
    if (layer.topmost)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    return flags;
}

// Copies a rectangle of the layer's surface into the window's pixels, converting where the
// window's format is not the surface's own.
void copy_rect(const gdi::Surface& from, SDL_Surface* to, const RECT& r) {
    const int width = r.right - r.left;
    const Uint32 format = to->format->format;
    auto* dst_top = static_cast<std::uint8_t*>(to->pixels) +
                    static_cast<std::ptrdiff_t>(r.top) * to->pitch +
                    static_cast<std::ptrdiff_t>(r.left) * to->format->BytesPerPixel;
    if (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) {
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(dst_top + static_cast<std::ptrdiff_t>(y - r.top) * to->pitch,
                        from.row(y) + r.left, static_cast<std::size_t>(width) * 4);
        return;
    }
    SDL_ConvertPixels(width, r.bottom - r.top, SDL_PIXELFORMAT_ARGB8888, from.row(r.top) + r.left,
                      static_cast<int>(from.stride()), format, dst_top, to->pitch);
}

// The type the manager is told where SDL's own (normal, popup menu, tooltip) says too little.
const char* window_type(window::LayerKind kind) {
    switch (kind) {
    case window::LayerKind::dialog:
        return "DIALOG";
    case window::LayerKind::dropdown_menu:
        return "DROPDOWN_MENU";
    case window::LayerKind::combo_list:
        return "COMBO";
    default:
        return nullptr;
    }
}

// What the manager is told beyond what SDL says: the owner the window stays above (transient
// for), what the window is by its type, a modal dialog as modal.
void describe_to_manager(SDL_Window* window, const window::Layer& layer, SDL_Window* owner,
                         bool full_screen) {
    if (owner)
        SDL_SetWindowModalFor(window, owner);
    if (const char* type = window_type(layer.kind))
        set_window_type(window, type);
    if (layer.modal && layer.kind == window::LayerKind::dialog)
        add_window_state(window, "MODAL");
    // SDL asks a manager for full screen only once the window is mapped, which leaves the
    // state unsaid where no manager runs; the show says it is full screen and above all.
    if (full_screen)
        add_window_state(window, "FULLSCREEN");
    if (layer.topmost)
        add_window_state(window, "ABOVE");
}

} // namespace

std::unique_ptr<NativeWindow> NativeWindow::create(const window::Layer& layer,
                                                   const DesktopFacts& desktop, SDL_Window* owner) {
    RECT r = window_rect(layer);
    if (r.right <= r.left || r.bottom <= r.top)
        return nullptr; // nothing to show
    SDL_Window* window =
        SDL_CreateWindow(layer.title.c_str(), desktop.origin.x + r.left, desktop.origin.y + r.top,
                         r.right - r.left, r.bottom - r.top, flags_for(layer));
    if (!window)
        return nullptr;
    std::unique_ptr<NativeWindow> native(new NativeWindow(window, layer));
    native->m_rect = r;
    native->apply_shape(layer);
    native->m_full_screen = covers_screen(r);
    if (native->m_full_screen)
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    describe_to_manager(window, layer, owner, native->m_full_screen);
    SDL_ShowWindow(window);
    // A manager that puts a window in full screen once it is mapped (SDL asks only then) may
    // forget the window was above all others: it is asked again.
    if (native->m_full_screen && layer.topmost)
        request_window_state(window, "ABOVE");
    return native;
}

NativeWindow::NativeWindow(SDL_Window* window, const window::Layer& layer)
    : m_window(window), m_id(SDL_GetWindowID(window)), m_surface(layer.surface),
      m_title(layer.title), m_topmost(layer.topmost) {}

NativeWindow::~NativeWindow() {
    if (m_window)
        SDL_DestroyWindow(m_window);
}

void NativeWindow::apply_shape(const window::Layer& layer) {
    std::vector<RECT> rects = shape_rects(layer);
    if (same_rects(rects, m_shape))
        return;
    m_shape = std::move(rects);
    shape_window(m_window, m_shape);
}

void NativeWindow::follow(const window::Layer& layer, const DesktopFacts& desktop) {
    if (layer.surface != m_surface) {
        m_surface = layer.surface;
        m_whole = true;
    }
    RECT r = window_rect(layer);
    const bool full_screen = covers_screen(r);
    if (full_screen != m_full_screen) {
        SDL_SetWindowFullscreen(m_window, full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        m_full_screen = full_screen;
        m_whole = true;
    }
    if (!full_screen && !EqualRect(&r, &m_rect)) {
        if (r.left != m_rect.left || r.top != m_rect.top)
            SDL_SetWindowPosition(m_window, desktop.origin.x + r.left, desktop.origin.y + r.top);
        if (r.right - r.left != m_rect.right - m_rect.left ||
            r.bottom - r.top != m_rect.bottom - m_rect.top) {
            SDL_SetWindowSize(m_window, r.right - r.left, r.bottom - r.top);
            m_whole = true;
        }
    }
    m_rect = r;
    if (layer.title != m_title) {
        m_title = layer.title;
        SDL_SetWindowTitle(m_window, m_title.c_str());
    }
    if (layer.topmost != m_topmost) {
        m_topmost = layer.topmost;
        SDL_SetWindowAlwaysOnTop(m_window, m_topmost ? SDL_TRUE : SDL_FALSE);
    }
    apply_shape(layer);
}

void NativeWindow::moved_to(POINT screen, const DesktopFacts& desktop) {
    if (m_full_screen)
        return;
    const POINT wanted{desktop.origin.x + m_rect.left, desktop.origin.y + m_rect.top};
    if (screen.x == wanted.x && screen.y == wanted.y)
        return;
    // Input is hit-tested at the layer's place, so the window must stand there. A manager may
    // place a window anew when it maps it (a dialog asked for the screen's corner is centred);
    // asked again once it is mapped, it moves it. Once for each place: a manager that keeps
    // the window elsewhere whatever it is asked is not asked forever.
    if (m_placed_again && m_placed_again_at.x == wanted.x && m_placed_again_at.y == wanted.y)
        return;
    m_placed_again = true;
    m_placed_again_at = wanted;
    SDL_SetWindowPosition(m_window, wanted.x, wanted.y);
}

bool NativeWindow::present() {
    if (!m_surface)
        return false;
    SDL_Surface* pixels = SDL_GetWindowSurface(m_window);
    if (!pixels)
        return false;
    RECT shown{};
    {
        gdi::SurfaceLock lock(m_surface.get());
        RECT damage = m_surface->take_damage();
        if (m_whole)
            damage = RECT{0, 0, m_surface->width(), m_surface->height()};
        RECT limit{0, 0, std::min(m_surface->width(), pixels->w),
                   std::min(m_surface->height(), pixels->h)};
        if (!IntersectRect(&shown, &damage, &limit))
            return false;
        m_whole = false;
        if (SDL_MUSTLOCK(pixels))
            SDL_LockSurface(pixels);
        copy_rect(*m_surface, pixels, shown);
        if (SDL_MUSTLOCK(pixels))
            SDL_UnlockSurface(pixels);
    }
    SDL_Rect area{shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top};
    return SDL_UpdateWindowSurfaceRects(m_window, &area, 1) == 0;
}

bool NativeWindow::take_focus() {
    // The manager is asked first: it moves its own idea of the active window (and the frame's
    // place) along; the keyboard is then given directly, which is all a bare server has.
    const Activation how = request_activation(m_window);
    SDL_SetWindowInputFocus(m_window);
    return how == Activation::raised;
}

void NativeWindow::hold_keyboard() {
    SDL_SetWindowInputFocus(m_window);
}

} // namespace lv::display
