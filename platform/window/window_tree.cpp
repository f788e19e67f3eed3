// Queries and changes of the window tree: parents, owners, siblings, enumeration, search.
#include "win32/errors.h"
#include "window/class_registry.h"
#include "window/thread_id.h"
#include "window/window_events.h"
#include "window/window_table.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace lv::window {
namespace {

HWND handle_of(const Window* w) {
    return w ? w->handle : nullptr;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> out;
    auto lock = lock_tree();
    Window* w = find_window(parent);
    if (!w)
        return out;
    std::vector<Window*> all;
    for (Window* child : w->children)
        collect_subtree(child, all);
    for (Window* d : all)
        out.push_back(d->handle);
    return out;
}

bool text_matches(const Window* w, LPCSTR className, LPCSTR windowName) {
    if (className) {
        if (IS_INTRESOURCE(className)) {
            if (w->cls->atom != static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className)))
                return false;
        } else if (!names_equal(w->cls->name, className)) {
            return false;
        }
    }
    return !windowName || w->text == windowName;
}

} // namespace
} // namespace lv::window

using namespace lv::window;

BOOL IsWindow(HWND hwnd) {
    auto lock = lock_tree();
    return peek_window(hwnd) ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    auto lock = lock_tree();
    Window* p = peek_window(parent);
    Window* w = peek_window(hwnd);
    if (!p || !w)
        return FALSE;
    for (Window* up = w; up && (up->style & WS_CHILD); up = up->parent)
        if (up->parent == p)
            return TRUE;
    return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    return w && is_really_visible(w) ? TRUE : FALSE;
}

HWND GetDesktopWindow() {
    auto lock = lock_tree();
    return table().desktop->handle;
}

HWND GetParent(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w || is_desktop(w))
        return nullptr;
    if (w->style & WS_CHILD)
        return handle_of(w->parent);
    if (w->style & WS_POPUP)
        return handle_of(w->owner);
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w || is_desktop(w))
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return handle_of(w->parent);
    case GA_ROOT:
        return handle_of(top_level_of(w));
    case GA_ROOTOWNER: {
        Window* root = top_level_of(w);
        while (root->owner)
            root = root->owner;
        return root->handle;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    if (cmd == GW_OWNER)
        return handle_of(w->owner);
    if (cmd == GW_ENABLEDPOPUP) {
        for (Window* top : table().desktop->children)
            if (top->owner == w && (top->style & WS_VISIBLE) && !(top->style & WS_DISABLED))
                return top->handle;
        return nullptr;
    }
    if (!w->parent)
        return nullptr;
    const auto& siblings = w->parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST:
        return siblings.front()->handle;
    case GW_HWNDLAST:
        return siblings.back()->handle;
    case GW_HWNDNEXT:
        return at + 1 == siblings.end() ? nullptr : (*(at + 1))->handle;
    case GW_HWNDPREV:
        return at == siblings.begin() ? nullptr : (*(at - 1))->handle;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (!hwnd)
        hwnd = GetDesktopWindow();
    return GetWindow(hwnd, GW_CHILD);
}

HWND SetParent(HWND child, HWND newParent) {
    auto lock = lock_tree();
    Window* w = find_window(child);
    if (!w || is_desktop(w))
        return nullptr;
    Window* p = newParent ? find_window(newParent) : table().desktop.get();
    if (!p)
        return nullptr;
    for (Window* up = p; up; up = up->parent) {
        if (up == w) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    Window* old = w->parent;
    auto& siblings = old->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    w->parent = p;
    p->children.insert(p->children.begin(), w);
    if (is_desktop(p))
        w->owner = nullptr;
    on_geometry_changed(w);
    mark_screen_dirty();
    return old->handle;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc)
        return FALSE;
    if (!parent)
        return EnumWindows(proc, lParam); // as the platform does for a null parent
    for (HWND child : descendants(parent)) {
        if (!IsWindow(child))
            continue;
        expect_tree_unlocked();
        if (!proc(child, lParam))
            return FALSE;
    }
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (!proc)
        return FALSE;
    std::vector<HWND> tops;
    {
        auto lock = lock_tree();
        for (Window* top : table().desktop->children)
            tops.push_back(top->handle);
    }
    for (HWND top : tops)
        if (IsWindow(top) && !proc(top, lParam))
            return FALSE;
    return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc)
        return FALSE;
    std::vector<HWND> tops;
    {
        auto lock = lock_tree();
        for (Window* top : table().desktop->children)
            if (top->thread == threadId)
                tops.push_back(top->handle);
    }
    for (HWND top : tops)
        if (IsWindow(top) && !proc(top, lParam))
            return FALSE;
    return TRUE;
}

HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    auto lock = lock_tree();
    Window* p = parent ? find_window(parent) : table().desktop.get();
    if (!p)
        return nullptr;
    bool started = childAfter == nullptr;
    for (Window* w : p->children) {
        if (!started) {
            started = w->handle == childAfter;
            continue;
        }
        if (text_matches(w, className, windowName))
            return w->handle;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return 0;
    if (processId)
        *processId = static_cast<DWORD>(::getpid());
    return w->thread;
}

int GetDlgCtrlID(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w || !(w->style & WS_CHILD))
        return 0;
    return static_cast<int>(w->id);
}

HWND GetDlgItem(HWND dialog, int id) {
    auto lock = lock_tree();
    Window* w = find_window(dialog);
    if (!w)
        return nullptr;
    for (Window* child : w->children)
        if (static_cast<int>(child->id) == id)
            return child->handle;
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}
