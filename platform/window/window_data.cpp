// Per-window data: the long values, extra bytes, properties and text.
#include "win32/errors.h"
#include "window/thread_id.h"
#include "window/window_events.h"
#include "window/window_table.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace lv::window {
namespace {

bool is_pointer_index(int index) {
    return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT ||
           index == GWLP_USERDATA;
}

bool fits_in_long(LONG_PTR value) {
    return value == static_cast<LONG_PTR>(static_cast<LONG>(value));
}

std::string property_key(LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string key = name;
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

bool extra_range_ok(const Window& w, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= w.extra.size();
}

LONG_PTR read_long(HWND hwnd, int index, size_t size) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        if (w->style & WS_CHILD)
            return reinterpret_cast<LONG_PTR>(w->parent->handle);
        return reinterpret_cast<LONG_PTR>(w->owner ? w->owner->handle : nullptr);
    case GWLP_ID:
        return w->id;
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->ex_style);
    case GWLP_USERDATA:
        return w->user_data;
    default:
        break;
    }
    if (!extra_range_ok(*w, index, size)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG value = 0;
        std::memcpy(&value, w->extra.data() + index, sizeof(value));
        return value;
    }
    LONG_PTR value = 0;
    std::memcpy(&value, w->extra.data() + index, sizeof(value));
    return value;
}

// A style change goes through WM_STYLECHANGING/WM_STYLECHANGED, as the platform does it.
LONG_PTR write_style(HWND hwnd, int index, DWORD value) {
    DWORD old = 0;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return 0;
        old = index == GWL_STYLE ? w->style : w->ex_style;
    }
    STYLESTRUCT ss{old, value};
    SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return 0;
        if (index == GWL_STYLE) {
            w->style = ss.styleNew;
        } else {
            // The topmost band changes only through SetWindowPos.
            w->ex_style = (ss.styleNew & ~WS_EX_TOPMOST) | (w->ex_style & WS_EX_TOPMOST);
        }
        mark_screen_dirty();
    }
    SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG>(old);
}

LONG_PTR write_long(HWND hwnd, int index, LONG_PTR value, size_t size) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return write_style(hwnd, index, static_cast<DWORD>(value));
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return 0;
    if (is_desktop(w) || w->thread != current_thread_id()) {
        if (index == GWLP_WNDPROC) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    LONG_PTR old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT: {
        old = reinterpret_cast<LONG_PTR>(w->owner ? w->owner->handle : nullptr);
        if (w->style & WS_CHILD)
            return reinterpret_cast<LONG_PTR>(w->parent->handle);
        Window* owner = value ? find_window(reinterpret_cast<HWND>(value)) : nullptr;
        w->owner = owner ? top_level_of(owner) : nullptr;
        return old;
    }
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_USERDATA:
        old = w->user_data;
        w->user_data = value;
        return old;
    default:
        break;
    }
    if (!extra_range_ok(*w, index, size)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG old32 = 0, new32 = static_cast<LONG>(value);
        std::memcpy(&old32, w->extra.data() + index, sizeof(old32));
        std::memcpy(w->extra.data() + index, &new32, sizeof(new32));
        return old32;
    }
    std::memcpy(&old, w->extra.data() + index, sizeof(old));
    std::memcpy(w->extra.data() + index, &value, sizeof(value));
    return old;
}

} // namespace
} // namespace lv::window

using namespace lv::window;

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    return read_long(hwnd, index, sizeof(LONG_PTR));
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return write_long(hwnd, index, value, sizeof(LONG_PTR));
}

// The 32-bit forms cannot carry a pointer on this 64-bit platform: such a value fails cleanly.
LONG GetWindowLongA(HWND hwnd, int index) {
    LONG_PTR value = read_long(hwnd, index, sizeof(LONG));
    if (is_pointer_index(index) && !fits_in_long(value)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(value);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    LONG_PTR old = write_long(hwnd, index, value, sizeof(LONG));
    return fits_in_long(old) ? static_cast<LONG>(old) : 0;
}

WORD GetWindowWord(HWND hwnd, int index) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return 0;
    if (!extra_range_ok(*w, index, sizeof(WORD))) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    WORD value = 0;
    std::memcpy(&value, w->extra.data() + index, sizeof(value));
    return value;
}

WORD SetWindowWord(HWND hwnd, int index, WORD value) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return 0;
    if (!extra_range_ok(*w, index, sizeof(WORD))) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    WORD old = 0;
    std::memcpy(&old, w->extra.data() + index, sizeof(old));
    std::memcpy(w->extra.data() + index, &value, sizeof(value));
    return old;
}

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return FALSE;
    std::string key = property_key(name);
    for (auto& p : w->props) {
        if (p.name == key) {
            p.data = data;
            return TRUE;
        }
    }
    w->props.push_back(WindowProperty{key, data});
    return TRUE;
}

HANDLE GetPropA(HWND hwnd, LPCSTR name) {
    if (!name)
        return nullptr;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return nullptr;
    std::string key = property_key(name);
    for (const auto& p : w->props)
        if (p.name == key)
            return p.data;
    return nullptr;
}

HANDLE RemovePropA(HWND hwnd, LPCSTR name) {
    if (!name)
        return nullptr;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return nullptr;
    std::string key = property_key(name);
    auto it = std::find_if(w->props.begin(), w->props.end(),
                           [&](const WindowProperty& p) { return p.name == key; });
    if (it == w->props.end())
        return nullptr;
    HANDLE data = it->data;
    w->props.erase(it);
    return data;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

namespace {

// Another thread's window answers from the stored text, without a message, as the platform does.
bool read_text_directly(HWND hwnd, std::string& out) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return true;
    if (w->thread == current_thread_id())
        return false;
    out = w->text;
    return true;
}

} // namespace

int GetWindowTextA(HWND hwnd, LPSTR text, int maxCount) {
    if (!text || maxCount <= 0)
        return 0;
    std::string direct;
    if (read_text_directly(hwnd, direct)) {
        size_t n = std::min(direct.size(), static_cast<size_t>(maxCount - 1));
        std::memcpy(text, direct.data(), n);
        text[n] = '\0';
        return static_cast<int>(n);
    }
    text[0] = '\0';
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                         reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND hwnd) {
    std::string direct;
    if (read_text_directly(hwnd, direct))
        return static_cast<int>(direct.size());
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc)
        return 0;
    return proc(hwnd, msg, wParam, lParam);
}
