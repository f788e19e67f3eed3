#include "display/sdl_presenter.h"

#include "display/compositor.h"
#include "display/screen_config.h"
#include "gdi/surface.h"
#include "win32/window.h"
#include "window/input_path.h"

#include <SDL.h>

#include <chrono>
#include <vector>

namespace lv::display {
namespace {

constexpr auto kFrame = std::chrono::milliseconds(16);

void mouse_to(int x, int y) {
    window::input::mouse_move(POINT{x, y});
}

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

// Closing the real window asks every visible top-level window to close.
void close_all_windows() {
    std::vector<HWND> tops;
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
            if (IsWindowVisible(hwnd))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    for (HWND top : tops)
        PostMessageA(top, WM_CLOSE, 0, 0);
}

void handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (int vk = virtual_key_for_sdl(e.key.keysym.sym))
            window::input::key(vk, e.type == SDL_KEYDOWN);
        break;
    case SDL_MOUSEMOTION:
        mouse_to(e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        mouse_to(e.button.x, e.button.y);
        window::input::mouse_button(button_of(e.button.button), e.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEWHEEL:
        window::input::mouse_wheel(e.wheel.y * WHEEL_DELTA);
        break;
    case SDL_QUIT:
        close_all_windows();
        break;
    default:
        break;
    }
}

// Full screen while a visible top-level window covers the whole screen.
struct CoverSearch {
    SIZE screen{};
    bool covered = false;
};

bool wants_full_screen(SIZE screen) {
    CoverSearch search{screen, false};
    EnumWindows(
        [](HWND hwnd, LPARAM out) {
            auto* s = reinterpret_cast<CoverSearch*>(out);
            RECT r;
            if (IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.left <= 0 && r.top <= 0 &&
                r.right >= s->screen.cx && r.bottom >= s->screen.cy)
                s->covered = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.covered;
}

} // namespace

SdlPresenter& SdlPresenter::instance() {
    static SdlPresenter presenter;
    return presenter;
}

void SdlPresenter::start() {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable())
        return;
    m_thread = std::thread([this] { run(); });
}

SdlPresenter::~SdlPresenter() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void SdlPresenter::run() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return; // no display: the screen stays in memory as headless
    SIZE screen = screen_size();
    int w = static_cast<int>(screen.cx), h = static_cast<int>(screen.cy);
    SDL_Window* window = SDL_CreateWindow("Lumivista", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, w, h, SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                        SDL_TEXTUREACCESS_STREAMING, w, h)
                                    : nullptr;
    if (!texture) {
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    SDL_RenderSetLogicalSize(renderer, w, h);
    m_running = true;
    bool full_screen = false;
    while (!m_stop) {
        auto frame_start = std::chrono::steady_clock::now();
        SDL_Event event;
        while (SDL_PollEvent(&event))
            handle(event);
        bool wanted = wants_full_screen(screen);
        if (wanted != full_screen) {
            SDL_SetWindowFullscreen(window, wanted ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
            full_screen = wanted;
        }
        SDL_ShowCursor(window::cursor_show_count() >= 0 ? SDL_ENABLE : SDL_DISABLE);
        compose_screen();
        {
            gdi::Surface& s = screen_surface();
            gdi::SurfaceLock lock(&s);
            SDL_UpdateTexture(texture, nullptr, s.row(0), static_cast<int>(s.stride()));
        }
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        m_frames.fetch_add(1);
        std::this_thread::sleep_until(frame_start + kFrame);
    }
    m_running = false;
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace lv::display
