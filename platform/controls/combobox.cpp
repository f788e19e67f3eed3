// "ComboBox": the selected item in a box, and a list box ("ComboLBox") that keeps the items.
// A drop-down list (CBS_DROPDOWNLIST) shows the item itself; a drop-down (CBS_DROPDOWN) shows it
// in an edit field; both drop their list below the box as a popup window. A simple combo box
// (CBS_SIMPLE) has the edit field on top of a list that is always there.
#include "controls/combo_edit.h"
#include "controls/combo_list.h"
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>
#include <cstring>

namespace lv::controls {
namespace {

constexpr int kListId = 1000;

struct ComboState {
    HWND list = nullptr;
    int drop_height = 100; // the height the combo box was created with holds its list
    bool dropped = false;
    bool focused = false;
    HFONT font = nullptr;
    ComboEdit edit; // CBS_DROPDOWN and CBS_SIMPLE
};

DWORD kind_of(HWND hwnd) {
    return style_of(hwnd) & CBS_DROPDOWNLIST;
}

LRESULT to_list(const ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    return s.list ? SendMessageA(s.list, msg, wParam, lParam) : CB_ERR;
}

int selection(const ComboState& s) {
    return static_cast<int>(to_list(s, LB_GETCURSEL, 0, 0));
}

int box_height(const ComboState& s) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return metrics.tmHeight + 8;
}

void fit_box(HWND hwnd, const ComboState& s) {
    if (kind_of(hwnd) == CBS_SIMPLE)
        return;
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, box_height(s),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void close_list(HWND hwnd, ComboState& s, bool picked) {
    if (!s.dropped)
        return;
    s.dropped = false;
    if (GetCapture() == s.list)
        ReleaseCapture();
    ShowWindow(s.list, SW_HIDE);
    notify_parent(hwnd, picked ? CBN_SELENDOK : CBN_SELENDCANCEL);
    notify_parent(hwnd, CBN_CLOSEUP);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void open_list(HWND hwnd, ComboState& s) {
    if (s.dropped || !s.list || !IsWindowEnabled(hwnd) || kind_of(hwnd) == CBS_SIMPLE)
        return;
    notify_parent(hwnd, CBN_DROPDOWN);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int height = std::max(box_height(s), s.drop_height - (r.bottom - r.top));
    SetWindowPos(s.list, HWND_TOPMOST, r.left, r.bottom, r.right - r.left, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    s.dropped = true;
    SetCapture(s.list);
}

std::string item_text(const ComboState& s, int index) {
    if (index < 0)
        return {};
    std::string item(
        static_cast<std::size_t>(std::max<LRESULT>(0, to_list(s, LB_GETTEXTLEN, index, 0))) + 1,
        '\0');
    to_list(s, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    item.resize(std::strlen(item.c_str()));
    return item;
}

// The edit field follows the selection.
void show_selection(ComboState& s) {
    if (s.edit.window && selection(s) >= 0)
        show_item_in_combo_edit(s.edit, item_text(s, selection(s)));
}

// The box with the edit field (or the item) inside its edge; a simple combo box's list below.
RECT box_rect(HWND hwnd, const ComboState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (kind_of(hwnd) == CBS_SIMPLE)
        client.bottom = std::min(client.bottom, static_cast<LONG>(box_height(s)));
    return client;
}

RECT button_rect(HWND hwnd, const ComboState& s) {
    RECT edge = box_rect(hwnd, s);
    InflateRect(&edge, -2, -2);
    const int width = kind_of(hwnd) == CBS_SIMPLE ? 0 : GetSystemMetrics(SM_CXVSCROLL);
    return RECT{edge.right - width, edge.top, edge.right, edge.bottom};
}

RECT text_rect(HWND hwnd, const ComboState& s) {
    RECT edge = box_rect(hwnd, s);
    InflateRect(&edge, -2, -2);
    return RECT{edge.left + 1, edge.top + 1, button_rect(hwnd, s).left - 1, edge.bottom - 1};
}

void place_children(HWND hwnd, const ComboState& s) {
    place_combo_edit(s.edit, text_rect(hwnd, s));
    if (kind_of(hwnd) != CBS_SIMPLE || !s.list)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT box = box_rect(hwnd, s);
    MoveWindow(s.list, 0, box.bottom, client.right,
               std::max(0, static_cast<int>(client.bottom - box.bottom)), TRUE);
}

void change_selection(HWND hwnd, ComboState& s, int index) {
    const int count = static_cast<int>(to_list(s, LB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count || index == selection(s))
        return;
    to_list(s, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    show_selection(s);
    InvalidateRect(hwnd, nullptr, TRUE);
    notify_parent(hwnd, CBN_SELCHANGE);
}

LRESULT on_list_picked(HWND hwnd, ComboState& s, WPARAM index) {
    const int picked = static_cast<int>(index);
    close_list(hwnd, s, picked >= 0);
    return 0;
}

// ---- painting ---------------------------------------------------------------------------------

void paint(HWND hwnd, HDC dc, const ComboState& s) {
    const RECT box = box_rect(hwnd, s);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    HBRUSH brush = parent_brush(hwnd, dc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    FillRect(dc, &box, brush);
    RECT edge = box;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT button = button_rect(hwnd, s);
    if (kind_of(hwnd) != CBS_SIMPLE)
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (s.dropped ? DFCS_PUSHED : 0) |
                             (enabled ? 0 : DFCS_INACTIVE));
    RECT text = text_rect(hwnd, s);
    const int index = selection(s);
    if (index < 0 || s.edit.window)
        return;
    const std::string item = item_text(s, index);
    const bool highlighted = s.focused && !s.dropped;
    if (highlighted)
        FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled      ? COLOR_GRAYTEXT
                                 : highlighted ? COLOR_HIGHLIGHTTEXT
                                               : COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    RECT label = text;
    label.left += 2;
    DrawTextA(dc, item.c_str(), static_cast<int>(item.size()), &label,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    if (highlighted)
        DrawFocusRect(dc, &text);
}

// ---- messages ---------------------------------------------------------------------------------

LRESULT on_create(HWND hwnd, ComboState& s, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    s.drop_height = cs ? cs->cy : s.drop_height;
    const bool simple = kind_of(hwnd) == CBS_SIMPLE;
    DWORD list_style = (simple ? WS_CHILD | WS_VISIBLE : WS_POPUP) | WS_BORDER | WS_VSCROLL |
                       LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    const DWORD style = style_of(hwnd);
    if (style & CBS_SORT)
        list_style |= LBS_SORT;
    if (style & CBS_OWNERDRAWFIXED)
        list_style |= LBS_OWNERDRAWFIXED;
    if (style & CBS_HASSTRINGS)
        list_style |= LBS_HASSTRINGS;
    s.list = CreateWindowExA(
        simple ? 0 : WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kComboListClass, "", list_style, 0, 0, 10,
        10, hwnd, reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(kListId)), nullptr, nullptr);
    if (!s.list)
        return -1;
    SetPropA(s.list, kComboOfListProperty, hwnd);
    const bool editable = kind_of(hwnd) == CBS_DROPDOWN || simple;
    if (editable && !create_combo_edit(hwnd, s.edit))
        return -1;
    // The scroll-bar styles are the list's: the box itself has no scroll bars.
    if (style & (WS_VSCROLL | WS_HSCROLL)) {
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>(style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL)));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    fit_box(hwnd, s);
    place_children(hwnd, s);
    return 0;
}

LRESULT on_key_down(HWND hwnd, ComboState& s, WPARAM key) {
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        s.dropped ? close_list(hwnd, s, true) : open_list(hwnd, s);
        return 0;
    }
    if (s.dropped && (key == VK_RETURN || key == VK_ESCAPE)) {
        close_list(hwnd, s, key == VK_RETURN);
        return 0;
    }
    const int count = static_cast<int>(to_list(s, LB_GETCOUNT, 0, 0));
    const int current = selection(s);
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        change_selection(hwnd, s, std::max(0, current - 1));
        return 0;
    case VK_DOWN:
    case VK_RIGHT:
        change_selection(hwnd, s, std::min(count - 1, current + 1));
        return 0;
    case VK_HOME:
        change_selection(hwnd, s, 0);
        return 0;
    case VK_END:
        change_selection(hwnd, s, count - 1);
        return 0;
    default:
        return 0;
    }
}

LRESULT on_focus(HWND hwnd, ComboState& s, bool gained);

LRESULT on_list_command(HWND hwnd, ComboState& s, WPARAM wParam) {
    if (s.edit.window && LOWORD(wParam) == kComboEditId) {
        const ComboEditEvent event = combo_edit_command(hwnd, s.edit, wParam);
        if (event != ComboEditEvent::none)
            on_focus(hwnd, s, event == ComboEditEvent::focus_gained);
        return 0;
    }
    if (HIWORD(wParam) == LBN_SELCHANGE) {
        show_selection(s);
        InvalidateRect(hwnd, nullptr, TRUE);
        notify_parent(hwnd, CBN_SELCHANGE);
    }
    return 0;
}

LRESULT on_focus(HWND hwnd, ComboState& s, bool gained) {
    s.focused = gained;
    if (!gained)
        close_list(hwnd, s, false);
    InvalidateRect(hwnd, nullptr, TRUE);
    notify_parent(hwnd, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
    return 0;
}

// Messages a combo box with an edit field leaves to the field.
LRESULT to_edit(HWND hwnd, const ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!s.edit.window)
        return msg == WM_SETTEXT || msg == WM_GETTEXT || msg == WM_GETTEXTLENGTH
                   ? DefWindowProcA(hwnd, msg, wParam, lParam)
                   : CB_ERR;
    switch (msg) {
    case CB_GETEDITSEL:
        return SendMessageA(s.edit.window, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
        SendMessageA(s.edit.window, EM_SETSEL,
                     static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                     static_cast<short>(HIWORD(lParam)));
        return TRUE;
    case CB_LIMITTEXT:
        SendMessageA(s.edit.window, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    default:
        return SendMessageA(s.edit.window, msg, wParam, lParam);
    }
}

// The edit field's and the list's colour requests reach the combo box's parent, as its own do.
LRESULT forward_colour(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = parent_of(hwnd);
    const LRESULT brush = parent ? SendMessageA(parent, msg, wParam, lParam) : 0;
    return brush ? brush : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT dropped_rect(HWND hwnd, const ComboState& s, LPARAM out) {
    if (!out)
        return CB_ERR;
    RECT r{};
    GetWindowRect(hwnd, &r);
    *reinterpret_cast<RECT*>(out) = RECT{r.left, r.top, r.right, r.top + s.drop_height};
    return TRUE;
}

LRESULT CALLBACK combobox_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ComboState>(hwnd);
    ComboState* s = state_of<ComboState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return on_create(hwnd, *s, lParam);
    case WM_DESTROY:
        if (s->list)
            DestroyWindow(s->list);
        s->list = nullptr;
        return 0;
    case WM_NCDESTROY:
        destroy_state<ComboState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (s->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        to_list(*s, WM_SETFONT, wParam, lParam);
        if (s->edit.window)
            SendMessageA(s->edit.window, WM_SETFONT, wParam, lParam);
        fit_box(hwnd, *s);
        place_children(hwnd, *s);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SIZE:
        place_children(hwnd, *s);
        return 0;
    case WM_ENABLE:
        if (!wParam)
            close_list(hwnd, *s, false);
        for (HWND part : {s->edit.window, kind_of(hwnd) == CBS_SIMPLE ? s->list : nullptr})
            if (part)
                EnableWindow(part, static_cast<BOOL>(wParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(s->edit.window ? s->edit.window : hwnd);
        s->dropped ? close_list(hwnd, *s, true) : open_list(hwnd, *s);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return on_key_down(hwnd, *s, wParam);
    case WM_COMMAND:
        return on_list_command(hwnd, *s, wParam);
    case WM_SETFOCUS:
        if (s->edit.window) {
            SetFocus(s->edit.window);
            return 0;
        }
        return on_focus(hwnd, *s, true);
    case WM_KILLFOCUS:
        // With an edit field the focus goes to the field; the field tells when it leaves.
        return s->edit.window ? 0 : on_focus(hwnd, *s, false);
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case CB_GETEDITSEL:
    case CB_SETEDITSEL:
    case CB_LIMITTEXT:
        return to_edit(hwnd, *s, msg, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return forward_colour(hwnd, msg, wParam, lParam);
    case kComboListPicked:
        return on_list_picked(hwnd, *s, wParam);
    case CB_ADDSTRING:
        return to_list(*s, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING:
        return to_list(*s, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING:
        return to_list(*s, LB_DELETESTRING, wParam, lParam);
    case CB_RESETCONTENT:
        to_list(*s, LB_RESETCONTENT, 0, 0);
        if (s->edit.window)
            show_item_in_combo_edit(s->edit, "");
        InvalidateRect(hwnd, nullptr, TRUE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return to_list(*s, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL:
        return selection(*s);
    case CB_SETCURSEL: {
        const LRESULT result = to_list(*s, LB_SETCURSEL, wParam, 0);
        show_selection(*s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case CB_GETLBTEXT:
        return to_list(*s, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return to_list(*s, LB_GETTEXTLEN, wParam, 0);
    case CB_FINDSTRING:
        return to_list(*s, LB_FINDSTRING, wParam, lParam);
    case CB_SELECTSTRING: {
        const LRESULT result = to_list(*s, LB_SELECTSTRING, wParam, lParam);
        show_selection(*s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case CB_GETITEMDATA:
        return to_list(*s, LB_GETITEMDATA, wParam, 0);
    case CB_SETITEMDATA:
        return to_list(*s, LB_SETITEMDATA, wParam, lParam);
    case CB_SETITEMHEIGHT:
        return static_cast<int>(wParam) == -1 ? CB_ERR
                                              : to_list(*s, LB_SETITEMHEIGHT, wParam, lParam);
    case CB_GETITEMHEIGHT:
        return static_cast<int>(wParam) == -1 ? box_height(*s)
                                              : to_list(*s, LB_GETITEMHEIGHT, wParam, 0);
    case CB_SHOWDROPDOWN:
        wParam ? open_list(hwnd, *s) : close_list(hwnd, *s, false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return s->dropped;
    case CB_GETDROPPEDCONTROLRECT:
        return dropped_rect(hwnd, *s, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_combobox_class() {
    register_system_class(WC_COMBOBOXA, combobox_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
