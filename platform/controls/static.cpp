// "Static": labels, icons, bitmaps, rectangles, frames and etched lines.
#include "controls/control_label.h"
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"
#include "win32/resources.h"

namespace lv::controls {
namespace {

struct StaticState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT image_type = IMAGE_BITMAP;
    WORD resource = 0; // the resource an icon or bitmap static was created with
    // What the control loaded for that resource and still owns: freed when it is destroyed,
    // unless STM_SETIMAGE handed it to the caller.
    HANDLE loaded = nullptr;
    UINT loaded_type = IMAGE_BITMAP;
};

DWORD kind_of(HWND hwnd) {
    return style_of(hwnd) & SS_TYPEMASK;
}

bool is_text_kind(DWORD kind) {
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
           kind == SS_LEFTNOWORDWRAP;
}

UINT text_format(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        format |= DT_LEFT | DT_SINGLELINE;
        break;
    default:
        format |= DT_LEFT | DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if ((style & SS_ELLIPSISMASK) == SS_ENDELLIPSIS)
        format |= DT_END_ELLIPSIS;
    return format;
}

void paint_text(HWND hwnd, HDC dc, const RECT& client, const StaticState& s) {
    HBRUSH brush = parent_brush(hwnd, dc, WM_CTLCOLORSTATIC);
    if (brush)
        FillRect(dc, &client, brush);
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const std::string text = text_of(hwnd);
    RECT r = client;
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, text_format(style_of(hwnd)));
    SelectObject(dc, old);
}

SIZE image_size(const StaticState& s) {
    if (s.image_type == IMAGE_ICON)
        return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    BITMAP info{};
    if (!GetObjectA(s.image, sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void paint_image(HWND hwnd, HDC dc, const RECT& client, const StaticState& s) {
    HBRUSH brush = parent_brush(hwnd, dc, WM_CTLCOLORSTATIC);
    if (brush && !(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
        FillRect(dc, &client, brush);
    if (!s.image)
        return;
    const SIZE size = image_size(s);
    POINT at{client.left, client.top};
    if (style_of(hwnd) & SS_CENTERIMAGE)
        at = POINT{(client.left + client.right - size.cx) / 2,
                   (client.top + client.bottom - size.cy) / 2};
    if (s.image_type == IMAGE_ICON) {
        DrawIconEx(dc, at.x, at.y, static_cast<HICON>(s.image), size.cx, size.cy, 0, nullptr,
                   DI_NORMAL);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, s.image);
    BitBlt(dc, at.x, at.y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void paint_shape(HWND hwnd, HDC dc, RECT client) {
    switch (kind_of(hwnd)) {
    case SS_BLACKRECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DDKSHADOW));
        return;
    case SS_GRAYRECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DSHADOW));
        return;
    case SS_WHITERECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DHILIGHT));
        return;
    case SS_BLACKFRAME:
        FrameRect(dc, &client, GetSysColorBrush(COLOR_3DDKSHADOW));
        return;
    case SS_GRAYFRAME:
        FrameRect(dc, &client, GetSysColorBrush(COLOR_3DSHADOW));
        return;
    case SS_WHITEFRAME:
        FrameRect(dc, &client, GetSysColorBrush(COLOR_3DHILIGHT));
        return;
    case SS_ETCHEDHORZ:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP);
        return;
    case SS_ETCHEDVERT:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_LEFT);
        return;
    case SS_ETCHEDFRAME:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
        return;
    default:
        return;
    }
}

void paint_owner_drawn(HWND hwnd, HDC dc, const RECT& client) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = client;
    if (HWND parent = parent_of(hwnd))
        SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void paint(HWND hwnd, HDC dc, const StaticState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    switch (kind_of(hwnd)) {
    case SS_ICON:
    case SS_BITMAP:
        paint_image(hwnd, dc, client, s);
        break;
    case SS_OWNERDRAW:
        paint_owner_drawn(hwnd, dc, client);
        break;
    default:
        if (is_text_kind(kind_of(hwnd)))
            paint_text(hwnd, dc, client, s);
        else
            paint_shape(hwnd, dc, client);
        break;
    }
    if (style_of(hwnd) & SS_SUNKEN)
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}

// An icon or bitmap static takes the size of its picture, unless it centres it or keeps its
// own size.
void fit_to_image(HWND hwnd, const StaticState& s) {
    const DWORD kind = kind_of(hwnd);
    if (!s.image || (kind != SS_BITMAP && kind != SS_ICON) ||
        (style_of(hwnd) & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)))
        return;
    const SIZE size = image_size(s);
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int frame_x = (window.right - window.left) - client.right;
    const int frame_y = (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx + frame_x, size.cy + frame_y,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT on_nc_create(HWND hwnd, StaticState& s, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs && cs->lpszName && IS_INTRESOURCE(cs->lpszName))
        s.resource = LOWORD(reinterpret_cast<ULONG_PTR>(cs->lpszName));
    return DefWindowProcA(hwnd, WM_NCCREATE, 0, lParam);
}

// A template's "#<id>" names the picture of an icon or bitmap static, in the module that
// creates the control. A missing one leaves the static empty.
LRESULT on_create(HWND hwnd, StaticState& s, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const DWORD kind = kind_of(hwnd);
    if (!cs || !s.resource || (kind != SS_BITMAP && kind != SS_ICON))
        return 0;
    const UINT type = kind == SS_BITMAP ? IMAGE_BITMAP : IMAGE_ICON;
    HANDLE image = nullptr;
    if (type == IMAGE_BITMAP)
        image = LoadBitmapA(cs->hInstance, MAKEINTRESOURCE(s.resource));
    else
        image = LoadIconA(cs->hInstance, MAKEINTRESOURCE(s.resource));
    if (!image)
        return 0;
    s.image = s.loaded = image;
    s.image_type = s.loaded_type = type;
    fit_to_image(hwnd, s);
    return 0;
}

void free_loaded(StaticState& s) {
    if (!s.loaded)
        return;
    if (s.loaded_type == IMAGE_ICON)
        DestroyIcon(static_cast<HICON>(s.loaded));
    else
        DeleteObject(s.loaded);
    s.loaded = nullptr;
}

LRESULT set_image(HWND hwnd, StaticState& s, UINT type, HANDLE image) {
    HANDLE old = s.image_type == type ? s.image : nullptr;
    if (old && old == s.loaded)
        s.loaded = nullptr; // the caller owns what it gets back
    s.image = image;
    s.image_type = type;
    fit_to_image(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT hit_test(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (!(style_of(hwnd) & SS_NOTIFY))
        return HTTRANSPARENT;
    return DefWindowProcA(hwnd, WM_NCHITTEST, wParam, lParam);
}

LRESULT CALLBACK static_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<StaticState>(hwnd);
    StaticState* s = state_of<StaticState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        return on_nc_create(hwnd, *s, lParam);
    case WM_CREATE:
        return on_create(hwnd, *s, lParam);
    case WM_NCDESTROY:
        free_loaded(*s);
        destroy_state<StaticState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return hit_test(hwnd, wParam, lParam);
    case WM_LBUTTONDOWN:
        notify_parent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        notify_parent(hwnd, STN_DBLCLK);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        if (msg == WM_ENABLE && (style_of(hwnd) & SS_NOTIFY))
            notify_parent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        return msg == WM_SETTEXT ? result : 0;
    }
    case STM_SETICON:
        return set_image(hwnd, *s, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
    case STM_GETICON:
        return s->image_type == IMAGE_ICON ? reinterpret_cast<LRESULT>(s->image) : 0;
    case STM_SETIMAGE:
        if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON)
            return 0;
        return set_image(hwnd, *s, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
    case STM_GETIMAGE:
        return s->image_type == wParam ? reinterpret_cast<LRESULT>(s->image) : 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

bool static_label(HWND hwnd, ControlLabel& label) {
    if (!is_text_kind(kind_of(hwnd)))
        return false;
    label.text = text_of(hwnd);
    if (label.text.empty())
        return false;
    GetClientRect(hwnd, &label.area);
    label.format = text_format(style_of(hwnd));
    label.font = font_or_default(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    return true;
}

void register_static_class() {
    register_system_class(WC_STATICA, static_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
