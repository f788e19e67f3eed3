// The tree lock, the live-handle table, the desktop window and the input state that is
// global to the process (active, focus and capture windows).
#pragma once

#include "window/window_object.h"

#include <map>
#include <mutex>

namespace lv::window {

// Holds the tree lock for a scope; counts how deep the calling thread holds it.
class TreeLock {
public:
    explicit TreeLock(std::recursive_mutex& mutex);
    ~TreeLock();
    TreeLock(const TreeLock&) = delete;
    TreeLock& operator=(const TreeLock&) = delete;

private:
    std::unique_lock<std::recursive_mutex> m_lock;
};

// True while the calling thread holds the tree lock: window procedures, hooks and callbacks
// must never run then.
bool tree_locked_here();
// Stops the process when the calling thread holds the tree lock: calling out then could
// deadlock with another thread.
void expect_tree_unlocked();

struct WindowTable {
    std::recursive_mutex mutex;
    std::map<HWND, WindowPtr> windows;
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::uintptr_t next_handle = 0x10010;
    ATOM next_atom = 0xC000;
    WindowPtr desktop;

    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND lock_update = nullptr;
};

// The one table of the process; its lock is never held while a window procedure runs.
WindowTable& table();
TreeLock lock_tree();

// Live window for a handle (the desktop included), or nullptr (sets ERROR_INVALID_WINDOW_HANDLE).
// Call with the tree lock held.
Window* find_window(HWND hwnd);
WindowPtr find_window_ptr(HWND hwnd);
// As find_window, without touching the last error.
Window* peek_window(HWND hwnd);

bool is_top_level(const Window* w);
bool is_desktop(const Window* w);
// Top-level ancestor (the window itself for a top-level window).
Window* top_level_of(Window* w);
// Visible along the whole parent chain.
bool is_really_visible(const Window* w);

// Screen position of the window rectangle's and the client area's top-left corners.
POINT window_origin_on_screen(const Window* w);
POINT client_origin_on_screen(const Window* w);
RECT window_rect_on_screen(const Window* w);
RECT client_rect_on_screen(const Window* w);

// A rectangle from a position and a size, kept inside the coordinate range (sizes below zero
// become zero) so that no later arithmetic overflows.
RECT rect_from(int x, int y, int cx, int cy);

// Every window of the subtree, parents before children, in z-order.
void collect_subtree(Window* w, std::vector<Window*>& out);

} // namespace lv::window
