// Helpers for the window-manager tests: a recording window class, a virtual clock for the
// window manager and a message pump.
#pragma once

#include "win32/win32.h"
#include "window/clock_source.h"

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace wintest {

// A clock that only moves when told to, installed for the lifetime of the object.
class ManualClock : public lv::window::clock_port::Source {
public:
    ManualClock() { lv::window::clock_port::set_source(this); }
    ~ManualClock() override { lv::window::clock_port::set_source(nullptr); }
    std::uint64_t now_ms() override { return m_now.load(); }
    bool is_virtual() override { return true; }
    void advance_to(std::uint64_t deadline) override {
        std::uint64_t now = m_now.load();
        while (deadline > now && !m_now.compare_exchange_weak(now, deadline)) {
        }
    }
    void advance_by(std::uint64_t ms) { advance_to(m_now.load() + ms); }

private:
    std::atomic<std::uint64_t> m_now{1000};
};

// One recorded message: the window's name and the message number.
struct Event {
    std::string window;
    UINT message;
    bool operator==(const Event& o) const { return window == o.window && message == o.message; }
};
std::string name_of(UINT message);
inline void PrintTo(const Event& e, std::ostream* os) {
    *os << e.window << ":" << name_of(e.message);
}

// Records the messages of every window made of it; each window is named by its title.
class Recorder {
public:
    Recorder();
    ~Recorder();
    const char* class_name() const { return m_class.c_str(); }
    HWND create(const char* name, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
                DWORD ex_style = 0, int id = 0);
    std::vector<Event> events() const;
    std::vector<UINT> messages_of(const std::string& window) const;
    void clear();
    // Called for every message before the default handling; return true to answer `result`.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> handler;

    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    std::string m_class;
    mutable std::mutex m_mutex;
    std::vector<Event> m_events;
    std::map<HWND, std::string> m_names;
    std::string m_pending_name;
};

// A window that erases its client area with one colour; `colour` also names it in the screen
// tests. The class is registered on first use.
HWND make_coloured(DWORD style, int x, int y, int w, int h, COLORREF colour, HWND parent = nullptr,
                   DWORD ex_style = 0);

// The calling thread's id as the window manager knows it.
DWORD current_thread();
// Dispatches everything queued (including WM_PAINT) until the queue is empty.
void pump();
std::string name_of(UINT message);

} // namespace wintest
