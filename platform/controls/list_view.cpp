// "SysListView32": rows of items with sub-items, selected by the mouse and the keyboard, in
// colours the caller may set, with a vertical scroll bar of its own. The report view draws its
// column header itself (LVM_GETHEADER has no header window to give).
#include "controls/control_support.h"
#include "controls/key_walk.h"
#include "controls/list_view_state.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace lv::controls {
namespace {

int count_of(const ListViewState& s) {
    return static_cast<int>(s.rows.size());
}

bool valid(const ListViewState& s, WPARAM index) {
    return static_cast<int>(index) >= 0 && static_cast<int>(index) < count_of(s);
}

// The bar's numbers are published for GetScrollInfo, and the rows and the bar repainted.
void changed(HWND hwnd, ListViewState& s) {
    const ScrollModel m = list_scroll_model(hwnd, s);
    s.top = clamped_top(m, s.top);
    publish_scroll_model(hwnd, ScrollModel{s.top, m.visible, m.count});
    InvalidateRect(hwnd, nullptr, TRUE);
    if (style_of(hwnd) & WS_VSCROLL)
        paint_scroll_bar(hwnd, list_scroll_model(hwnd, s));
}

void make_visible(HWND hwnd, ListViewState& s, int item) {
    const int page = rows_per_page(hwnd, s);
    if (item < s.top)
        s.top = item;
    else if (item >= s.top + page)
        s.top = item - page + 1;
}

// ---- notifications ----------------------------------------------------------------------------

LRESULT tell_item(HWND hwnd, const ListViewState& s, UINT code, int item, UINT old_state,
                  UINT new_state, UINT changed_fields) {
    NMLISTVIEW note{};
    note.iItem = item;
    note.uOldState = old_state;
    note.uNewState = new_state;
    note.uChanged = changed_fields;
    if (valid(s, static_cast<WPARAM>(item)))
        note.lParam = s.rows[static_cast<std::size_t>(item)].param;
    return notify_parent(hwnd, note.hdr, code);
}

void tell_plain(HWND hwnd, UINT code) {
    NMHDR note{};
    notify_parent(hwnd, note, code);
}

void tell_activate(HWND hwnd, UINT code, int item, int column, POINT at) {
    NMITEMACTIVATE note{};
    note.iItem = item;
    note.iSubItem = column;
    note.ptAction = at;
    notify_parent(hwnd, note.hdr, code);
}

// Changes the state bits of `mask`; the parent may refuse. False when refused or unchanged.
bool set_state(HWND hwnd, ListViewState& s, int item, UINT state, UINT mask) {
    if (!valid(s, static_cast<WPARAM>(item)))
        return false;
    ListRow& row = s.rows[static_cast<std::size_t>(item)];
    const UINT old = row.state;
    const UINT next = (old & ~mask) | (state & mask);
    if (next == old)
        return false;
    if (tell_item(hwnd, s, LVN_ITEMCHANGING, item, old, next, LVIF_STATE) != 0)
        return false;
    if (!valid(s, static_cast<WPARAM>(item)))
        return false;
    // One item has the focus.
    if ((next & LVIS_FOCUSED) && !(old & LVIS_FOCUSED))
        for (int other = 0; other < count_of(s); ++other)
            if (other != item)
                set_state(hwnd, s, other, 0, LVIS_FOCUSED);
    s.rows[static_cast<std::size_t>(item)].state = next;
    InvalidateRect(hwnd, nullptr, TRUE);
    tell_item(hwnd, s, LVN_ITEMCHANGED, item, old, next, LVIF_STATE);
    return true;
}

// The person picks one item: it alone is selected and it has the focus.
void pick_only(HWND hwnd, ListViewState& s, int item) {
    for (int other = 0; other < count_of(s); ++other)
        if (other != item)
            set_state(hwnd, s, other, 0, LVIS_SELECTED);
    if (item >= 0) {
        set_state(hwnd, s, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        s.mark = item;
        make_visible(hwnd, s, item);
    }
    changed(hwnd, s);
}

// ---- items ------------------------------------------------------------------------------------

void set_text(ListRow& row, int sub_item, LPCSTR text) {
    if (sub_item < 0 || !text || text == reinterpret_cast<LPCSTR>(static_cast<LONG_PTR>(-1)))
        return;
    if (static_cast<int>(row.texts.size()) <= sub_item)
        row.texts.resize(static_cast<std::size_t>(sub_item) + 1);
    row.texts[static_cast<std::size_t>(sub_item)] = text;
}

int sorted_place(HWND hwnd, const ListViewState& s, const std::string& text) {
    const DWORD style = style_of(hwnd);
    if (!(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)))
        return -1;
    const bool descending = (style & LVS_SORTDESCENDING) != 0;
    for (int i = 0; i < count_of(s); ++i) {
        const int order =
            strcasecmp(sub_item_text(s.rows[static_cast<std::size_t>(i)], 0).c_str(), text.c_str());
        if (descending ? order < 0 : order > 0)
            return i;
    }
    return count_of(s);
}

LRESULT insert_item(HWND hwnd, ListViewState& s, LPARAM lParam) {
    const auto* in = reinterpret_cast<const LVITEMA*>(lParam);
    if (!in || in->iSubItem != 0 || in->iItem < 0)
        return -1;
    ListRow row;
    if (in->mask & LVIF_TEXT)
        set_text(row, 0, in->pszText);
    if (in->mask & LVIF_PARAM)
        row.param = in->lParam;
    if (in->mask & LVIF_IMAGE)
        row.image = in->iImage;
    if (in->mask & LVIF_INDENT)
        row.indent = in->iIndent;
    const UINT state = (in->mask & LVIF_STATE) ? in->state & in->stateMask : 0;
    int at = sorted_place(hwnd, s, sub_item_text(row, 0));
    if (at < 0)
        at = std::min(in->iItem, count_of(s));
    s.rows.insert(s.rows.begin() + at, std::move(row));
    if (s.mark >= at)
        ++s.mark;
    tell_item(hwnd, s, LVN_INSERTITEM, at, 0, 0, 0);
    if (state)
        set_state(hwnd, s, at, state, state);
    changed(hwnd, s);
    return at;
}

void forget_item(HWND hwnd, ListViewState& s, int item) {
    s.rows.erase(s.rows.begin() + item);
    if (s.mark == item)
        s.mark = -1;
    else if (s.mark > item)
        --s.mark;
}

LRESULT delete_item(HWND hwnd, ListViewState& s, WPARAM index) {
    if (!valid(s, index))
        return FALSE;
    tell_item(hwnd, s, LVN_DELETEITEM, static_cast<int>(index), 0, 0, 0);
    if (valid(s, index))
        forget_item(hwnd, s, static_cast<int>(index));
    changed(hwnd, s);
    return TRUE;
}

LRESULT delete_all(HWND hwnd, ListViewState& s) {
    const bool quiet = tell_item(hwnd, s, LVN_DELETEALLITEMS, -1, 0, 0, 0) != 0;
    while (!s.rows.empty()) {
        if (!quiet)
            tell_item(hwnd, s, LVN_DELETEITEM, 0, 0, 0, 0);
        if (!s.rows.empty())
            forget_item(hwnd, s, 0);
    }
    s.top = 0;
    changed(hwnd, s);
    return TRUE;
}

LRESULT copy_text(const std::string& text, LPSTR out, int size) {
    if (!out || size <= 0)
        return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT get_item(const ListViewState& s, LPARAM lParam) {
    auto* out = reinterpret_cast<LVITEMA*>(lParam);
    if (!out || !valid(s, static_cast<WPARAM>(out->iItem)))
        return FALSE;
    const ListRow& row = s.rows[static_cast<std::size_t>(out->iItem)];
    if (out->mask & LVIF_TEXT)
        copy_text(sub_item_text(row, out->iSubItem), out->pszText, out->cchTextMax);
    if (out->mask & LVIF_PARAM)
        out->lParam = row.param;
    if (out->mask & LVIF_IMAGE)
        out->iImage = row.image;
    if (out->mask & LVIF_INDENT)
        out->iIndent = row.indent;
    if (out->mask & LVIF_STATE)
        out->state = row.state & out->stateMask;
    return TRUE;
}

LRESULT set_item(HWND hwnd, ListViewState& s, LPARAM lParam) {
    const auto* in = reinterpret_cast<const LVITEMA*>(lParam);
    if (!in || !valid(s, static_cast<WPARAM>(in->iItem)) || in->iSubItem < 0)
        return FALSE;
    ListRow& row = s.rows[static_cast<std::size_t>(in->iItem)];
    if (in->mask & LVIF_TEXT)
        set_text(row, in->iSubItem, in->pszText);
    if (in->iSubItem == 0) {
        if (in->mask & LVIF_PARAM)
            row.param = in->lParam;
        if (in->mask & LVIF_IMAGE)
            row.image = in->iImage;
        if (in->mask & LVIF_INDENT)
            row.indent = in->iIndent;
        if (in->mask & LVIF_STATE)
            set_state(hwnd, s, in->iItem, in->state, in->stateMask);
    }
    changed(hwnd, s);
    return TRUE;
}

LRESULT set_item_state(HWND hwnd, ListViewState& s, WPARAM index, LPARAM lParam) {
    const auto* in = reinterpret_cast<const LVITEMA*>(lParam);
    if (!in)
        return FALSE;
    if (static_cast<int>(index) == -1) {
        for (int item = 0; item < count_of(s); ++item)
            set_state(hwnd, s, item, in->state, in->stateMask);
    } else if (!valid(s, index)) {
        return FALSE;
    } else {
        set_state(hwnd, s, static_cast<int>(index), in->state, in->stateMask);
    }
    changed(hwnd, s);
    return TRUE;
}

LRESULT next_item(HWND hwnd, const ListViewState& s, WPARAM start, LPARAM flags) {
    const UINT want = static_cast<UINT>(flags) & (LVNI_FOCUSED | LVNI_SELECTED);
    const int step = (flags & LVNI_ABOVE) ? -1 : 1;
    const int from = static_cast<int>(start);
    for (int i = from < 0 ? (step > 0 ? 0 : count_of(s) - 1) : from + step;
         i >= 0 && i < count_of(s); i += step) {
        if ((s.rows[static_cast<std::size_t>(i)].state & want) == want)
            return i;
    }
    return -1;
}

LRESULT find_item(const ListViewState& s, WPARAM start, LPARAM lParam) {
    const auto* find = reinterpret_cast<const LVFINDINFOA*>(lParam);
    if (!find)
        return -1;
    const int n = count_of(s);
    const int first = static_cast<int>(start) < 0 ? 0 : static_cast<int>(start) + 1;
    const int tries = (find->flags & LVFI_WRAP) ? n : n - first;
    for (int k = 0; k < tries; ++k) {
        const int i = (first + k) % std::max(1, n);
        const ListRow& row = s.rows[static_cast<std::size_t>(i)];
        if (find->flags & LVFI_PARAM) {
            if (row.param == find->lParam)
                return i;
            continue;
        }
        if (!(find->flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->psz)
            continue;
        const std::string& text = sub_item_text(row, 0);
        const bool partial = (find->flags & LVFI_PARTIAL) != 0;
        if (partial ? strncasecmp(text.c_str(), find->psz, std::strlen(find->psz)) == 0
                    : strcasecmp(text.c_str(), find->psz) == 0)
            return i;
    }
    return -1;
}

LRESULT item_rect(HWND hwnd, const ListViewState& s, WPARAM index, LPARAM lParam) {
    auto* out = reinterpret_cast<RECT*>(lParam);
    if (!out || !valid(s, index))
        return FALSE;
    const int code = out->left;
    const int item = static_cast<int>(index);
    if (code == LVIR_ICON) {
        const RECT label = cell_rect(hwnd, s, item, 0);
        *out = RECT{label.left, label.top, label.left, label.bottom};
    } else if (code == LVIR_LABEL) {
        *out = cell_rect(hwnd, s, item, 0);
    } else if (code == LVIR_SELECTBOUNDS && !(s.extended & LVS_EX_FULLROWSELECT)) {
        *out = cell_rect(hwnd, s, item, 0);
    } else {
        *out = row_bounds(hwnd, s, item);
    }
    return TRUE;
}

LRESULT sub_item_rect(HWND hwnd, const ListViewState& s, WPARAM index, LPARAM lParam) {
    auto* out = reinterpret_cast<RECT*>(lParam);
    if (!out || !valid(s, index) || !report_view(hwnd))
        return FALSE;
    const int column = out->top;
    if (column < 0 || column >= static_cast<int>(s.columns.size()))
        return FALSE;
    *out = column == 0 && out->left == LVIR_BOUNDS
               ? row_bounds(hwnd, s, static_cast<int>(index))
               : cell_rect(hwnd, s, static_cast<int>(index), column);
    return TRUE;
}

LRESULT hit_test(HWND hwnd, const ListViewState& s, LPARAM lParam, bool sub_items) {
    auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
    if (!info)
        return -1;
    int column = -1;
    info->iItem = list_item_at(hwnd, s, info->pt, column, info->flags);
    if (sub_items)
        info->iSubItem = info->iItem >= 0 ? column : 0;
    return info->iItem;
}

// ---- columns ----------------------------------------------------------------------------------

int text_extent(HWND hwnd, const ListViewState& s, const std::string& text) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cx + 12;
}

void take_column(ListColumn& column, const LVCOLUMNA& in) {
    if (in.mask & LVCF_FMT)
        column.format = in.fmt;
    if (in.mask & LVCF_WIDTH)
        column.width = std::max(0, in.cx);
    if ((in.mask & LVCF_TEXT) && in.pszText)
        column.text = in.pszText;
    if (in.mask & LVCF_SUBITEM)
        column.sub_item = in.iSubItem;
}

LRESULT insert_column(HWND hwnd, ListViewState& s, WPARAM index, LPARAM lParam) {
    const auto* in = reinterpret_cast<const LVCOLUMNA*>(lParam);
    if (!in)
        return -1;
    ListColumn column;
    column.sub_item = static_cast<int>(s.columns.size());
    take_column(column, *in);
    const int at = std::clamp(static_cast<int>(index), 0, static_cast<int>(s.columns.size()));
    s.columns.insert(s.columns.begin() + at, std::move(column));
    changed(hwnd, s);
    return at;
}

LRESULT get_column(const ListViewState& s, WPARAM index, LPARAM lParam) {
    auto* out = reinterpret_cast<LVCOLUMNA*>(lParam);
    if (!out || index >= s.columns.size())
        return FALSE;
    const ListColumn& column = s.columns[index];
    if (out->mask & LVCF_FMT)
        out->fmt = column.format;
    if (out->mask & LVCF_WIDTH)
        out->cx = column.width;
    if (out->mask & LVCF_TEXT)
        copy_text(column.text, out->pszText, out->cchTextMax);
    if (out->mask & LVCF_SUBITEM)
        out->iSubItem = column.sub_item;
    return TRUE;
}

LRESULT set_column_width(HWND hwnd, ListViewState& s, WPARAM index, LPARAM width) {
    if (index >= s.columns.size())
        return FALSE;
    ListColumn& column = s.columns[index];
    int wanted = static_cast<int>(width);
    if (wanted == LVSCW_AUTOSIZE || wanted == LVSCW_AUTOSIZE_USEHEADER) {
        wanted = wanted == LVSCW_AUTOSIZE_USEHEADER ? text_extent(hwnd, s, column.text) : 0;
        for (const ListRow& row : s.rows)
            wanted = std::max(wanted, text_extent(hwnd, s, sub_item_text(row, column.sub_item)));
    }
    column.width = std::max(0, wanted);
    changed(hwnd, s);
    return TRUE;
}

// ---- input ------------------------------------------------------------------------------------

LRESULT on_button_down(HWND hwnd, ListViewState& s, LPARAM lParam, bool twice) {
    SetFocus(hwnd);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.y < header_height(hwnd, s)) {
        for (int c = 0; c < static_cast<int>(s.columns.size()); ++c) {
            const RECT span = column_span(hwnd, s, c);
            if (at.x >= span.left && at.x < span.right) {
                NMLISTVIEW note{};
                note.iItem = -1;
                note.iSubItem = c;
                notify_parent(hwnd, note.hdr, LVN_COLUMNCLICK);
            }
        }
        return 0;
    }
    int column = -1;
    UINT flags = 0;
    const int item = list_item_at(hwnd, s, at, column, flags);
    const bool toggle = (GetKeyState(VK_CONTROL) & 0x8000) && !(style_of(hwnd) & LVS_SINGLESEL);
    if (toggle && item >= 0) {
        const UINT state = s.rows[static_cast<std::size_t>(item)].state;
        set_state(hwnd, s, item, (state ^ LVIS_SELECTED) | LVIS_FOCUSED,
                  LVIS_SELECTED | LVIS_FOCUSED);
        s.mark = item;
        changed(hwnd, s);
    } else {
        pick_only(hwnd, s, item);
    }
    tell_activate(hwnd, twice ? NM_DBLCLK : NM_CLICK, item, column, at);
    return 0;
}

int focused_item(const ListViewState& s) {
    for (int i = 0; i < count_of(s); ++i)
        if (s.rows[static_cast<std::size_t>(i)].state & LVIS_FOCUSED)
            return i;
    return -1;
}

LRESULT on_key_down(HWND hwnd, ListViewState& s, WPARAM key) {
    NMLVKEYDOWN note{};
    note.wVKey = static_cast<WORD>(key);
    notify_parent(hwnd, note.hdr, LVN_KEYDOWN);
    if (key == VK_RETURN) {
        tell_plain(hwnd, NM_RETURN);
        return 0;
    }
    const int target = walked_row(key, focused_item(s), rows_per_page(hwnd, s) - 1, count_of(s));
    if (target >= 0)
        pick_only(hwnd, s, target);
    return 0;
}

LRESULT on_scroll(HWND hwnd, ListViewState& s, WPARAM wParam) {
    s.top = scrolled_top(list_scroll_model(hwnd, s), LOWORD(wParam), HIWORD(wParam));
    changed(hwnd, s);
    return 0;
}

LRESULT on_focus(HWND hwnd, ListViewState& s, bool gained) {
    s.focused = gained;
    InvalidateRect(hwnd, nullptr, TRUE);
    tell_plain(hwnd, gained ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

LRESULT on_nc_paint(HWND hwnd, const ListViewState& s, WPARAM region) {
    DefWindowProcA(hwnd, WM_NCPAINT, region, 0);
    if (style_of(hwnd) & WS_VSCROLL)
        paint_scroll_bar(hwnd, list_scroll_model(hwnd, s));
    return 0;
}

LRESULT set_colour(HWND hwnd, ListViewState& s, COLORREF& slot, LPARAM colour) {
    slot = static_cast<COLORREF>(colour);
    changed(hwnd, s);
    return TRUE;
}

LRESULT set_extended(HWND hwnd, ListViewState& s, WPARAM mask, LPARAM style) {
    const DWORD old = s.extended;
    const DWORD bits = mask ? static_cast<DWORD>(mask) : 0xFFFFFFFF;
    s.extended = (s.extended & ~bits) | (static_cast<DWORD>(style) & bits);
    changed(hwnd, s);
    return static_cast<LRESULT>(old);
}

LRESULT on_create(HWND hwnd, ListViewState& s) {
    s.back = GetSysColor(COLOR_WINDOW);
    s.text_back = GetSysColor(COLOR_WINDOW);
    s.text = GetSysColor(COLOR_WINDOWTEXT);
    changed(hwnd, s);
    return 0;
}

LRESULT item_message(HWND hwnd, ListViewState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case LVM_GETITEMCOUNT:
        return count_of(s);
    case LVM_INSERTITEMA:
        return insert_item(hwnd, s, lParam);
    case LVM_DELETEITEM:
        return delete_item(hwnd, s, wParam);
    case LVM_DELETEALLITEMS:
        return delete_all(hwnd, s);
    case LVM_GETITEMA:
        return get_item(s, lParam);
    case LVM_SETITEMA:
        return set_item(hwnd, s, lParam);
    case LVM_GETITEMTEXTA: {
        auto* in = reinterpret_cast<LVITEMA*>(lParam);
        if (!in || !valid(s, wParam))
            return 0;
        return copy_text(sub_item_text(s.rows[wParam], in->iSubItem), in->pszText, in->cchTextMax);
    }
    case LVM_SETITEMTEXTA: {
        auto* in = reinterpret_cast<LVITEMA*>(lParam);
        if (!in || !valid(s, wParam))
            return FALSE;
        set_text(s.rows[wParam], in->iSubItem, in->pszText);
        changed(hwnd, s);
        return TRUE;
    }
    case LVM_SETITEMSTATE:
        return set_item_state(hwnd, s, wParam, lParam);
    case LVM_GETITEMSTATE:
        return valid(s, wParam) ? static_cast<LRESULT>(s.rows[wParam].state & lParam) : 0;
    case LVM_GETNEXTITEM:
        return next_item(hwnd, s, wParam, lParam);
    case LVM_FINDITEMA:
        return find_item(s, wParam, lParam);
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(s.rows.begin(), s.rows.end(),
                             [](const ListRow& row) { return (row.state & LVIS_SELECTED) != 0; });
    case LVM_GETSELECTIONMARK:
        return s.mark;
    case LVM_SETSELECTIONMARK: {
        const int old = s.mark;
        s.mark = static_cast<int>(lParam);
        return old;
    }
    default:
        return 0;
    }
}

LRESULT view_message(HWND hwnd, ListViewState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case LVM_GETITEMRECT:
        return item_rect(hwnd, s, wParam, lParam);
    case LVM_GETSUBITEMRECT:
        return sub_item_rect(hwnd, s, wParam, lParam);
    case LVM_HITTEST:
        return hit_test(hwnd, s, lParam, false);
    case LVM_SUBITEMHITTEST:
        return hit_test(hwnd, s, lParam, true);
    case LVM_ENSUREVISIBLE:
        if (!valid(s, wParam))
            return FALSE;
        make_visible(hwnd, s, static_cast<int>(wParam));
        changed(hwnd, s);
        return TRUE;
    case LVM_SCROLL:
        s.top += static_cast<int>(lParam) / list_row_height(s);
        changed(hwnd, s);
        return TRUE;
    case LVM_GETTOPINDEX:
        return s.top;
    case LVM_GETCOUNTPERPAGE:
        return rows_per_page(hwnd, s);
    case LVM_INSERTCOLUMNA:
        return insert_column(hwnd, s, wParam, lParam);
    case LVM_DELETECOLUMN:
        if (wParam >= s.columns.size())
            return FALSE;
        s.columns.erase(s.columns.begin() + static_cast<std::ptrdiff_t>(wParam));
        changed(hwnd, s);
        return TRUE;
    case LVM_GETCOLUMNA:
        return get_column(s, wParam, lParam);
    case LVM_SETCOLUMNA: {
        const auto* in = reinterpret_cast<const LVCOLUMNA*>(lParam);
        if (!in || wParam >= s.columns.size())
            return FALSE;
        take_column(s.columns[wParam], *in);
        changed(hwnd, s);
        return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
        return wParam < s.columns.size() ? s.columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH:
        return set_column_width(hwnd, s, wParam, lParam);
    case LVM_GETHEADER:
        return 0;
    case LVM_GETBKCOLOR:
        return s.back;
    case LVM_SETBKCOLOR:
        return set_colour(hwnd, s, s.back, lParam);
    case LVM_GETTEXTCOLOR:
        return s.text;
    case LVM_SETTEXTCOLOR:
        return set_colour(hwnd, s, s.text, lParam);
    case LVM_GETTEXTBKCOLOR:
        return s.text_back;
    case LVM_SETTEXTBKCOLOR:
        return set_colour(hwnd, s, s.text_back, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return static_cast<LRESULT>(s.extended);
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return set_extended(hwnd, s, wParam, lParam);
    default:
        return item_message(hwnd, s, msg, wParam, lParam);
    }
}

LRESULT CALLBACK list_view_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ListViewState>(hwnd);
    ListViewState* s = state_of<ListViewState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return on_create(hwnd, *s);
    case WM_DESTROY:
        delete_all(hwnd, *s);
        return 0;
    case WM_NCDESTROY:
        destroy_state<ListViewState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint_list_view(hwnd, dc, *s); });
    case WM_NCPAINT:
        return on_nc_paint(hwnd, *s, wParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_ENABLE:
        changed(hwnd, *s);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        changed(hwnd, *s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETFOCUS:
        return on_focus(hwnd, *s, true);
    case WM_KILLFOCUS:
        return on_focus(hwnd, *s, false);
    case WM_LBUTTONDOWN:
        return on_button_down(hwnd, *s, lParam, false);
    case WM_LBUTTONDBLCLK:
        return on_button_down(hwnd, *s, lParam, true);
    case WM_LBUTTONUP:
        end_thumb_drag(hwnd, list_scroll_model(hwnd, *s), s->thumb,
                       POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        follow_thumb_drag(hwnd, list_scroll_model(hwnd, *s), s->thumb,
                          POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        cancel_thumb_drag(hwnd, s->thumb);
        return 0;
    case WM_NCLBUTTONDOWN:
        return press_scroll_bar(hwnd, list_scroll_model(hwnd, *s), wParam, lParam, s->thumb);
    case WM_VSCROLL:
        return on_scroll(hwnd, *s, wParam);
    case WM_MOUSEWHEEL:
        s->top -= GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
        changed(hwnd, *s);
        return 0;
    case WM_KEYDOWN:
        return on_key_down(hwnd, *s, wParam);
    default:
        if (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100)
            return view_message(hwnd, *s, msg, wParam, lParam);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_list_view_class() {
    register_system_class(WC_LISTVIEWA, list_view_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
