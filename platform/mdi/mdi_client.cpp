#include "mdi/mdi_client.h"

#include "win32/menu.h"
#include "window/nonclient_paint.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace lv::mdi {
namespace {

constexpr int kStateIndex = 0;

struct ClientState {
    UINT first_child_id = 0;
    HWND active = nullptr;
    // While a child is maximised: the frame menu that carries its buttons, and the frame's
    // own title.
    HWND maximized = nullptr;
    HMENU buttons_in = nullptr;
    std::string frame_title;
    bool title_saved = false;
};

ClientState* state_of(HWND client) {
    if (!IsWindow(client))
        return nullptr;
    return reinterpret_cast<ClientState*>(GetWindowLongPtrA(client, kStateIndex));
}

bool is_mdi_child(HWND hwnd) {
    return IsWindow(hwnd) && (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

// The children in z-order, topmost first.
std::vector<HWND> children_of(HWND client) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (is_mdi_child(c))
            out.push_back(c);
    return out;
}

RECT client_area(HWND client) {
    RECT r{};
    GetClientRect(client, &r);
    return r;
}

std::string text_of(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

// Sets the frame's text without going through its procedure (which would take it as the
// frame's own title), then lets the frame paint its caption through its own WM_NCPAINT: a
// frame that draws its own caption never shows the default one in between.
void show_frame_title(HWND frame, const std::string& text) {
    lv::window::set_text_unpainted(frame, text.c_str());
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void show_combined_title(HWND client, ClientState& s) {
    HWND frame = GetParent(client);
    if (!s.maximized || !frame)
        return;
    if (!s.title_saved) {
        s.frame_title = text_of(frame);
        s.title_saved = true;
    }
    show_frame_title(frame, s.frame_title + " - [" + text_of(s.maximized) + "]");
}

void add_menu_buttons(HWND client, ClientState& s, HWND child) {
    HWND frame = GetParent(client);
    HMENU menu = frame ? GetMenu(frame) : nullptr;
    if (!IsMenu(menu))
        return;
    HMENU system = GetSystemMenu(child, FALSE);
    if (system) {
        InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP,
                    reinterpret_cast<UINT_PTR>(system), reinterpret_cast<LPCSTR>(HBMMENU_SYSTEM));
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(child);
        SetMenuItemInfoA(menu, 0, TRUE, &info);
    }
    AppendMenuA(menu, MF_BITMAP | MF_RIGHTJUSTIFY, SC_MINIMIZE,
                reinterpret_cast<LPCSTR>(HBMMENU_MBAR_MINIMIZE));
    AppendMenuA(menu, MF_BITMAP, SC_RESTORE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_RESTORE));
    AppendMenuA(menu, MF_BITMAP, SC_CLOSE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_CLOSE));
    s.buttons_in = menu;
    DrawMenuBar(frame);
}

// Takes out exactly what add_menu_buttons put in: the icon item at position 0 (its submenu, the
// child's system menu, stays the child's) and the three buttons at the end.
void remove_menu_buttons(HWND client, ClientState& s) {
    HMENU menu = s.buttons_in;
    s.buttons_in = nullptr;
    if (!IsMenu(menu))
        return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (GetMenuItemInfoA(menu, 0, TRUE, &info) && (info.fType & MFT_BITMAP) && info.hSubMenu)
        RemoveMenu(menu, 0, MF_BYPOSITION);
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        info.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) ||
            !(info.fType & MFT_BITMAP))
            break;
        if (info.wID != SC_MINIMIZE && info.wID != SC_RESTORE && info.wID != SC_CLOSE)
            break;
        RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    HWND frame = GetParent(client);
    if (frame && GetMenu(frame) == menu)
        DrawMenuBar(frame);
}

HWND create_child(HWND client, const MDICREATESTRUCTA* create) {
    ClientState* s = state_of(client);
    if (!s || !create)
        return nullptr;
    // A new child opens maximised when the active one is.
    HWND was_maximized = s->maximized;
    DWORD style = create->style;
    if (!(GetWindowLongA(client, GWL_STYLE) & MDIS_ALLCHILDSTYLES))
        style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_CAPTION | WS_THICKFRAME |
                 WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    style = (style | WS_CHILD | WS_VISIBLE) & ~(WS_POPUP | WS_MAXIMIZE);
    int x = create->x, y = create->y, cx = create->cx, cy = create->cy;
    RECT area = client_area(client);
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    int count = static_cast<int>(children_of(client).size());
    if (x == CW_USEDEFAULT) {
        x = (count % 8) * step;
        y = x;
    }
    if (cx == CW_USEDEFAULT) {
        cx = std::max(100, static_cast<int>(area.right) * 3 / 4);
        cy = std::max(60, static_cast<int>(area.bottom) * 3 / 4);
    }
    UINT id = s->first_child_id + static_cast<UINT>(count);
    HWND child = CreateWindowExA(WS_EX_MDICHILD, create->szClass, create->szTitle, style, x, y, cx,
                                 cy, client, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 static_cast<HINSTANCE>(create->hOwner),
                                 const_cast<MDICREATESTRUCTA*>(create));
    if (!child)
        return nullptr;
    activate_child(client, child);
    if ((create->style & WS_MAXIMIZE) || (was_maximized && was_maximized != child))
        ShowWindow(child, SW_SHOWMAXIMIZED);
    return child;
}

void destroy_child(HWND client, HWND child) {
    if (!is_mdi_child(child) || GetParent(child) != client)
        return;
    DestroyWindow(child);
}

void next_child(HWND client, HWND from, bool previous) {
    std::vector<HWND> children = children_of(client);
    if (children.size() < 2)
        return;
    ClientState* s = state_of(client);
    if (!from && s)
        from = s->active;
    HWND target = previous ? children.back() : children[1];
    if (from != children.front()) {
        auto at = std::find(children.begin(), children.end(), from);
        if (at == children.end())
            return;
        target = previous ? (at == children.begin() ? children.back() : *(at - 1))
                          : (at + 1 == children.end() ? children.front() : *(at + 1));
    }
    activate_child(client, target);
    // Going forward sends the old child to the back, so that repeated steps visit them all.
    if (!previous && IsWindow(from))
        SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The children that take part in tiling and cascading: visible and not minimised.
std::vector<HWND> arrangeable(HWND client, UINT flags) {
    std::vector<HWND> out;
    for (HWND c : children_of(client)) {
        if (!IsWindowVisible(c) || IsIconic(c))
            continue;
        if ((flags & MDITILE_SKIPDISABLED) && !IsWindowEnabled(c))
            continue;
        out.push_back(c);
    }
    return out;
}

LRESULT tile(HWND client, UINT flags) {
    if (ClientState* s = state_of(client); s && s->maximized)
        ShowWindow(s->maximized, SW_RESTORE);
    std::vector<HWND> children = arrangeable(client, flags);
    if (children.empty())
        return FALSE;
    RECT area = client_area(client);
    int n = static_cast<int>(children.size());
    bool rows = (flags & MDITILE_HORIZONTAL) != 0;
    int extent = rows ? area.bottom / n : area.right / n;
    for (int i = 0; i < n; ++i) {
        int start = i * extent;
        int end = i + 1 == n ? (rows ? area.bottom : area.right) : start + extent;
        if (rows)
            MoveWindow(children[static_cast<size_t>(i)], 0, start, area.right, end - start, TRUE);
        else
            MoveWindow(children[static_cast<size_t>(i)], start, 0, end - start, area.bottom, TRUE);
    }
    return TRUE;
}

LRESULT cascade(HWND client, UINT flags) {
    if (ClientState* s = state_of(client); s && s->maximized)
        ShowWindow(s->maximized, SW_RESTORE);
    std::vector<HWND> children = arrangeable(client, flags);
    if (children.empty())
        return FALSE;
    RECT area = client_area(client);
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    int n = static_cast<int>(children.size());
    int cx = std::max(100, static_cast<int>(area.right) - (n - 1) * step);
    int cy = std::max(60, static_cast<int>(area.bottom) - (n - 1) * step);
    // The bottom child goes first, so that the active (top) one ends in front.
    for (int i = 0; i < n; ++i) {
        HWND c = children[static_cast<size_t>(n - 1 - i)];
        SetWindowPos(c, HWND_TOP, i * step, i * step, cx, cy, SWP_NOACTIVATE);
    }
    return TRUE;
}

void activate_from_click(HWND client, POINT at) {
    HWND child = ChildWindowFromPoint(client, at);
    if (is_mdi_child(child))
        activate_child(client, child);
}

LRESULT CALLBACK client_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE: {
        auto* state = new ClientState;
        SetWindowLongPtrA(hwnd, kStateIndex, reinterpret_cast<LONG_PTR>(state));
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (cs && cs->lpCreateParams)
            state->first_child_id =
                static_cast<CLIENTCREATESTRUCT*>(cs->lpCreateParams)->idFirstChild;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
        delete state_of(hwnd);
        SetWindowLongPtrA(hwnd, kStateIndex, 0);
        return 0;
    case WM_DESTROY:
        if (ClientState* s = state_of(hwnd); s && s->maximized)
            child_left_maximized(hwnd, s->maximized);
        return 0;
    case WM_MDICREATE:
        return reinterpret_cast<LRESULT>(
            create_child(hwnd, reinterpret_cast<const MDICREATESTRUCTA*>(lParam)));
    case WM_MDIDESTROY:
        destroy_child(hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIACTIVATE:
        if (is_mdi_child(reinterpret_cast<HWND>(wParam)))
            activate_child(hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIGETACTIVE: {
        ClientState* s = state_of(hwnd);
        HWND active = s ? s->active : nullptr;
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = active && IsZoomed(active) ? TRUE : FALSE;
        return reinterpret_cast<LRESULT>(active);
    }
    case WM_MDIMAXIMIZE:
        if (is_mdi_child(reinterpret_cast<HWND>(wParam)))
            ShowWindow(reinterpret_cast<HWND>(wParam), SW_SHOWMAXIMIZED);
        return 0;
    case WM_MDIRESTORE:
        if (is_mdi_child(reinterpret_cast<HWND>(wParam)))
            ShowWindow(reinterpret_cast<HWND>(wParam), SW_RESTORE);
        return 0;
    case WM_MDINEXT:
        next_child(hwnd, reinterpret_cast<HWND>(wParam), lParam != 0);
        return 0;
    case WM_MDITILE:
        return tile(hwnd, static_cast<UINT>(wParam));
    case WM_MDICASCADE:
        return cascade(hwnd, static_cast<UINT>(wParam));
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN ||
            LOWORD(wParam) == WM_MBUTTONDOWN)
            activate_from_click(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SETFOCUS:
        if (ClientState* s = state_of(hwnd); s && s->active && IsWindow(s->active))
            SetFocus(s->active);
        return 0;
    case WM_SIZE:
        // A maximised child keeps filling the client area.
        if (ClientState* s = state_of(hwnd); s && s->maximized)
            ShowWindow(s->maximized, SW_SHOWMAXIMIZED);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_mdi_client_class() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = client_proc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_APPWORKSPACE + 1));
        wc.lpszClassName = MDICLIENT_CLASS;
        RegisterClassExA(&wc);
    });
}

HWND client_of(HWND child) {
    if (!is_mdi_child(child))
        return nullptr;
    HWND parent = GetParent(child);
    return state_of(parent) ? parent : nullptr;
}

HWND active_child(HWND client) {
    ClientState* s = state_of(client);
    return s ? s->active : nullptr;
}

HWND maximized_child(HWND client) {
    ClientState* s = state_of(client);
    return s ? s->maximized : nullptr;
}

void activate_child(HWND client, HWND child) {
    ClientState* s = state_of(client);
    if (!s || !is_mdi_child(child))
        return;
    HWND old = s->active;
    if (old == child) {
        SetFocus(child);
        return;
    }
    bool hand_on_maximized = old && IsWindow(old) && IsZoomed(old);
    if (hand_on_maximized)
        ShowWindow(old, SW_RESTORE);
    s->active = child;
    if (old && IsWindow(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old),
                     reinterpret_cast<LPARAM>(child));
    }
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(child, WM_NCACTIVATE, TRUE, 0);
    SendMessageA(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old),
                 reinterpret_cast<LPARAM>(child));
    if (hand_on_maximized)
        ShowWindow(child, SW_SHOWMAXIMIZED);
    SetFocus(child);
}

void child_maximized(HWND client, HWND child) {
    ClientState* s = state_of(client);
    if (!s || s->maximized == child)
        return;
    if (s->maximized)
        child_left_maximized(client, s->maximized);
    s->maximized = child;
    add_menu_buttons(client, *s, child);
    show_combined_title(client, *s);
}

void child_left_maximized(HWND client, HWND child) {
    ClientState* s = state_of(client);
    if (!s || s->maximized != child)
        return;
    s->maximized = nullptr;
    remove_menu_buttons(client, *s);
    if (s->title_saved) {
        if (HWND frame = GetParent(client))
            show_frame_title(frame, s->frame_title);
        s->title_saved = false;
    }
}

void child_destroyed(HWND client, HWND child) {
    ClientState* s = state_of(client);
    if (!s)
        return;
    bool was_maximized = s->maximized == child;
    if (was_maximized)
        child_left_maximized(client, child);
    if (s->active != child)
        return;
    s->active = nullptr;
    for (HWND next : children_of(client)) {
        if (next == child)
            continue;
        activate_child(client, next);
        if (was_maximized)
            ShowWindow(next, SW_SHOWMAXIMIZED);
        return;
    }
}

void frame_title_changed(HWND client, const char* title) {
    ClientState* s = state_of(client);
    if (!s)
        return;
    s->frame_title = title ? title : "";
    s->title_saved = true;
    show_combined_title(client, *s);
}

void child_title_changed(HWND client, HWND child) {
    ClientState* s = state_of(client);
    if (s && s->maximized == child)
        show_combined_title(client, *s);
}

} // namespace lv::mdi
