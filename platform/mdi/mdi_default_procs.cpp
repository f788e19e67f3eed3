// DefFrameProc and DefMDIChildProc: what frame and child windows of an MDI program pass on, and
// the MDI keys Ctrl+F4 and Ctrl+F6.
#include "mdi/mdi_client.h"

#include "win32/menu.h"
#include "window/nonclient_geometry.h"

#include <cstring>

namespace lv::mdi {
namespace {

// GetClassName gives the name as the class was registered.
bool is_client(HWND client) {
    char name[32] = {};
    return client && GetClassNameA(client, name, sizeof(name)) &&
           std::strcmp(name, MDICLIENT_CLASS) == 0;
}

// Maximised, a child's frame lies outside the client area: only its client area shows.
void hide_frame_when_maximized(HWND child, MINMAXINFO* info) {
    HWND client = GetParent(child);
    if (!info || !client)
        return;
    RECT area{};
    GetClientRect(client, &area);
    DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    DWORD ex_style = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    window::FrameLayout f = window::frame_layout(style & ~(WS_MAXIMIZE | WS_MINIMIZE), ex_style,
                                                 SIZE{area.right, area.bottom});
    info->ptMaxPosition = POINT{-f.insets.left, -f.insets.top};
    info->ptMaxSize = POINT{area.right + f.insets.left + f.insets.right,
                            area.bottom + f.insets.top + f.insets.bottom};
}

} // namespace
} // namespace lv::mdi

using namespace lv::mdi;

LRESULT DefFrameProcA(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!is_client(client))
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND: {
        // The maximised child's buttons and system menu on the frame's bar carry SC_* ids.
        HWND active = active_child(client);
        if (LOWORD(wParam) >= 0xF000 && active) {
            SendMessageA(active, WM_SYSCOMMAND, LOWORD(wParam), lParam);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_SIZE:
        MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(client);
        return 0;
    case WM_SETTEXT:
        if (maximized_child(client)) {
            frame_title_changed(client, reinterpret_cast<LPCSTR>(lParam));
            return TRUE;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCACTIVATE:
        if (HWND active = active_child(client))
            SendMessageA(active, WM_NCACTIVATE, wParam, 0);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT DefMDIChildProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND client = client_of(hwnd);
    if (!client)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_GETMINMAXINFO: {
        LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        hide_frame_when_maximized(hwnd, reinterpret_cast<MINMAXINFO*>(lParam));
        return r;
    }
    case WM_SIZE:
        if (wParam == SIZE_MAXIMIZED)
            child_maximized(client, hwnd);
        else
            child_left_maximized(client, hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_NEXTWINDOW:
            SendMessageA(client, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd), 0);
            return 0;
        case SC_PREVWINDOW:
            SendMessageA(client, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd), 1);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
    case WM_CLOSE:
        SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
        return 0;
    case WM_DESTROY:
        child_destroyed(client, hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_SETFOCUS:
        if (active_child(client) != hwnd)
            activate_child(client, hwnd);
        return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        child_title_changed(client, hwnd);
        return r;
    }
    case WM_SYSCHAR:
        // Alt+minus opens the child's own system menu; other letters go to the frame's bar.
        if (wParam == '-') {
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

BOOL TranslateMDISysAccel(HWND client, LPMSG msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    HWND active = active_child(client);
    if (!active || !(GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000))
        return FALSE;
    switch (msg->wParam) {
    case VK_F4:
        SendMessageA(active, WM_SYSCOMMAND, SC_CLOSE, 0);
        return TRUE;
    case VK_F6:
        SendMessageA(active, WM_SYSCOMMAND,
                     (GetKeyState(VK_SHIFT) & 0x8000) ? SC_PREVWINDOW : SC_NEXTWINDOW, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
