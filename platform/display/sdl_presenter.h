// The real display: an SDL window showing the composed screen, on a thread of its own that
// composes at most once per display frame (so a transition drawn from a worker thread reaches
// the screen while it runs) and turns SDL's keyboard and mouse events into injected input.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

namespace lv::display {

class SdlPresenter {
public:
    static SdlPresenter& instance();
    // Starts the presenter thread once; later calls do nothing.
    void start();
    bool running() const { return m_running.load(); }
    unsigned long frames() const { return m_frames.load(); }
    ~SdlPresenter();

private:
    SdlPresenter() = default;
    void run();

    std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::atomic<unsigned long> m_frames{0};
};

// The virtual key for an SDL key code; 0 for keys without one.
int virtual_key_for_sdl(int sdl_keycode);

} // namespace lv::display
