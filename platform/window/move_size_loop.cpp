#include "window/move_size_loop.h"

#include <algorithm>

namespace lv::window {
namespace {

// Low four bits of SC_SIZE: which edge moves (WMSZ_LEFT = 1 ... WMSZ_BOTTOMRIGHT = 8).
constexpr WPARAM kSizeLeft = 1, kSizeRight = 2, kSizeTop = 3, kSizeTopLeft = 4, kSizeTopRight = 5,
                 kSizeBottom = 6, kSizeBottomLeft = 7, kSizeBottomRight = 8;

RECT in_parent_coordinates(HWND hwnd, RECT screen) {
    HWND parent = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
    if (parent)
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&screen), 2);
    return screen;
}

RECT sized(RECT r, WPARAM edge, LONG dx, LONG dy) {
    bool left = edge == kSizeLeft || edge == kSizeTopLeft || edge == kSizeBottomLeft;
    bool right = edge == kSizeRight || edge == kSizeTopRight || edge == kSizeBottomRight;
    bool top = edge == kSizeTop || edge == kSizeTopLeft || edge == kSizeTopRight;
    bool bottom = edge == kSizeBottom || edge == kSizeBottomLeft || edge == kSizeBottomRight;
    if (left)
        r.left = std::min(r.left + dx, r.right - 1);
    if (right)
        r.right = std::max(r.right + dx, r.left + 1);
    if (top)
        r.top = std::min(r.top + dy, r.bottom - 1);
    if (bottom)
        r.bottom = std::max(r.bottom + dy, r.top + 1);
    return r;
}

} // namespace

void run_move_size_loop(HWND hwnd, WPARAM command, LPARAM start_point) {
    bool moving = (command & 0xFFF0) == SC_MOVE;
    WPARAM edge = command & 0x000F;
    RECT start{};
    GetWindowRect(hwnd, &start);
    // The drag starts where the button went down, not where the cursor is by now.
    DWORD pos = start_point ? static_cast<DWORD>(start_point) : GetMessagePos();
    POINT anchor{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    SetCapture(hwnd);
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    MSG msg{};
    for (;;) {
        if (GetCapture() != hwnd || !IsWindow(hwnd))
            break;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            if (msg.message == WM_QUIT)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            RECT r = in_parent_coordinates(hwnd, start);
            SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message != WM_MOUSEMOVE) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        LONG dx = msg.pt.x - anchor.x, dy = msg.pt.y - anchor.y;
        RECT target =
            moving ? RECT{start.left + dx, start.top + dy, start.right + dx, start.bottom + dy}
                   : sized(start, edge, dx, dy);
        RECT r = in_parent_coordinates(hwnd, target);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool track_caption_button(HWND hwnd, LRESULT hit) {
    SetCapture(hwnd);
    MSG msg{};
    bool released_over = false;
    for (;;) {
        if (GetCapture() != hwnd || !IsWindow(hwnd))
            break;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            if (msg.message == WM_QUIT)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            LRESULT at = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
            released_over = at == hit;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return released_over && IsWindow(hwnd);
}

} // namespace lv::window
