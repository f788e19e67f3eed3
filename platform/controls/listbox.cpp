// "ListBox": a list of strings or owner-drawn items, with its own vertical scroll bar. One item
// is selected, or with LBS_EXTENDEDSEL several (Ctrl and Shift with the mouse and the arrows).
#include "controls/combo_list.h"
#include "controls/control_scroll_bar.h"
#include "controls/control_support.h"
#include "controls/key_walk.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <vector>

namespace lv::controls {
namespace {

struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    int height = 0;        // owner-drawn variable lists only
    bool selected = false; // extended-selection lists only
};

struct ListState {
    std::vector<ListItem> items;
    int selection = -1; // in an extended-selection list: the item with the focus
    int anchor = -1;    // where a Shift range starts
    int top = 0;
    int item_height = 16;
    bool focused = false;
    bool tracking = false;
    ThumbDrag thumb;
    HFONT font = nullptr;
};

bool owner_drawn(HWND hwnd) {
    return (style_of(hwnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool variable(HWND hwnd) {
    return (style_of(hwnd) & LBS_OWNERDRAWVARIABLE) != 0;
}

bool extended(HWND hwnd) {
    return (style_of(hwnd) & LBS_EXTENDEDSEL) != 0;
}

bool has_strings(HWND hwnd) {
    return !owner_drawn(hwnd) || (style_of(hwnd) & LBS_HASSTRINGS);
}

bool notifies(HWND hwnd) {
    return (style_of(hwnd) & LBS_NOTIFY) != 0 || combo_of_list(hwnd);
}

int count_of(const ListState& s) {
    return static_cast<int>(s.items.size());
}

bool valid(const ListState& s, WPARAM index) {
    return static_cast<int>(index) >= 0 && static_cast<int>(index) < count_of(s);
}

bool is_selected(HWND hwnd, const ListState& s, int index) {
    return extended(hwnd) ? s.items[static_cast<std::size_t>(index)].selected
                          : index == s.selection;
}

int height_of(HWND hwnd, const ListState& s, int index) {
    return variable(hwnd) ? s.items[static_cast<std::size_t>(index)].height : s.item_height;
}

int client_height(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.bottom;
}

// Whole items that fit from `top` on.
int visible_from(HWND hwnd, const ListState& s, int top) {
    const int room = client_height(hwnd);
    int used = 0, n = 0;
    for (int i = top; i < count_of(s); ++i) {
        used += height_of(hwnd, s, i);
        if (used > room)
            break;
        ++n;
    }
    if (top + n >= count_of(s))
        n += std::max(0, room - used) / std::max(1, s.item_height);
    return std::max(1, n);
}

ScrollModel scroll_model(HWND hwnd, const ListState& s) {
    return ScrollModel{s.top, visible_from(hwnd, s, s.top), count_of(s)};
}

void tell(HWND hwnd, WORD code) {
    if (!notifies(hwnd))
        return;
    if (HWND combo = combo_of_list(hwnd)) {
        SendMessageA(combo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
        return;
    }
    notify_parent(hwnd, code);
}

void redraw(HWND hwnd, const ListState& s) {
    publish_scroll_model(hwnd, scroll_model(hwnd, s));
    InvalidateRect(hwnd, nullptr, TRUE);
    if (style_of(hwnd) & WS_VSCROLL)
        paint_scroll_bar(hwnd, scroll_model(hwnd, s));
}

// The highest first item that still fills the box.
int last_top(HWND hwnd, const ListState& s) {
    int limit = count_of(s) - 1;
    while (limit > 0 && visible_from(hwnd, s, limit - 1) + limit - 1 >= count_of(s))
        --limit;
    return std::max(0, limit);
}

void set_top(HWND hwnd, ListState& s, int top) {
    s.top = std::clamp(top, 0, last_top(hwnd, s));
    redraw(hwnd, s);
}

void make_visible(HWND hwnd, ListState& s, int index) {
    if (index < 0)
        return;
    if (index < s.top) {
        set_top(hwnd, s, index);
        return;
    }
    while (index >= s.top + visible_from(hwnd, s, s.top) && s.top < index)
        ++s.top;
    redraw(hwnd, s);
}

RECT item_rect(HWND hwnd, const ListState& s, int index) {
    RECT client{};
    GetClientRect(hwnd, &client);
    int y = 0;
    if (index >= s.top) {
        for (int i = s.top; i < index; ++i)
            y += height_of(hwnd, s, i);
    } else {
        for (int i = index; i < s.top; ++i)
            y -= height_of(hwnd, s, i);
    }
    return RECT{0, y, client.right, y + height_of(hwnd, s, index)};
}

// The item under a client point, and whether the point lies beyond the items.
int item_at(HWND hwnd, const ListState& s, POINT p, bool& outside) {
    RECT client{};
    GetClientRect(hwnd, &client);
    outside = !PtInRect(&client, p);
    int y = 0;
    for (int i = s.top; i < count_of(s); ++i) {
        const int h = height_of(hwnd, s, i);
        if (p.y < y + h)
            return i;
        y += h;
    }
    outside = true;
    return count_of(s) - 1;
}

// ---- items ------------------------------------------------------------------------------------

void measure(HWND hwnd, ListState& s, int index, ListItem& item) {
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_LISTBOX;
    m.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    m.itemID = static_cast<UINT>(index);
    RECT client{};
    GetClientRect(hwnd, &client);
    m.itemWidth = static_cast<UINT>(client.right);
    m.itemHeight = static_cast<UINT>(s.item_height);
    m.itemData = item.data;
    if (HWND parent = parent_of(hwnd))
        SendMessageA(parent, WM_MEASUREITEM, m.CtlID, reinterpret_cast<LPARAM>(&m));
    item.height = static_cast<int>(m.itemHeight);
}

void deleted(HWND hwnd, int index, const ListItem& item) {
    if (!owner_drawn(hwnd) && item.data == 0)
        return;
    DELETEITEMSTRUCT d{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(hwnd)), static_cast<UINT>(index),
                       hwnd, item.data};
    if (HWND parent = parent_of(hwnd))
        SendMessageA(parent, WM_DELETEITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
}

ListItem item_from(HWND hwnd, LPARAM value) {
    ListItem item;
    if (has_strings(hwnd)) {
        const auto* text = reinterpret_cast<const char*>(value);
        item.text = text ? text : "";
    } else {
        item.data = static_cast<ULONG_PTR>(value);
    }
    return item;
}

LRESULT insert(HWND hwnd, ListState& s, int index, LPARAM value) {
    if (index > count_of(s))
        return LB_ERR;
    ListItem item = item_from(hwnd, value);
    if (index < 0)
        index = count_of(s);
    s.items.insert(s.items.begin() + index, std::move(item));
    if (s.selection >= index)
        ++s.selection;
    if (s.anchor >= index)
        ++s.anchor;
    if (variable(hwnd)) {
        // Measured once it is in the list, so that the parent can read the item's text.
        ListItem probe = s.items[static_cast<std::size_t>(index)];
        measure(hwnd, s, index, probe);
        if (index < count_of(s))
            s.items[static_cast<std::size_t>(index)].height = probe.height;
    }
    redraw(hwnd, s);
    return index;
}

LRESULT add(HWND hwnd, ListState& s, LPARAM value) {
    int index = -1;
    if ((style_of(hwnd) & LBS_SORT) && has_strings(hwnd)) {
        const auto* text = reinterpret_cast<const char*>(value);
        const auto at = std::find_if(s.items.begin(), s.items.end(), [&](const ListItem& i) {
            return strcasecmp(i.text.c_str(), text ? text : "") > 0;
        });
        index = static_cast<int>(at - s.items.begin());
    }
    return insert(hwnd, s, index, value);
}

LRESULT remove(HWND hwnd, ListState& s, WPARAM index) {
    if (!valid(s, index))
        return LB_ERR;
    const int i = static_cast<int>(index);
    deleted(hwnd, i, s.items[index]);
    s.items.erase(s.items.begin() + i);
    if (s.selection == i)
        s.selection = -1;
    else if (s.selection > i)
        --s.selection;
    if (s.anchor == i)
        s.anchor = -1;
    else if (s.anchor > i)
        --s.anchor;
    set_top(hwnd, s, s.top);
    return count_of(s);
}

LRESULT reset(HWND hwnd, ListState& s) {
    for (int i = 0; i < count_of(s); ++i)
        deleted(hwnd, i, s.items[static_cast<std::size_t>(i)]);
    s.items.clear();
    s.selection = -1;
    s.anchor = -1;
    s.top = 0;
    redraw(hwnd, s);
    return 0;
}

LRESULT get_text(HWND hwnd, const ListState& s, WPARAM index, LPARAM buffer) {
    if (!valid(s, index))
        return LB_ERR;
    const ListItem& item = s.items[index];
    if (!has_strings(hwnd)) {
        if (buffer)
            std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof(item.data));
        return sizeof(item.data);
    }
    if (buffer)
        std::memcpy(reinterpret_cast<char*>(buffer), item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT find(HWND hwnd, const ListState& s, WPARAM after, LPARAM value, bool exact) {
    const auto* wanted = reinterpret_cast<const char*>(value);
    const int n = count_of(s);
    const int start = static_cast<int>(after) >= 0 && static_cast<int>(after) < n
                          ? static_cast<int>(after) + 1
                          : 0;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        const ListItem& item = s.items[static_cast<std::size_t>(i)];
        if (!has_strings(hwnd)) {
            if (item.data == static_cast<ULONG_PTR>(value))
                return i;
            continue;
        }
        if (!wanted)
            continue;
        const std::size_t length = exact ? item.text.size() + 1 : std::strlen(wanted);
        if (strncasecmp(item.text.c_str(), wanted, length) == 0)
            return i;
    }
    return LB_ERR;
}

// How a person's click or key changes an extended selection.
enum class Extend {
    replace, // the item alone
    toggle,  // Ctrl: the item in or out, the others kept
    range,   // Shift: the items from the anchor to the item, alone
};

Extend extend_of(bool ctrl, bool shift) {
    return shift ? Extend::range : ctrl ? Extend::toggle : Extend::replace;
}

// Marks the items of an extended selection; true when any changed.
bool mark_extended(ListState& s, int index, Extend how) {
    if (how != Extend::range || s.anchor < 0)
        s.anchor = index;
    bool changed = false;
    for (int i = 0; i < count_of(s); ++i) {
        ListItem& item = s.items[static_cast<std::size_t>(i)];
        bool now = item.selected;
        if (how == Extend::toggle)
            now = i == index ? !item.selected : item.selected;
        else if (how == Extend::range)
            now = i >= std::min(s.anchor, index) && i <= std::max(s.anchor, index);
        else
            now = i == index;
        changed |= now != item.selected;
        item.selected = now;
    }
    return changed;
}

LRESULT set_selection(HWND hwnd, ListState& s, WPARAM index) {
    if (style_of(hwnd) & LBS_NOSEL)
        return LB_ERR;
    const int i = static_cast<int>(index);
    if (i < 0 || i >= count_of(s)) {
        s.selection = -1;
        if (extended(hwnd))
            mark_extended(s, -1, Extend::replace);
        redraw(hwnd, s);
        return LB_ERR; // also for -1, which clears the selection
    }
    if (extended(hwnd))
        mark_extended(s, i, Extend::replace);
    s.selection = i;
    make_visible(hwnd, s, i);
    return i;
}

// A selection the user made: notified when it changed.
void user_selects(HWND hwnd, ListState& s, int index, Extend how = Extend::replace) {
    if ((style_of(hwnd) & LBS_NOSEL) || index < 0 || index >= count_of(s))
        return;
    bool changed = index != s.selection;
    if (extended(hwnd))
        changed = mark_extended(s, index, how);
    s.selection = index;
    make_visible(hwnd, s, index);
    if (changed)
        tell(hwnd, LBN_SELCHANGE);
}

// LB_SETSEL of an extended-selection list: one item, or every item (-1), in or out.
LRESULT set_marked(HWND hwnd, ListState& s, WPARAM select, LPARAM index) {
    if (!extended(hwnd) || index < -1 || index >= count_of(s))
        return LB_ERR;
    for (int i = 0; i < count_of(s); ++i) {
        if (index == -1 || i == index)
            s.items[static_cast<std::size_t>(i)].selected = select != 0;
    }
    if (index >= 0 && select) {
        s.selection = static_cast<int>(index);
        s.anchor = static_cast<int>(index);
    }
    redraw(hwnd, s);
    return 0;
}

LRESULT marked_count(HWND hwnd, const ListState& s) {
    if (!extended(hwnd))
        return LB_ERR;
    return std::count_if(s.items.begin(), s.items.end(),
                         [](const ListItem& item) { return item.selected; });
}

// LB_GETSELITEMS: the selected items' indexes, at most `room` of them.
LRESULT marked_items(HWND hwnd, const ListState& s, WPARAM room, LPARAM out) {
    if (!extended(hwnd) || !out)
        return LB_ERR;
    auto* indexes = reinterpret_cast<int*>(out);
    LRESULT n = 0;
    for (int i = 0; i < count_of(s) && static_cast<WPARAM>(n) < room; ++i) {
        if (s.items[static_cast<std::size_t>(i)].selected)
            indexes[n++] = i;
    }
    return n;
}

LRESULT set_item_height(HWND hwnd, ListState& s, WPARAM index, LPARAM height) {
    if (height <= 0 || height > 255)
        return LB_ERR;
    if (variable(hwnd)) {
        if (!valid(s, index))
            return LB_ERR;
        s.items[index].height = static_cast<int>(height);
    } else {
        s.item_height = static_cast<int>(height);
    }
    redraw(hwnd, s);
    return 0;
}

LRESULT get_item_height(HWND hwnd, const ListState& s, WPARAM index) {
    if (variable(hwnd))
        return valid(s, index) ? s.items[index].height : LB_ERR;
    return s.item_height;
}

LRESULT get_item_rect(HWND hwnd, const ListState& s, WPARAM index, LPARAM out) {
    if (!valid(s, index) || !out)
        return LB_ERR;
    *reinterpret_cast<RECT*>(out) = item_rect(hwnd, s, static_cast<int>(index));
    return 0;
}

LRESULT item_from_point(HWND hwnd, const ListState& s, LPARAM lParam) {
    if (s.items.empty())
        return MAKELRESULT(0, 1);
    bool outside = false;
    const int index = item_at(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, outside);
    return MAKELRESULT(static_cast<WORD>(index), outside ? 1 : 0);
}

// ---- painting ---------------------------------------------------------------------------------

void draw_owner_item(HWND hwnd, HDC dc, const ListState& s, int index, const RECT& r) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_LISTBOX;
    d.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    d.itemID = static_cast<UINT>(index);
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = (is_selected(hwnd, s, index) ? ODS_SELECTED : 0) |
                  (s.focused && index == s.selection ? ODS_FOCUS : 0) |
                  (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    d.hwndItem = hwnd;
    d.hDC = dc;
    d.rcItem = r;
    d.itemData = s.items[static_cast<std::size_t>(index)].data;
    if (HWND parent = parent_of(hwnd))
        SendMessageA(parent, WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
}

void draw_text_item(HWND hwnd, HDC dc, const ListState& s, int index, RECT r) {
    const ListItem& item = s.items[static_cast<std::size_t>(index)];
    const bool selected = is_selected(hwnd, s, index);
    if (selected)
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    const COLORREF old = SetTextColor(
        dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                     : (IsWindowEnabled(hwnd) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT)));
    RECT text = r;
    text.left += 2;
    const UINT tabs = (style_of(hwnd) & LBS_USETABSTOPS) ? DT_EXPANDTABS : 0;
    DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | tabs);
    SetTextColor(dc, old);
    if (index == s.selection && s.focused)
        DrawFocusRect(dc, &r);
}

void paint(HWND hwnd, HDC dc, const ListState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    HBRUSH brush = parent_brush(hwnd, dc, WM_CTLCOLORLISTBOX);
    FillRect(dc, &client, brush);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    for (int i = s.top; i < count_of(s); ++i) {
        const RECT r = item_rect(hwnd, s, i);
        if (r.top >= client.bottom)
            break;
        if (owner_drawn(hwnd))
            draw_owner_item(hwnd, dc, s, i, r);
        else
            draw_text_item(hwnd, dc, s, i, r);
    }
    SelectObject(dc, old);
}

LRESULT on_nc_paint(HWND hwnd, const ListState& s, WPARAM region) {
    DefWindowProcA(hwnd, WM_NCPAINT, region, 0);
    if (style_of(hwnd) & WS_VSCROLL)
        paint_scroll_bar(hwnd, scroll_model(hwnd, s));
    return 0;
}

// ---- input ------------------------------------------------------------------------------------

LRESULT on_button_down(HWND hwnd, ListState& s, WPARAM keys, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client{};
    GetClientRect(hwnd, &client);
    if (HWND combo = combo_of_list(hwnd); combo && !PtInRect(&client, p)) {
        SendMessageA(combo, kComboListPicked, static_cast<WPARAM>(-1), 0);
        return 0;
    }
    if (!combo_of_list(hwnd))
        SetFocus(hwnd);
    SetCapture(hwnd);
    s.tracking = true;
    bool outside = false;
    const int index = item_at(hwnd, s, p, outside);
    if (!outside)
        user_selects(hwnd, s, index, extend_of((keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0));
    return 0;
}

LRESULT on_mouse_move(HWND hwnd, ListState& s, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (follow_thumb_drag(hwnd, scroll_model(hwnd, s), s.thumb, at) || !s.tracking)
        return 0;
    bool outside = false;
    const int index = item_at(hwnd, s, at, outside);
    // Dragging over an extended selection stretches it from where the button went down.
    if (!outside && index != s.selection)
        user_selects(hwnd, s, index, Extend::range);
    return 0;
}

LRESULT on_button_up(HWND hwnd, ListState& s, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (end_thumb_drag(hwnd, scroll_model(hwnd, s), s.thumb, at) || !s.tracking)
        return 0;
    s.tracking = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (HWND combo = combo_of_list(hwnd)) {
        RECT client{};
        GetClientRect(hwnd, &client);
        const bool inside =
            PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0;
        SendMessageA(combo, kComboListPicked,
                     inside ? static_cast<WPARAM>(s.selection) : static_cast<WPARAM>(-1), 0);
    }
    return 0;
}

LRESULT on_key_down(HWND hwnd, ListState& s, WPARAM key) {
    const int target = walked_row(key, s.selection, visible_from(hwnd, s, s.top), count_of(s));
    if (target >= 0)
        user_selects(hwnd, s, target, extend_of(false, GetKeyState(VK_SHIFT) < 0));
    return 0;
}

LRESULT on_scroll(HWND hwnd, ListState& s, WPARAM wParam) {
    set_top(hwnd, s, scrolled_top(scroll_model(hwnd, s), LOWORD(wParam), HIWORD(wParam)));
    return 0;
}

LRESULT on_focus(HWND hwnd, ListState& s, bool gained) {
    s.focused = gained;
    redraw(hwnd, s);
    tell(hwnd, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
    return 0;
}

void font_changed(HWND hwnd, ListState& s, HFONT font) {
    s.font = font;
    if (owner_drawn(hwnd))
        return;
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    s.item_height = std::max(1, static_cast<int>(metrics.tmHeight));
}

// Without LBS_NOINTEGRALHEIGHT the box shows whole items only.
void fit_whole_items(HWND hwnd, const ListState& s) {
    if ((style_of(hwnd) & LBS_NOINTEGRALHEIGHT) || variable(hwnd) || s.item_height <= 0)
        return;
    const int extra = client_height(hwnd) % s.item_height;
    if (extra == 0 || client_height(hwnd) <= s.item_height)
        return;
    RECT window{};
    GetWindowRect(hwnd, &window);
    SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top - extra, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT on_create(HWND hwnd, ListState& s) {
    // The list never grows a horizontal extent, so like the system's list box it hides a
    // horizontal bar it has no use for (LBS_DISABLENOSCROLL keeps the bars as they are).
    if ((style_of(hwnd) & WS_HSCROLL) && !(style_of(hwnd) & LBS_DISABLENOSCROLL))
        ShowScrollBar(hwnd, SB_HORZ, FALSE);
    font_changed(hwnd, s, nullptr);
    if (owner_drawn(hwnd) && !variable(hwnd)) {
        ListItem probe;
        measure(hwnd, s, 0, probe);
        if (probe.height > 0)
            s.item_height = probe.height;
    }
    fit_whole_items(hwnd, s);
    return 0;
}

LRESULT CALLBACK listbox_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ListState>(hwnd);
    ListState* s = state_of<ListState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return on_create(hwnd, *s);
    case WM_DESTROY:
        reset(hwnd, *s);
        return 0;
    case WM_NCDESTROY:
        destroy_state<ListState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_NCPAINT:
        return on_nc_paint(hwnd, *s, wParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        font_changed(hwnd, *s, reinterpret_cast<HFONT>(wParam));
        if (lParam)
            redraw(hwnd, *s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_ENABLE:
        redraw(hwnd, *s);
        return 0;
    case WM_LBUTTONDOWN:
        return on_button_down(hwnd, *s, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        on_button_down(hwnd, *s, wParam, lParam);
        tell(hwnd, LBN_DBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        return on_mouse_move(hwnd, *s, lParam);
    case WM_LBUTTONUP:
        return on_button_up(hwnd, *s, lParam);
    case WM_CAPTURECHANGED:
        s->tracking = false;
        cancel_thumb_drag(hwnd, s->thumb);
        return 0;
    case WM_KEYDOWN:
        return on_key_down(hwnd, *s, wParam);
    case WM_VSCROLL:
        return on_scroll(hwnd, *s, wParam);
    case WM_MOUSEWHEEL:
        set_top(hwnd, *s, s->top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
        return 0;
    case WM_NCLBUTTONDOWN:
        return press_scroll_bar(hwnd, scroll_model(hwnd, *s), wParam, lParam, s->thumb);
    case WM_SETFOCUS:
        return on_focus(hwnd, *s, true);
    case WM_KILLFOCUS:
        return on_focus(hwnd, *s, false);
    case LB_ADDSTRING:
        return add(hwnd, *s, lParam);
    case LB_INSERTSTRING:
        return insert(hwnd, *s, static_cast<int>(wParam), lParam);
    case LB_DELETESTRING:
        return remove(hwnd, *s, wParam);
    case LB_RESETCONTENT:
        return reset(hwnd, *s);
    case LB_GETCOUNT:
        return count_of(*s);
    case LB_GETCURSEL:
        return s->selection;
    case LB_SETCURSEL:
        return set_selection(hwnd, *s, wParam);
    case LB_GETSEL:
        return valid(*s, wParam) ? is_selected(hwnd, *s, static_cast<int>(wParam)) : LB_ERR;
    case LB_SETSEL:
        return set_marked(hwnd, *s, wParam, lParam);
    case LB_GETSELCOUNT:
        return marked_count(hwnd, *s);
    case LB_GETSELITEMS:
        return marked_items(hwnd, *s, wParam, lParam);
    case LB_GETTEXT:
        return get_text(hwnd, *s, wParam, lParam);
    case LB_GETTEXTLEN:
        if (!valid(*s, wParam))
            return LB_ERR;
        return has_strings(hwnd) ? static_cast<LRESULT>(s->items[wParam].text.size())
                                 : static_cast<LRESULT>(sizeof(ULONG_PTR));
    case LB_FINDSTRING:
        return find(hwnd, *s, wParam, lParam, false);
    case LB_FINDSTRINGEXACT:
        return find(hwnd, *s, wParam, lParam, true);
    case LB_SELECTSTRING: {
        const LRESULT found = find(hwnd, *s, wParam, lParam, false);
        return found == LB_ERR ? LB_ERR : set_selection(hwnd, *s, static_cast<WPARAM>(found));
    }
    case LB_GETITEMDATA:
        return valid(*s, wParam) ? static_cast<LRESULT>(s->items[wParam].data) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid(*s, wParam))
            return LB_ERR;
        s->items[wParam].data = static_cast<ULONG_PTR>(lParam);
        return TRUE;
    case LB_GETITEMRECT:
        return get_item_rect(hwnd, *s, wParam, lParam);
    case LB_SETITEMHEIGHT:
        return set_item_height(hwnd, *s, wParam, lParam);
    case LB_GETITEMHEIGHT:
        return get_item_height(hwnd, *s, wParam);
    case LB_GETTOPINDEX:
        return s->top;
    case LB_SETTOPINDEX:
        if (static_cast<int>(wParam) < 0 ||
            (static_cast<int>(wParam) >= count_of(*s) && wParam != 0))
            return LB_ERR;
        set_top(hwnd, *s, static_cast<int>(wParam));
        return 0;
    case LB_ITEMFROMPOINT:
        return item_from_point(hwnd, *s, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_listbox_class() {
    register_system_class(WC_LISTBOXA, listbox_proc, CS_DBLCLKS, nullptr);
    register_system_class(kComboListClass, listbox_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
