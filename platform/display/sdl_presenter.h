// The real display: every visible top-level window of the layer is a native window of its own
// (borderless, placed where the layer places it, shaped by its window region, full screen when
// it covers the screen). One thread owns the display connection: it sleeps until input arrives,
// the windows change or a window's surface is damaged, presents only the damaged rectangles (at
// most once per display frame, so a transition drawn from a worker reaches the screen while it
// runs), and turns keyboard and mouse events into the layer's input.
#pragma once

#include "win32/types.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

union SDL_Event;

namespace lv::display {

// The real desktop, relative to the display's top-left corner.
struct DesktopFacts {
    SIZE size{};
    RECT work_area{};
    POINT origin{}; // of the display in the display server's coordinates
};

class SdlPresenter {
public:
    static SdlPresenter& instance();
    // Starts the display thread once and waits until it has opened the display (or failed);
    // true when it runs.
    bool start();
    const DesktopFacts& desktop() const { return m_desktop; }
    unsigned long frames() const { return m_frames.load(); }

    // From any thread: the top-level windows changed; the display follows.
    void windows_changed();
    // From any thread: the pointer goes to this screen position.
    void warp_pointer(POINT screen);

    ~SdlPresenter();

private:
    SdlPresenter() = default;
    struct Natives;
    void run();
    bool open();
    void loop();
    void close();
    void wake();
    static void surface_damaged();
    void handle(const SDL_Event& event);
    void reconcile();
    // The layer's active window gets the keyboard (and comes forward).
    void focus_active();
    void apply_warps();
    bool present_all();

    enum class State { idle, starting, running, failed };
    std::mutex m_mutex;
    std::condition_variable m_started;
    State m_state{State::idle};
    std::thread m_thread;
    DesktopFacts m_desktop;
    std::uint32_t m_wake_event{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_changed{true};
    std::atomic<bool> m_damaged{false};
    std::atomic<bool> m_wake_pending{false};
    std::atomic<unsigned long> m_frames{0};
    std::vector<POINT> m_warps; // guarded by m_mutex
    std::unique_ptr<Natives> m_natives;
};

// The virtual key for an SDL key code; 0 for keys without one.
int virtual_key_for_sdl(int sdl_keycode);

} // namespace lv::display
