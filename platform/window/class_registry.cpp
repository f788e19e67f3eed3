#include "window/class_registry.h"

#include "win32/errors.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace lv::window {
namespace {

bool matches(const WindowClass& c, LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return names_equal(c.name, name);
}

ATOM register_class(const WNDCLASSEXA& wc) {
    if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
        wc.cbClsExtra > 40 || wc.cbWndExtra > 4096 ||
        (!IS_INTRESOURCE(wc.lpszClassName) && !*wc.lpszClassName) ||
        IS_INTRESOURCE(wc.lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = lock_tree();
    auto& t = table();
    for (const auto& c : t.classes) {
        if (!matches(*c, wc.lpszClassName))
            continue;
        if (c->instance == wc.hInstance || (c->style & CS_GLOBALCLASS) ||
            (wc.style & CS_GLOBALCLASS)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto c = std::make_shared<WindowClass>();
    c->atom = t.next_atom++;
    c->name = wc.lpszClassName;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc;
    c->cls_extra = wc.cbClsExtra;
    c->wnd_extra = wc.cbWndExtra;
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->icon_small = wc.hIconSm;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
        c->menu_name = wc.lpszMenuName;
        c->menu_resource = nullptr;
    } else {
        c->menu_resource = wc.lpszMenuName;
    }
    c->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
    t.classes.push_back(c);
    return c->atom;
}

LPCSTR menu_of(const WindowClass& c) {
    return c.menu_name.empty() ? c.menu_resource : c.menu_name.c_str();
}

void fill(const WindowClass& c, WNDCLASSEXA& wc) {
    wc.style = c.style;
    wc.lpfnWndProc = c.proc;
    wc.cbClsExtra = c.cls_extra;
    wc.cbWndExtra = c.wnd_extra;
    wc.hInstance = c.instance;
    wc.hIcon = c.icon;
    wc.hCursor = c.cursor;
    wc.hbrBackground = c.background;
    wc.lpszMenuName = menu_of(c);
    wc.lpszClassName = c.name.c_str();
    wc.hIconSm = c.icon_small;
}

Window* window_for_class_call(HWND hwnd) {
    return find_window(hwnd);
}

bool read_extra(const std::vector<unsigned char>& bytes, int index, size_t size, ULONG_PTR& out) {
    if (index < 0 || static_cast<size_t>(index) + size > bytes.size())
        return false;
    out = 0;
    std::memcpy(&out, bytes.data() + index, size);
    return true;
}

} // namespace

bool names_equal(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

std::shared_ptr<WindowClass> find_class(LPCSTR name, HINSTANCE instance) {
    if (!name)
        return nullptr;
    auto& t = table();
    std::shared_ptr<WindowClass> global, any;
    for (const auto& c : t.classes) {
        if (!matches(*c, name))
            continue;
        if (c->instance == instance)
            return c;
        if ((c->style & CS_GLOBALCLASS) && !global)
            global = c;
        if (!any)
            any = c;
    }
    return global ? global : any;
}

} // namespace lv::window

using namespace lv::window;

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                   wc->cbWndExtra,      wc->hInstance,    wc->hIcon,         wc->hCursor,
                   wc->hbrBackground,   wc->lpszMenuName, wc->lpszClassName, nullptr};
    return register_class(ex);
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return register_class(*wc);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    auto lock = lock_tree();
    auto& t = table();
    auto it = std::find_if(t.classes.begin(), t.classes.end(), [&](const auto& c) {
        return matches(*c, className) && (c->instance == instance || !instance);
    });
    if (it == t.classes.end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if ((*it)->window_count > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    (*it)->registered = false;
    t.classes.erase(it);
    return TRUE;
}

BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, WNDCLASSEXA* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = lock_tree();
    auto c = find_class(className, instance);
    if (!c) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    fill(*c, *wc);
    wc->cbSize = sizeof(WNDCLASSEXA);
    return c->atom;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    WNDCLASSEXA ex{};
    BOOL found = GetClassInfoExA(instance, className, &ex);
    if (!found)
        return FALSE;
    *wc = WNDCLASSA{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                    ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
    return found;
}

int GetClassNameA(HWND hwnd, LPSTR name, int maxCount) {
    auto lock = lock_tree();
    Window* w = window_for_class_call(hwnd);
    if (!w || !name || maxCount <= 0) {
        if (w)
            SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string& cls = w->cls->name;
    size_t n = std::min(cls.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(name, cls.data(), n);
    name[n] = '\0';
    return static_cast<int>(n);
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) {
    auto lock = lock_tree();
    Window* w = window_for_class_call(hwnd);
    if (!w)
        return 0;
    const WindowClass& c = *w->cls;
    switch (index) {
    case GCL_MENUNAME:
        return reinterpret_cast<ULONG_PTR>(menu_of(c));
    case GCL_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(c.background);
    case GCL_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCL_HICON:
        return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCL_HICONSM:
        return reinterpret_cast<ULONG_PTR>(c.icon_small);
    case GCL_HMODULE:
        return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(c.wnd_extra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(c.cls_extra);
    case GCL_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE:
        return c.style;
    case GCW_ATOM:
        return c.atom;
    default:
        break;
    }
    ULONG_PTR value = 0;
    if (!read_extra(c.extra, index, sizeof(ULONG_PTR), value))
        SetLastError(ERROR_INVALID_INDEX);
    return value;
}

DWORD GetClassLongA(HWND hwnd, int index) {
    if (index >= 0) {
        auto lock = lock_tree();
        Window* w = window_for_class_call(hwnd);
        if (!w)
            return 0;
        ULONG_PTR value = 0;
        if (!read_extra(w->cls->extra, index, sizeof(DWORD), value))
            SetLastError(ERROR_INVALID_INDEX);
        return static_cast<DWORD>(value);
    }
    return static_cast<DWORD>(GetClassLongPtrA(hwnd, index));
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    auto lock = lock_tree();
    Window* w = window_for_class_call(hwnd);
    if (!w)
        return 0;
    WindowClass& c = *w->cls;
    ULONG_PTR old = 0;
    switch (index) {
    case GCL_HBRBACKGROUND:
        old = reinterpret_cast<ULONG_PTR>(c.background);
        c.background = reinterpret_cast<HBRUSH>(value);
        return old;
    case GCL_HCURSOR:
        old = reinterpret_cast<ULONG_PTR>(c.cursor);
        c.cursor = reinterpret_cast<HCURSOR>(value);
        return old;
    case GCL_HICON:
        old = reinterpret_cast<ULONG_PTR>(c.icon);
        c.icon = reinterpret_cast<HICON>(value);
        return old;
    case GCL_HICONSM:
        old = reinterpret_cast<ULONG_PTR>(c.icon_small);
        c.icon_small = reinterpret_cast<HICON>(value);
        return old;
    case GCL_WNDPROC:
        old = reinterpret_cast<ULONG_PTR>(c.proc);
        c.proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GCL_STYLE:
        old = c.style;
        c.style = static_cast<UINT>(value);
        return old;
    default:
        break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > c.extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    std::memcpy(&old, c.extra.data() + index, sizeof(old));
    std::memcpy(c.extra.data() + index, &value, sizeof(value));
    return old;
}

DWORD SetClassLongA(HWND hwnd, int index, LONG value) {
    if (index >= 0) {
        auto lock = lock_tree();
        Window* w = window_for_class_call(hwnd);
        if (!w)
            return 0;
        auto& extra = w->cls->extra;
        if (static_cast<size_t>(index) + sizeof(LONG) > extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG old = 0;
        std::memcpy(&old, extra.data() + index, sizeof(old));
        std::memcpy(extra.data() + index, &value, sizeof(value));
        return static_cast<DWORD>(old);
    }
    return static_cast<DWORD>(SetClassLongPtrA(hwnd, index, value));
}
