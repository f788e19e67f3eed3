// DefWindowProc's way into the menus: Alt or F10 alone highlights the menu bar, Alt with a
// letter opens the title of that mnemonic, Alt+Space the system menu, and a click on the bar or
// the window icon opens the menu under it.
#include "menu/menu_bar.h"
#include "menu/menu_loop.h"
#include "menu/menu_metrics.h"
#include "window/menu_port.h"
#include "window/nonclient_geometry.h"

#include <cctype>

namespace lv::menu {
namespace {

// The window that saw Alt or F10 go down with nothing else after it; its release opens the bar.
thread_local HWND t_armed_window = nullptr;
thread_local WPARAM t_armed_key = 0;

constexpr LPARAM kPreviouslyDown = 1 << 30;

// The system menu drops from the window's top-left corner, below the caption.
void show_system_menu(HWND hwnd) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu)
        return;
    RECT r{};
    GetWindowRect(hwnd, &r);
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    DWORD ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    window::FrameLayout f =
        window::frame_layout(style, ex_style, SIZE{r.right - r.left, r.bottom - r.top});
    int below = f.has_caption ? f.caption.bottom + 1 : f.border;
    PopupRequest request;
    request.menu = menu;
    request.owner = hwnd;
    request.at = POINT{r.left + f.border, r.top + below};
    request.system_menu = true;
    track_popup(request);
}

int title_of_mnemonic(const BarGeometry& bar, char ch) {
    for (size_t i = 0; i < bar.items.size(); ++i)
        if (!bar.items[i].separator() && mnemonic_of(bar.items[i].text) == ch)
            return static_cast<int>(i);
    return -1;
}

void key_menu(HWND hwnd, LPARAM character) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    auto ch = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    if (ch == ' ' && (style & WS_SYSMENU)) {
        show_system_menu(hwnd);
        return;
    }
    if (style & WS_CHILD) {
        HWND root = GetAncestor(hwnd, GA_ROOT);
        if (root && root != hwnd)
            SendMessageA(root, WM_SYSCOMMAND, SC_KEYMENU, character);
        return;
    }
    auto bar = bar_geometry(hwnd);
    if (!bar || bar->items.empty())
        return;
    if (ch == 0) {
        track_bar(BarRequest{hwnd, 0, false, false});
        return;
    }
    int title = title_of_mnemonic(*bar, ch);
    if (title >= 0)
        track_bar(BarRequest{hwnd, title, true, false});
}

void mouse_menu(HWND hwnd, WPARAM command, LPARAM point) {
    if ((command & 0x000F) == HTSYSMENU) {
        show_system_menu(hwnd);
        return;
    }
    auto bar = bar_geometry(hwnd);
    if (!bar)
        return;
    int title = bar_item_at(hwnd, *bar, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
    if (title >= 0)
        track_bar(BarRequest{hwnd, title, true, true});
}

} // namespace
} // namespace lv::menu

namespace lv::window::menu_port {

void system_command(HWND hwnd, WPARAM command, LPARAM lParam) {
    if (lv::menu::loop_running())
        return;
    if ((command & 0xFFF0) == SC_MOUSEMENU)
        lv::menu::mouse_menu(hwnd, command, lParam);
    else
        lv::menu::key_menu(hwnd, lParam);
}

void system_key(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    using lv::menu::t_armed_key;
    using lv::menu::t_armed_window;
    switch (msg) {
    case WM_SYSKEYDOWN:
        if (wParam == VK_MENU || wParam == VK_F10) {
            if (!(lParam & lv::menu::kPreviouslyDown)) {
                t_armed_window = hwnd;
                t_armed_key = wParam;
            }
            return;
        }
        t_armed_window = nullptr;
        return;
    case WM_SYSKEYUP:
        if (t_armed_window == hwnd && wParam == t_armed_key) {
            t_armed_window = nullptr;
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return;
    case WM_SYSCHAR:
        t_armed_window = nullptr;
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU,
                     static_cast<LPARAM>(static_cast<unsigned char>(wParam)));
        return;
    default:
        return;
    }
}

} // namespace lv::window::menu_port
