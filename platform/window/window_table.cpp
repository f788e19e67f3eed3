#include "window/window_table.h"

#include "win32/errors.h"
#include "window/display_port.h"
#include "window/paint_state.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace lv::window {

Window::Window() = default;
Window::~Window() = default;

namespace {

WindowPtr make_desktop(WindowTable& t) {
    auto cls = std::make_shared<WindowClass>();
    cls->atom = 0x8001;
    cls->name = "#32769";
    cls->proc = DefWindowProcA;
    auto desktop = std::make_shared<Window>();
    desktop->handle = reinterpret_cast<HWND>(t.next_handle);
    t.next_handle += 0x10;
    desktop->cls = cls;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    desktop->proc = DefWindowProcA;
    SIZE screen = display_port::screen_size();
    desktop->rect = RECT{0, 0, screen.cx, screen.cy};
    desktop->client = desktop->rect;
    desktop->creating = false;
    desktop->paint = std::make_unique<PaintState>();
    t.windows[desktop->handle] = desktop;
    return desktop;
}

} // namespace

WindowTable& table() {
    static WindowTable* t = [] {
        auto* created = new WindowTable;
        created->desktop = make_desktop(*created);
        return created;
    }();
    return *t;
}

namespace {
thread_local int t_tree_depth = 0;
}

TreeLock::TreeLock(std::recursive_mutex& mutex) : m_lock(mutex) {
    ++t_tree_depth;
}
TreeLock::~TreeLock() {
    --t_tree_depth;
}

bool tree_locked_here() {
    return t_tree_depth > 0;
}

void expect_tree_unlocked() {
    if (!tree_locked_here())
        return;
    std::fputs("window manager: calling out while holding the tree lock\n", stderr);
    std::abort();
}

TreeLock lock_tree() {
    return TreeLock(table().mutex);
}

Window* peek_window(HWND hwnd) {
    auto& t = table();
    auto it = t.windows.find(hwnd);
    if (it == t.windows.end() || it->second->destroyed)
        return nullptr;
    return it->second.get();
}

Window* find_window(HWND hwnd) {
    Window* w = peek_window(hwnd);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

WindowPtr find_window_ptr(HWND hwnd) {
    auto& t = table();
    auto it = t.windows.find(hwnd);
    if (it == t.windows.end() || it->second->destroyed) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return it->second;
}

bool is_desktop(const Window* w) {
    return w == table().desktop.get();
}

bool is_top_level(const Window* w) {
    return w->parent && is_desktop(w->parent);
}

Window* top_level_of(Window* w) {
    while (w && w->parent && !is_desktop(w->parent))
        w = w->parent;
    return w;
}

bool is_really_visible(const Window* w) {
    for (; w; w = w->parent) {
        if (!(w->style & WS_VISIBLE))
            return false;
        if (is_desktop(w))
            return true;
    }
    return false;
}

POINT client_origin_on_screen(const Window* w) {
    POINT p{0, 0};
    for (; w && !is_desktop(w); w = w->parent) {
        p.x += w->rect.left + w->client.left;
        p.y += w->rect.top + w->client.top;
    }
    return p;
}

POINT window_origin_on_screen(const Window* w) {
    if (!w->parent || is_desktop(w))
        return POINT{w->rect.left, w->rect.top};
    POINT p = client_origin_on_screen(w->parent);
    return POINT{p.x + w->rect.left, p.y + w->rect.top};
}

RECT window_rect_on_screen(const Window* w) {
    POINT o = window_origin_on_screen(w);
    return RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left),
                o.y + (w->rect.bottom - w->rect.top)};
}

RECT client_rect_on_screen(const Window* w) {
    POINT o = client_origin_on_screen(w);
    return RECT{o.x, o.y, o.x + (w->client.right - w->client.left),
                o.y + (w->client.bottom - w->client.top)};
}

RECT rect_from(int x, int y, int cx, int cy) {
    // Far inside the range, so that offsets summed along a deep parent chain cannot overflow.
    static constexpr std::int64_t kLimit = 1 << 24;
    auto clamp = [](std::int64_t v) {
        return static_cast<LONG>(std::clamp<std::int64_t>(v, -kLimit, kLimit));
    };
    LONG left = clamp(x);
    LONG top = clamp(y);
    LONG right = clamp(static_cast<std::int64_t>(left) + std::max(cx, 0));
    LONG bottom = clamp(static_cast<std::int64_t>(top) + std::max(cy, 0));
    return RECT{left, top, right, bottom};
}

void collect_subtree(Window* w, std::vector<Window*>& out) {
    out.push_back(w);
    for (Window* child : w->children)
        collect_subtree(child, out);
}

} // namespace lv::window
