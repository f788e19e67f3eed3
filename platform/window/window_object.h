// The window manager's own records of classes and windows. Guarded by the tree lock.
#pragma once

#include "win32/window.h"
#include "window/window_scroll_bars.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lv::window {

struct PaintState;

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int cls_extra = 0;
    int wnd_extra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON icon_small = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menu_name;
    LPCSTR menu_resource = nullptr; // integer resource id, or menu_name.c_str()
    std::vector<unsigned char> extra;
    int window_count = 0;
    bool registered = true;
};

struct WindowProperty {
    std::string name; // upper-cased; atoms as "#<n>"
    HANDLE data = nullptr;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    DWORD thread = 0;
    DWORD style = 0;
    DWORD ex_style = 0;
    LONG_PTR id = 0; // child id, or the menu handle of a top-level window
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    LONG_PTR user_data = 0;
    std::vector<unsigned char> extra;
    std::string text;
    std::vector<WindowProperty> props;
    HICON icon_small = nullptr;
    HICON icon_big = nullptr;

    Window* parent = nullptr; // the desktop for top-level windows
    Window* owner = nullptr;
    HWND last_active_popup = nullptr; // of a window that no other owns: what it or its owned
                                      // windows last had active
    std::vector<Window*> children; // z-order, topmost first

    RECT rect{};   // window rectangle in the parent's client coordinates (screen for top-levels)
    RECT client{}; // client rectangle relative to the window rectangle's top-left corner
    RECT normal_rect{};
    POINT min_position{-1, -1};
    POINT max_position{-1, -1};

    bool creating = true;
    bool destroying = false;
    bool destroyed = false;
    bool nc_created = false;
    bool nc_active = false; // as the last WM_NCACTIVATE left it
    int redraw_disabled = 0;
    WindowScrollBars scroll_bars{};
    WORD ui_state = 0; // UISF_* bits

    std::unique_ptr<PaintState> paint; // owned by the painting part

    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
};

using WindowPtr = std::shared_ptr<Window>;

} // namespace lv::window
