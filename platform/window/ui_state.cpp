#include "window/ui_state.h"

#include "window/window_table.h"

#include <optional>
#include <vector>

namespace lv::window {
namespace {

constexpr WORD kKnownFlags = UISF_HIDEFOCUS | UISF_HIDEACCEL | UISF_ACTIVE;

// The state after the change; nothing for an action that is not one. The layer does not tell
// keyboard from mouse input here, so UIS_INITIALIZE shows the cues, as after a key press.
std::optional<WORD> changed_state(WORD state, WPARAM change) {
    const WORD flags = HIWORD(change) & kKnownFlags;
    switch (LOWORD(change)) {
    case UIS_SET:
        return static_cast<WORD>(state | flags);
    case UIS_CLEAR:
    case UIS_INITIALIZE:
        return static_cast<WORD>(state & ~flags);
    default:
        return std::nullopt;
    }
}

} // namespace

LRESULT update_ui_state(HWND hwnd, WPARAM change) {
    std::vector<HWND> children;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return 0;
        const auto next = changed_state(w->ui_state, change);
        if (!next)
            return 0;
        w->ui_state = *next;
        for (Window* child : w->children)
            children.push_back(child->handle);
    }
    for (HWND child : children)
        SendMessageA(child, WM_UPDATEUISTATE, change, 0);
    return 0;
}

LRESULT change_ui_state(HWND hwnd, WPARAM change, LPARAM lParam) {
    HWND parent = nullptr;
    bool differs = false;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return 0;
        if ((w->style & WS_CHILD) && w->parent && !is_desktop(w->parent)) {
            parent = w->parent->handle;
        } else {
            const auto next = changed_state(w->ui_state, change);
            differs = next && *next != w->ui_state;
        }
    }
    if (parent)
        return SendMessageA(parent, WM_CHANGEUISTATE, change, lParam);
    if (differs)
        SendMessageA(hwnd, WM_UPDATEUISTATE, change, lParam);
    return 0;
}

LRESULT query_ui_state(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    return w ? w->ui_state : 0;
}

} // namespace lv::window
