#include "display/sdl_presenter.h"

#include "display/native_window.h"
#include "display/x11_errors.h"
#include "display/x11_extras.h"
#include "gdi/surface.h"
#include "win32/window.h"
#include "window/input_path.h"
#include "window/input_state.h"
#include "window/layers.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <map>

namespace lv::display {

// The native windows by the top-level window they show, and what the display last did with
// them. Touched only by the display thread.
struct SdlPresenter::Natives {
    std::map<HWND, std::unique_ptr<NativeWindow>> by_window;
    std::vector<HWND> order; // top first, as last stacked
    HWND focused = nullptr;
    int cursor_shown = -1;
    SDL_Window* anchor = nullptr; // hidden; lets the display thread sleep even with no window

    NativeWindow* find(std::uint32_t id, HWND* hwnd = nullptr) {
        for (auto& [window, native] : by_window)
            if (native->id() == id) {
                if (hwnd)
                    *hwnd = window;
                return native.get();
            }
        return nullptr;
    }
};

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFrame = std::chrono::milliseconds(16);

window::input::Button button_of(Uint8 sdl_button) {
    switch (sdl_button) {
    case SDL_BUTTON_RIGHT:
        return window::input::Button::right;
    case SDL_BUTTON_MIDDLE:
        return window::input::Button::middle;
    default:
        return window::input::Button::left;
    }
}

} // namespace

SdlPresenter& SdlPresenter::instance() {
    static SdlPresenter presenter;
    return presenter;
}

bool SdlPresenter::start() {
    std::unique_lock lock(m_mutex);
    if (m_state == State::idle) {
        m_state = State::starting;
        m_thread = std::thread([this] { run(); });
    }
    if (m_thread.get_id() == std::this_thread::get_id())
        return m_state == State::running;
    m_started.wait(lock, [this] { return m_state != State::starting; });
    return m_state == State::running;
}

SdlPresenter::~SdlPresenter() {
    m_stop = true;
    wake();
    if (!m_thread.joinable())
        return;
    // exit() called on the display thread itself runs this destructor there: it cannot wait
    // for itself, and the process is ending anyway.
    if (m_thread.get_id() == std::this_thread::get_id()) {
        m_thread.detach();
        return;
    }
    m_thread.join();
}

void SdlPresenter::windows_changed() {
    m_changed = true;
    wake();
}

void SdlPresenter::warp_pointer(POINT screen) {
    {
        std::lock_guard lock(m_mutex);
        m_warps.push_back(screen);
    }
    wake();
}

void SdlPresenter::wake() {
    if (m_wake_event == 0 || m_wake_pending.exchange(true))
        return;
    SDL_Event e{};
    e.type = m_wake_event;
    SDL_PushEvent(&e);
}

void SdlPresenter::surface_damaged() {
    SdlPresenter& self = instance();
    self.m_damaged = true;
    self.wake();
}

void SdlPresenter::run() {
    const bool opened = open();
    {
        std::lock_guard lock(m_mutex);
        m_state = opened ? State::running : State::failed;
    }
    m_started.notify_all();
    if (!opened)
        return;
    loop();
    close();
}

namespace {

POINT pointer_on_screen(const DesktopFacts& desktop, SDL_Window* any_window) {
    POINT at{};
    if (!query_pointer(any_window, at)) {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        at = POINT{x, y};
    }
    return POINT{at.x - desktop.origin.x, at.y - desktop.origin.y};
}

} // namespace

bool SdlPresenter::open() {
    // A full-screen window stays up when another window takes the keyboard; a click on an
    // inactive window is a click; and a dialog does not keep the desktop's own saver away.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // SIGTERM and SIGINT keep their default action: a program told to end by the session or
    // by kill ends (nothing here would answer the quit event they would become).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Windows show their pixels through the display server's own images: no 3D renderer
    // (a software one would cost seconds of start-up and a core while it runs).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Before the start-up as well as after it: SDL keeps the handler it finds and puts it
    // back as the video shuts down, and an error read after that (the answer to a wake-up
    // sent to a window just destroyed) must not end with Xlib's exit(1).
    install_x_error_handlers();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Lumivista: the display cannot be opened (%s); running without one\n",
                     SDL_GetError());
        return false;
    }
    install_x_error_handlers();
    SDL_Rect bounds{0, 0, 0, 0};
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
        std::fprintf(stderr, "Lumivista: the display has no screen (%s); running without one\n",
                     SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        usable = bounds;
    m_desktop.size = SIZE{bounds.w, bounds.h};
    m_desktop.origin = POINT{bounds.x, bounds.y};
    m_desktop.work_area = RECT{usable.x - bounds.x, usable.y - bounds.y,
                               usable.x - bounds.x + usable.w, usable.y - bounds.y + usable.h};
    m_natives = std::make_unique<Natives>();
    m_natives->anchor = SDL_CreateWindow(
        "", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR);
    window::set_cursor_position(pointer_on_screen(m_desktop, m_natives->anchor));
    m_wake_event = SDL_RegisterEvents(1);
    gdi::Surface::set_damage_listener(&SdlPresenter::surface_damaged);
    return true;
}

void SdlPresenter::close() {
    gdi::Surface::set_damage_listener(nullptr);
    m_natives->by_window.clear();
    if (m_natives->anchor)
        SDL_DestroyWindow(m_natives->anchor);
    m_natives.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlPresenter::loop() {
    auto last_present = Clock::now() - kFrame;
    bool present_due = true;
    while (!m_stop) {
        SDL_Event event;
        int got = 0;
        if (!present_due) {
            got = SDL_WaitEvent(&event);
        } else {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                last_present + kFrame - Clock::now());
            got = left.count() > 0 ? SDL_WaitEventTimeout(&event, static_cast<int>(left.count()))
                                   : SDL_PollEvent(&event);
        }
        // Whoever changes something after this point wakes the thread again.
        m_wake_pending = false;
        if (got) {
            handle(event);
            while (SDL_PollEvent(&event))
                handle(event);
        }
        if (m_changed.exchange(false)) {
            reconcile();
            present_due = true;
        }
        apply_warps();
        if (m_damaged.exchange(false))
            present_due = true;
        if (present_due && Clock::now() >= last_present + kFrame) {
            if (present_all())
                m_frames.fetch_add(1);
            last_present = Clock::now();
            present_due = false;
        }
    }
}

void SdlPresenter::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_WINDOWEVENT: {
        HWND hwnd = nullptr;
        NativeWindow* native = m_natives->find(e.window.windowID, &hwnd);
        if (!native)
            break;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            native->expose();
            m_damaged = true;
            break;
        case SDL_WINDOWEVENT_MOVED:
            native->moved_to(POINT{e.window.data1, e.window.data2}, m_desktop);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // The keyboard follows the layer's active window (keys reach that window whichever
            // native window has them). A manager gives the keyboard to a window it maps or that
            // is clicked, even to an owner its modal dialog disables, and SDL gives it to every
            // window it shows where no manager runs: it goes back. (A click that activates the
            // window clicked changes the layer, which then hands the keyboard on.)
            if (hwnd != m_natives->focused)
                focus_active();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            // The desktop asks the window to close (there is no caption of the desktop's own).
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        default:
            break;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (int vk = virtual_key_for_sdl(e.key.keysym.sym))
            window::input::key(vk, e.type == SDL_KEYDOWN);
        break;
    case SDL_MOUSEMOTION:
        // Where the pointer is on the screen, not where the event saw it relative to a window
        // that may be moving under it (a caption drag).
        window::input::mouse_move(pointer_on_screen(m_desktop, m_natives->anchor));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        window::input::mouse_move(pointer_on_screen(m_desktop, m_natives->anchor));
        window::input::mouse_button(button_of(e.button.button), e.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEWHEEL: {
        int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (steps != 0)
            window::input::mouse_wheel(steps * WHEEL_DELTA);
        break;
    }
    default:
        break;
    }
}

void SdlPresenter::reconcile() {
    Natives& n = *m_natives;
    std::map<HWND, std::unique_ptr<NativeWindow>> shown;
    std::vector<HWND> order; // top first
    HWND active = nullptr;
    for (const window::Layer& layer : window::visible_layers_bottom_up()) {
        std::unique_ptr<NativeWindow> native;
        if (auto it = n.by_window.find(layer.hwnd); it != n.by_window.end()) {
            native = std::move(it->second);
            n.by_window.erase(it);
            native->follow(layer, m_desktop);
        } else {
            auto owner = shown.find(layer.owner); // lower, so already there
            native = NativeWindow::create(layer, m_desktop,
                                          owner != shown.end() ? owner->second->sdl() : nullptr);
            if (!native)
                continue;
        }
        if (layer.active)
            active = layer.hwnd;
        order.insert(order.begin(), layer.hwnd);
        shown[layer.hwnd] = std::move(native);
    }
    // Windows hidden or destroyed since the last time go only after the keyboard has moved on:
    // the server drops a key that comes while the window that had it is gone and no other has
    // been given it yet (Escape twice in a submenu closed the submenu only).
    std::map<HWND, std::unique_ptr<NativeWindow>> gone = std::move(n.by_window);
    n.by_window = std::move(shown);
    if (order != n.order) {
        // From the lowest window whose place changed up: those above it are raised in turn.
        std::size_t same = 0; // windows at the bottom of both orders
        while (same < order.size() && same < n.order.size() &&
               order[order.size() - 1 - same] == n.order[n.order.size() - 1 - same])
            ++same;
        std::vector<SDL_Window*> bottom_first;
        for (auto it = order.rbegin() + static_cast<std::ptrdiff_t>(same); it != order.rend(); ++it)
            bottom_first.push_back(n.by_window[*it]->sdl());
        raise_windows(bottom_first);
        n.order = order;
    }
    if (active != n.focused) {
        const bool keyboard_goes = n.focused && gone.count(n.focused) != 0;
        n.focused = active;
        if (active)
            focus_active();
        else if (keyboard_goes && !order.empty())
            // Nothing is active for a moment (a window hidden before the next is activated):
            // one of ours holds the keyboard meanwhile; the layer hands keys to its own focus.
            n.by_window[order.front()]->hold_keyboard();
    }
    gone.clear();
    int cursor = window::cursor_show_count() >= 0 ? SDL_ENABLE : SDL_DISABLE;
    if (cursor != n.cursor_shown) {
        SDL_ShowCursor(cursor);
        n.cursor_shown = cursor;
    }
}

void SdlPresenter::focus_active() {
    Natives& n = *m_natives;
    auto it = n.by_window.find(n.focused);
    if (it == n.by_window.end() || !it->second->take_focus())
        return;
    // Raised on its own: whatever the layer keeps above it (topmost windows, popups) goes back
    // above it.
    std::vector<SDL_Window*> above;
    for (HWND hwnd : n.order) {
        if (hwnd == n.focused)
            break;
        above.insert(above.begin(), n.by_window[hwnd]->sdl());
    }
    raise_windows(above);
}

void SdlPresenter::apply_warps() {
    std::vector<POINT> warps;
    {
        std::lock_guard lock(m_mutex);
        warps.swap(m_warps);
    }
    for (POINT p : warps)
        SDL_WarpMouseGlobal(m_desktop.origin.x + p.x, m_desktop.origin.y + p.y);
}

bool SdlPresenter::present_all() {
    bool shown = false;
    for (auto& [hwnd, native] : m_natives->by_window)
        shown = native->present() || shown;
    return shown;
}

} // namespace lv::display
