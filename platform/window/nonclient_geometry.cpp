#include "window/nonclient_geometry.h"

#include <algorithm>

namespace lv::window {
namespace {

constexpr int kCornerGrip = 16;

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

int outer_border(DWORD style, DWORD ex_style) {
    if (style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME))
        return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

} // namespace

FrameLayout frame_layout(DWORD style, DWORD ex_style, SIZE size, int menu_height) {
    FrameLayout f;
    f.sizable = (style & WS_THICKFRAME) != 0;
    f.border = outer_border(style, ex_style);
    int edge = 0;
    if (ex_style & WS_EX_CLIENTEDGE)
        edge += GetSystemMetrics(SM_CXEDGE);
    if (ex_style & WS_EX_STATICEDGE)
        edge += GetSystemMetrics(SM_CXBORDER);
    f.insets = RECT{f.border + edge, f.border + edge, f.border + edge, f.border + edge};

    f.has_caption = (style & WS_CAPTION) == WS_CAPTION;
    if (f.has_caption) {
        bool tool = (ex_style & WS_EX_TOOLWINDOW) != 0;
        int height = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
        f.caption = RECT{f.border, f.border, size.cx - f.border, f.border + height - 1};
        f.insets.top += height;
        int button_h = height - 5;
        int button_w = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
        int top = f.caption.top + 2;
        int right = f.caption.right - 2;
        if (style & WS_SYSMENU) {
            f.close = RECT{right - button_w, top, right, top + button_h};
            right = f.close.left - 2;
            if (!tool) {
                f.sys_menu = RECT{f.caption.left + 1, f.caption.top + 1, f.caption.left + 1 + 16,
                                  f.caption.top + 1 + std::min(16, height - 2)};
            }
            if (!tool && (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
                f.maximize = RECT{right - button_w, top, right, top + button_h};
                f.minimize = RECT{f.maximize.left - button_w, top, f.maximize.left, top + button_h};
            }
        }
    }
    if (menu_height > 0) {
        int top = f.insets.top - edge; // a client edge lies below the menu bar
        f.menu = RECT{f.border, top, size.cx - f.border, top + menu_height};
        f.insets.top += menu_height;
    }
    int client_right = size.cx - f.insets.right;
    int client_bottom = size.cy - f.insets.bottom;
    if (style & WS_VSCROLL) {
        int w = GetSystemMetrics(SM_CXVSCROLL);
        f.insets.right += w;
        f.vscroll = RECT{client_right - w, f.insets.top, client_right, client_bottom};
    }
    if (style & WS_HSCROLL) {
        int h = GetSystemMetrics(SM_CYHSCROLL);
        f.insets.bottom += h;
        f.hscroll = RECT{f.insets.left, client_bottom - h, size.cx - f.insets.right, client_bottom};
        if (style & WS_VSCROLL)
            f.vscroll.bottom -= h;
    }
    return f;
}

RECT client_for(DWORD style, DWORD ex_style, const RECT& window, int menu_height) {
    SIZE size{window.right - window.left, window.bottom - window.top};
    FrameLayout f = frame_layout(style, ex_style, size, menu_height);
    RECT c{window.left + f.insets.left, window.top + f.insets.top, window.right - f.insets.right,
           window.bottom - f.insets.bottom};
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

LRESULT default_hit_test(DWORD style, DWORD ex_style, SIZE size, POINT at, int menu_height) {
    if (at.x < 0 || at.y < 0 || at.x >= size.cx || at.y >= size.cy)
        return HTNOWHERE;
    FrameLayout f = frame_layout(style, ex_style, size, menu_height);
    RECT client{f.insets.left, f.insets.top, size.cx - f.insets.right, size.cy - f.insets.bottom};
    if (contains(client, at))
        return HTCLIENT;
    bool maximized = (style & WS_MAXIMIZE) != 0;
    if (f.border > 0 && (at.x < f.border || at.y < f.border || at.x >= size.cx - f.border ||
                         at.y >= size.cy - f.border)) {
        if (!f.sizable || maximized)
            return HTBORDER;
        bool left = at.x < kCornerGrip, right = at.x >= size.cx - kCornerGrip;
        bool top = at.y < kCornerGrip, bottom = at.y >= size.cy - kCornerGrip;
        if (at.y < f.border)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (at.y >= size.cy - f.border)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (at.x < f.border)
            return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (contains(f.menu, at))
        return HTMENU;
    if (f.has_caption && at.y >= f.caption.top && at.y < f.insets.top) {
        if (contains(f.close, at))
            return HTCLOSE;
        if (contains(f.maximize, at))
            return HTMAXBUTTON;
        if (contains(f.minimize, at))
            return HTMINBUTTON;
        if (contains(f.sys_menu, at))
            return HTSYSMENU;
        return HTCAPTION;
    }
    if (contains(f.vscroll, at))
        return HTVSCROLL;
    if (contains(f.hscroll, at))
        return HTHSCROLL;
    return HTBORDER;
}

} // namespace lv::window
