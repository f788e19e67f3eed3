// "Button": push buttons, check boxes, radio buttons, group boxes and owner-drawn buttons.
#include "controls/control_label.h"
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

namespace lv::controls {
namespace {

struct ButtonState {
    WPARAM check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool tracking = false; // the mouse went down on the button and holds the capture
    bool space_down = false;
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT image_type = IMAGE_BITMAP;
    bool owner_drawn_default = false; // the dialog made this owner-drawn button its default
};

constexpr int kCheckSize = 13;

DWORD type_of(HWND hwnd) {
    return style_of(hwnd) & BS_TYPEMASK;
}

bool is_check_box(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

bool is_radio(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

LRESULT dialog_code(HWND hwnd, const ButtonState& s) {
    const DWORD type = type_of(hwnd);
    if (type == BS_OWNERDRAW)
        return DLGC_BUTTON | (s.owner_drawn_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    if (type == BS_GROUPBOX)
        return DLGC_STATIC;
    if (type == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (is_radio(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (is_check_box(type))
        return DLGC_BUTTON;
    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
}

void set_pushed(HWND hwnd, ButtonState& s, bool pushed) {
    if (s.pushed == pushed)
        return;
    s.pushed = pushed;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void set_check(HWND hwnd, ButtonState& s, WPARAM check) {
    const DWORD type = type_of(hwnd);
    if (!is_check_box(type) && !is_radio(type))
        return;
    if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
        check = BST_CHECKED;
    if (check > BST_INDETERMINATE)
        check = BST_CHECKED;
    if (s.check == check)
        return;
    s.check = check;
    InvalidateRect(hwnd, nullptr, FALSE);
}

// An auto radio button checks itself and clears the other radio buttons of its group.
void check_radio_in_group(HWND hwnd) {
    SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    for (HWND other = GetNextDlgGroupItem(parent, hwnd, FALSE); other && other != hwnd;
         other = GetNextDlgGroupItem(parent, other, FALSE)) {
        if (SendMessageA(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void clicked(HWND hwnd, ButtonState& s) {
    switch (type_of(hwnd)) {
    case BS_AUTOCHECKBOX:
        SendMessageA(hwnd, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        SendMessageA(hwnd, BM_SETCHECK, (s.check + 1) % 3, 0);
        break;
    case BS_AUTORADIOBUTTON:
        check_radio_in_group(hwnd);
        break;
    default:
        break;
    }
    notify_parent(hwnd, BN_CLICKED);
}

// ---- painting ---------------------------------------------------------------------------------

struct PaintContext {
    HWND hwnd;
    HDC dc;
    RECT client;
    DWORD style;
    bool enabled;
};

// ---- label geometry: shared by painting and control_label() -----------------------------------

constexpr int kCheckGap = 4;    // between the box and the label
constexpr int kGroupIndent = 8; // of a group box's label from its sides
constexpr UINT kPushFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kCheckFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kGroupFormat = DT_LEFT | DT_SINGLELINE;

UINT label_format(DWORD style, UINT format) {
    if (style & BS_MULTILINE)
        format = (format & ~(DT_SINGLELINE | DT_VCENTER)) | DT_WORDBREAK;
    return format;
}

// Inside the frame (and the default button's extra line), the face's content area.
RECT push_frame(const RECT& client, DWORD style) {
    RECT r = client;
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        InflateRect(&r, -1, -1);
    return r;
}

RECT push_label_area(const RECT& client, DWORD style) {
    RECT content = push_frame(client, style);
    InflateRect(&content, -2, -2);
    return content;
}

RECT check_label_area(const RECT& client, DWORD style) {
    RECT label = client;
    if (style & BS_LEFTTEXT)
        label.right -= kCheckSize + kCheckGap;
    else
        label.left += kCheckSize + kCheckGap;
    return label;
}

// The band a group box's label may take: along its top edge, inside the indents.
RECT group_label_band(const RECT& client, int text_height) {
    return RECT{client.left + kGroupIndent, client.top, client.right - kGroupIndent,
                client.top + text_height};
}

int text_height_of(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

void draw_label(const PaintContext& p, const ButtonState& s, RECT rect, UINT format) {
    format = label_format(p.style, format);
    const std::string text = text_of(p.hwnd);
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, GetSysColor(p.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(p.dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    (void)s;
}

void draw_image(const PaintContext& p, const ButtonState& s, const RECT& area) {
    if (s.image_type == IMAGE_ICON) {
        const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
        DrawIconEx(p.dc, (area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2,
                   static_cast<HICON>(s.image), w, h, 0, nullptr, DI_NORMAL);
        return;
    }
    BITMAP info{};
    if (!GetObjectA(s.image, sizeof(info), &info))
        return;
    HDC memory = CreateCompatibleDC(p.dc);
    HGDIOBJ old = SelectObject(memory, s.image);
    BitBlt(p.dc, (area.left + area.right - info.bmWidth) / 2,
           (area.top + area.bottom - info.bmHeight) / 2, info.bmWidth, info.bmHeight, memory, 0, 0,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void paint_push(const PaintContext& p, const ButtonState& s) {
    HBRUSH brush = parent_brush(p.hwnd, p.dc, WM_CTLCOLORBTN);
    FillRect(p.dc, &p.client, brush);
    if ((p.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        FrameRect(p.dc, &p.client, GetSysColorBrush(COLOR_WINDOWFRAME));
    RECT r = push_frame(p.client, p.style);
    DrawFrameControl(p.dc, &r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (s.pushed ? DFCS_PUSHED : 0) |
                         (p.enabled ? 0 : DFCS_INACTIVE));
    RECT content = push_label_area(p.client, p.style);
    if (s.pushed)
        OffsetRect(&content, 1, 1);
    if (s.image && (p.style & (BS_BITMAP | BS_ICON)))
        draw_image(p, s, content);
    else
        draw_label(p, s, content, kPushFormat);
    if (s.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(p.dc, &focus);
    }
}

void paint_check(const PaintContext& p, const ButtonState& s, bool radio) {
    HBRUSH brush = parent_brush(p.hwnd, p.dc, WM_CTLCOLORSTATIC);
    FillRect(p.dc, &p.client, brush);
    const bool box_right = (p.style & BS_LEFTTEXT) != 0;
    const int top = (p.client.top + p.client.bottom - kCheckSize) / 2;
    RECT box{box_right ? p.client.right - kCheckSize : p.client.left, top, 0, top + kCheckSize};
    box.right = box.left + kCheckSize;
    UINT kind = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (!radio && s.check == BST_INDETERMINATE)
        kind = DFCS_BUTTON3STATE;
    DrawFrameControl(p.dc, &box, DFC_BUTTON,
                     kind | (s.check != BST_UNCHECKED ? DFCS_CHECKED : 0) |
                         (s.pushed ? DFCS_PUSHED : 0) | (p.enabled ? 0 : DFCS_INACTIVE));
    const RECT label = check_label_area(p.client, p.style);
    draw_label(p, s, label, kCheckFormat);
    if (s.focused) {
        const std::string text = text_of(p.hwnd);
        RECT measured = label;
        DrawTextA(p.dc, text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        RECT focus{label.left - 1, (label.top + label.bottom - height) / 2 - 1,
                   std::min(measured.right, label.right) + 1, 0};
        focus.bottom = focus.top + height + 2;
        DrawFocusRect(p.dc, &focus);
    }
}

void paint_group(const PaintContext& p, const ButtonState& s) {
    HBRUSH brush = parent_brush(p.hwnd, p.dc, WM_CTLCOLORSTATIC);
    const int text_height = text_height_of(p.dc);
    RECT frame = p.client;
    frame.top += text_height / 2;
    DrawEdge(p.dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::string text = text_of(p.hwnd);
    if (text.empty())
        return;
    const RECT band = group_label_band(p.client, text_height);
    RECT label = band;
    DrawTextA(p.dc, text.c_str(), static_cast<int>(text.size()), &label,
              kGroupFormat | DT_CALCRECT);
    label.right = std::min(label.right, band.right);
    FillRect(p.dc, &label, brush);
    draw_label(p, s, label, kGroupFormat);
}

void paint_owner_drawn(const PaintContext& p, const ButtonState& s) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(p.hwnd));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) |
                     (p.enabled ? 0 : ODS_DISABLED);
    item.hwndItem = p.hwnd;
    item.hDC = p.dc;
    item.rcItem = p.client;
    if (HWND parent = parent_of(p.hwnd))
        SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void paint(HWND hwnd, HDC dc, const ButtonState& s) {
    PaintContext p{hwnd, dc, {}, style_of(hwnd), IsWindowEnabled(hwnd) != FALSE};
    GetClientRect(hwnd, &p.client);
    HGDIOBJ old_font = SelectObject(dc, font_or_default(s.font));
    const DWORD type = p.style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW)
        paint_owner_drawn(p, s);
    else if (type == BS_GROUPBOX)
        paint_group(p, s);
    else if (is_check_box(type) && !(p.style & BS_PUSHLIKE))
        paint_check(p, s, false);
    else if (is_radio(type) && !(p.style & BS_PUSHLIKE))
        paint_check(p, s, true);
    else
        paint_push(p, s);
    SelectObject(dc, old_font);
}

// ---- input ------------------------------------------------------------------------------------

LRESULT on_button_down(HWND hwnd, ButtonState& s) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    s.tracking = true;
    set_pushed(hwnd, s, true);
    return 0;
}

LRESULT on_double_click(HWND hwnd, ButtonState& s) {
    const DWORD type = type_of(hwnd);
    if (is_radio(type) || type == BS_OWNERDRAW || (style_of(hwnd) & BS_NOTIFY)) {
        notify_parent(hwnd, BN_DOUBLECLICKED);
        return 0;
    }
    return on_button_down(hwnd, s);
}

LRESULT on_mouse_move(HWND hwnd, ButtonState& s, LPARAM lParam) {
    if (!s.tracking)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    set_pushed(hwnd, s, PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0);
    return 0;
}

LRESULT on_button_up(HWND hwnd, ButtonState& s, LPARAM lParam) {
    if (!s.tracking)
        return 0;
    s.tracking = false;
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool inside = PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0;
    set_pushed(hwnd, s, false);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (inside)
        clicked(hwnd, s);
    return 0;
}

LRESULT on_capture_lost(HWND hwnd, ButtonState& s) {
    if (s.tracking) {
        s.tracking = false;
        set_pushed(hwnd, s, false);
    }
    return 0;
}

LRESULT on_key(HWND hwnd, ButtonState& s, UINT msg, WPARAM key) {
    if (key != VK_SPACE)
        return DefWindowProcA(hwnd, msg, key, 0);
    if (msg == WM_KEYDOWN) {
        s.space_down = true;
        set_pushed(hwnd, s, true);
        return 0;
    }
    if (s.space_down) {
        s.space_down = false;
        set_pushed(hwnd, s, false);
        clicked(hwnd, s);
    }
    return 0;
}

LRESULT on_focus(HWND hwnd, ButtonState& s, bool gained) {
    s.focused = gained;
    if (!gained) {
        s.space_down = false;
        if (s.tracking && GetCapture() == hwnd)
            ReleaseCapture();
        on_capture_lost(hwnd, s);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    if (style_of(hwnd) & BS_NOTIFY)
        notify_parent(hwnd, gained ? BN_SETFOCUS : BN_KILLFOCUS);
    return 0;
}

LRESULT on_click_message(HWND hwnd, ButtonState& s) {
    if (IsWindowEnabled(hwnd))
        clicked(hwnd, s);
    return 0;
}

LRESULT on_set_style(HWND hwnd, ButtonState& s, WPARAM style, LPARAM redraw) {
    const DWORD old = style_of(hwnd);
    const DWORD requested = static_cast<DWORD>(style) & BS_TYPEMASK;
    if ((old & BS_TYPEMASK) == BS_OWNERDRAW &&
        (requested == BS_PUSHBUTTON || requested == BS_DEFPUSHBUTTON)) {
        // The dialog manager moves its default among the push buttons: an owner-drawn one
        // keeps drawing itself and only notes whether it is the default now.
        s.owner_drawn_default = requested == BS_DEFPUSHBUTTON;
        style = (style & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
    }
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>((old & ~0xFFFFu) | (style & 0xFFFFu)));
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT on_set_image(HWND hwnd, ButtonState& s, WPARAM type, LPARAM image) {
    if (type != IMAGE_BITMAP && type != IMAGE_ICON)
        return 0;
    HANDLE old = s.image_type == type ? s.image : nullptr;
    s.image = reinterpret_cast<HANDLE>(image);
    s.image_type = static_cast<UINT>(type);
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT get_state(const ButtonState& s) {
    return static_cast<LRESULT>(s.check) | (s.pushed ? BST_PUSHED : 0) |
           (s.focused ? BST_FOCUS : 0);
}

LRESULT CALLBACK button_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ButtonState>(hwnd);
    ButtonState* s = state_of<ButtonState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<ButtonState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return dialog_code(hwnd, *s);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
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
        return msg == WM_SETTEXT ? result : 0;
    }
    case WM_NCHITTEST:
        return type_of(hwnd) == BS_GROUPBOX ? HTTRANSPARENT
                                            : DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
        return on_button_down(hwnd, *s);
    case WM_LBUTTONDBLCLK:
        return on_double_click(hwnd, *s);
    case WM_MOUSEMOVE:
        return on_mouse_move(hwnd, *s, lParam);
    case WM_LBUTTONUP:
        return on_button_up(hwnd, *s, lParam);
    case WM_CAPTURECHANGED:
        return on_capture_lost(hwnd, *s);
    case WM_KEYDOWN:
    case WM_KEYUP:
        return on_key(hwnd, *s, msg, wParam);
    case WM_SETFOCUS:
        return on_focus(hwnd, *s, true);
    case WM_KILLFOCUS:
        return on_focus(hwnd, *s, false);
    case BM_GETCHECK:
        return static_cast<LRESULT>(s->check);
    case BM_SETCHECK:
        set_check(hwnd, *s, wParam);
        return 0;
    case BM_GETSTATE:
        return get_state(*s);
    case BM_SETSTATE:
        set_pushed(hwnd, *s, wParam != 0);
        return 0;
    case BM_SETSTYLE:
        return on_set_style(hwnd, *s, wParam, lParam);
    case BM_CLICK:
        return on_click_message(hwnd, *s);
    case BM_GETIMAGE:
        return s->image_type == wParam ? reinterpret_cast<LRESULT>(s->image) : 0;
    case BM_SETIMAGE:
        return on_set_image(hwnd, *s, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

bool button_label(HWND hwnd, ControlLabel& label) {
    const DWORD style = style_of(hwnd);
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW || (style & (BS_BITMAP | BS_ICON)))
        return false;
    label.text = text_of(hwnd);
    if (label.text.empty())
        return false;
    label.font = font_or_default(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool like_push = (style & BS_PUSHLIKE) != 0;
    if (type == BS_GROUPBOX) {
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, label.font);
        label.area = group_label_band(client, text_height_of(dc));
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        label.format = label_format(style, kGroupFormat);
    } else if ((is_check_box(type) || is_radio(type)) && !like_push) {
        label.area = check_label_area(client, style);
        label.format = label_format(style, kCheckFormat);
    } else {
        label.area = push_label_area(client, style);
        label.format = label_format(style, kPushFormat);
    }
    return true;
}

void register_button_class() {
    register_system_class(WC_BUTTONA, button_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
