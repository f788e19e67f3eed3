// Helpers for the window-manager tests: a recording window class, a virtual clock for the
// window manager and a message pump.
#pragma once

#include "win32/win32.h"

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace wintest {

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
// Pumps this thread's messages until `ready` holds (at most 20 s); false when it never did.
bool pump_until(const std::function<bool()>& ready);
// Blocks until another thread's send to this thread waits to be served (at most 20 s), without
// serving it; false when none came.
bool wait_for_send();
// A colour as the X server's screenshots give it (0xRRGGBB).
long x_rgb(COLORREF colour);
std::string name_of(UINT message);

} // namespace wintest
