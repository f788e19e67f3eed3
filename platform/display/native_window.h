// One native window of the real display, showing one top-level window of the layer: borderless
// (the layer draws the frame), at the layer window's place and size, titled with its text,
// shaped by its window region, full screen when it covers the screen.
#pragma once

#include "display/sdl_presenter.h"
#include "window/layers.h"

#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Window;

namespace lv::display {

class NativeWindow {
public:
    // The native window for a layer, held over its owner's (null: none); null when the
    // display refuses to make one.
    static std::unique_ptr<NativeWindow> create(const window::Layer& layer,
                                                const DesktopFacts& desktop, SDL_Window* owner);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    // Follows the layer: place, size, title, shape, topmost band, full screen.
    void follow(const window::Layer& layer, const DesktopFacts& desktop);
    // Copies what changed on the layer's surface since the last call to the screen; true when
    // something was shown.
    bool present();
    // The native window now stands at this place of the display server's screen.
    void moved_to(POINT screen, const DesktopFacts& desktop);
    // The whole surface goes to the screen at the next present (after an expose, a resize).
    void expose() { m_whole = true; }
    // The window comes forward as the active one and the keyboard goes to it; true when it was
    // raised on its own (no manager did it), so that windows meant to be above it must be
    // raised again.
    bool take_focus();
    // The keyboard goes to the window, which stays where it is.
    void hold_keyboard();

    std::uint32_t id() const { return m_id; }
    SDL_Window* sdl() const { return m_window; }

private:
    NativeWindow(SDL_Window* window, const window::Layer& layer);
    void apply_shape(const window::Layer& layer);

    SDL_Window* m_window{nullptr};
    std::uint32_t m_id{0};
    std::shared_ptr<gdi::Surface> m_surface;
    RECT m_rect{};
    std::string m_title;
    bool m_topmost{false};
    bool m_full_screen{false};
    bool m_whole{true};
    bool m_placed_again{false}; // the manager was asked once more for m_placed_again_at
    POINT m_placed_again_at{};
    std::vector<RECT> m_shape; // window coordinates; empty: the whole rectangle
};

} // namespace lv::display
