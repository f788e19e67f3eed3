// "SysTreeView32": items in a hierarchy, one row each, expanded and collapsed by their buttons,
// the mouse and the keyboard, with one selected item (the caret) and a vertical scroll bar of
// its own.
#include "controls/control_scroll_bar.h"
#include "controls/control_support.h"
#include "controls/key_walk.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"
#include "controls/tree_model.h"

#include <algorithm>
#include <cstring>

namespace lv::controls {
namespace {

constexpr int kDefaultIndent = 19;
constexpr int kButtonSize = 9;
constexpr COLORREF kDefaultColour = CLR_INVALID; // -1: the system colour

struct TreeState {
    TreeModel model;
    HTREEITEM caret = nullptr;
    HTREEITEM drop = nullptr;
    int top = 0;         // first row that shows
    int item_height = 0; // 0: from the font
    int indent = kDefaultIndent;
    COLORREF back = kDefaultColour;
    COLORREF text = kDefaultColour;
    COLORREF line = kDefaultColour;
    HFONT font = nullptr;
    bool focused = false;
    ThumbDrag thumb;
};

DWORD tree_style(HWND hwnd) {
    return style_of(hwnd);
}

int font_height(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_or_default(font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return metrics.tmHeight;
}

int row_height(const TreeState& s) {
    return s.item_height > 0 ? s.item_height : std::max(16, font_height(s.font) + 2);
}

int client_height(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.bottom;
}

int whole_rows(HWND hwnd, const TreeState& s) {
    return std::max(1, client_height(hwnd) / row_height(s));
}

ScrollModel scroll_model(HWND hwnd, const TreeState& s) {
    return ScrollModel{s.top, whole_rows(hwnd, s), static_cast<int>(s.model.rows().size())};
}

COLORREF back_colour(const TreeState& s) {
    return s.back == kDefaultColour ? GetSysColor(COLOR_WINDOW) : s.back;
}

COLORREF text_colour(const TreeState& s) {
    return s.text == kDefaultColour ? GetSysColor(COLOR_WINDOWTEXT) : s.text;
}

COLORREF line_colour(const TreeState& s) {
    return s.line == kDefaultColour ? GetSysColor(COLOR_GRAYTEXT) : s.line;
}

// The bar's numbers are published for GetScrollInfo, and the bar and the rows repainted.
void changed(HWND hwnd, TreeState& s) {
    const ScrollModel m = scroll_model(hwnd, s);
    s.top = clamped_top(m, s.top);
    publish_scroll_model(hwnd, ScrollModel{s.top, m.visible, m.count});
    InvalidateRect(hwnd, nullptr, TRUE);
    if (style_of(hwnd) & WS_VSCROLL)
        paint_scroll_bar(hwnd, scroll_model(hwnd, s));
}

// ---- geometry ---------------------------------------------------------------------------------

// Buttons and lines at the root take a column of their own.
int root_columns(HWND hwnd) {
    const DWORD style = tree_style(hwnd);
    return (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS)) ? 1 : 0;
}

int label_left(HWND hwnd, const TreeState& s, HTREEITEM item) {
    return (s.model.depth(item) + root_columns(hwnd)) * s.indent + 2;
}

int row_of(const std::vector<HTREEITEM>& rows, HTREEITEM item) {
    auto it = std::find(rows.begin(), rows.end(), item);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int text_width(HWND hwnd, const TreeState& s, const std::string& text) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cx + 4;
}

RECT label_rect(HWND hwnd, const TreeState& s, HTREEITEM item, int row) {
    const int h = row_height(s);
    const int y = (row - s.top) * h;
    const int left = label_left(hwnd, s, item);
    return RECT{left, y, left + text_width(hwnd, s, s.model.find(item)->text), y + h};
}

bool shows_button(HWND hwnd, const TreeState& s, HTREEITEM item) {
    return (tree_style(hwnd) & TVS_HASBUTTONS) && s.model.has_children(item) &&
           (s.model.depth(item) > 0 || root_columns(hwnd) > 0);
}

RECT button_rect(HWND hwnd, const TreeState& s, HTREEITEM item, int row) {
    const int h = row_height(s);
    const int centre_x = label_left(hwnd, s, item) - 2 - s.indent / 2;
    const int centre_y = (row - s.top) * h + h / 2;
    return RECT{centre_x - kButtonSize / 2, centre_y - kButtonSize / 2,
                centre_x - kButtonSize / 2 + kButtonSize, centre_y - kButtonSize / 2 + kButtonSize};
}

HTREEITEM hit_test(HWND hwnd, const TreeState& s, POINT at, UINT& flags) {
    RECT client{};
    GetClientRect(hwnd, &client);
    flags = 0;
    if (at.y < 0)
        flags |= TVHT_ABOVE;
    if (at.y >= client.bottom)
        flags |= TVHT_BELOW;
    if (at.x < 0)
        flags |= TVHT_TOLEFT;
    if (at.x >= client.right)
        flags |= TVHT_TORIGHT;
    if (flags)
        return nullptr;
    const std::vector<HTREEITEM> rows = s.model.rows();
    const int row = s.top + at.y / row_height(s);
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        flags = TVHT_NOWHERE;
        return nullptr;
    }
    HTREEITEM item = rows[static_cast<std::size_t>(row)];
    const RECT label = label_rect(hwnd, s, item, row);
    const RECT button = button_rect(hwnd, s, item, row);
    if (shows_button(hwnd, s, item) && PtInRect(&button, at))
        flags = TVHT_ONITEMBUTTON;
    else if (at.x < label.left)
        flags = TVHT_ONITEMINDENT;
    else if (at.x < label.right)
        flags = TVHT_ONITEMLABEL;
    else
        flags = TVHT_ONITEMRIGHT;
    return item;
}

// ---- notifications ----------------------------------------------------------------------------

TVITEMA item_for_note(const TreeState& s, HTREEITEM item) {
    TVITEMA out{};
    out.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    out.hItem = item;
    if (const TreeItem* found = s.model.find(item)) {
        out.state = found->state | (item == s.caret ? TVIS_SELECTED : 0);
        out.lParam = found->param;
    }
    return out;
}

LRESULT tell(HWND hwnd, const TreeState& s, UINT code, UINT action, HTREEITEM old_item,
             HTREEITEM new_item) {
    NMTREEVIEWA note{};
    note.action = action;
    note.itemOld = item_for_note(s, old_item);
    note.itemNew = item_for_note(s, new_item);
    return notify_parent(hwnd, note.hdr, code);
}

void tell_plain(HWND hwnd, UINT code) {
    NMHDR note{};
    notify_parent(hwnd, note, code);
}

// ---- changes ----------------------------------------------------------------------------------

void make_visible(HWND hwnd, TreeState& s, HTREEITEM item) {
    const std::vector<HTREEITEM> rows = s.model.rows();
    const int row = row_of(rows, item);
    if (row < 0)
        return;
    const int visible = whole_rows(hwnd, s);
    if (row < s.top)
        s.top = row;
    else if (row >= s.top + visible)
        s.top = row - visible + 1;
}

bool select(HWND hwnd, TreeState& s, HTREEITEM item, UINT action) {
    if (item && !s.model.find(item))
        return false;
    if (item == s.caret) {
        make_visible(hwnd, s, item);
        changed(hwnd, s);
        return true;
    }
    if (tell(hwnd, s, TVN_SELCHANGINGA, action, s.caret, item) != 0)
        return false;
    // The parent may have deleted either item meanwhile.
    if (item && !s.model.find(item))
        return false;
    const HTREEITEM old = s.model.find(s.caret) ? s.caret : nullptr;
    s.caret = item;
    make_visible(hwnd, s, item);
    changed(hwnd, s);
    tell(hwnd, s, TVN_SELCHANGEDA, action, old, item);
    return true;
}

// TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE; false when the parent refused or nothing changed.
bool expand(HWND hwnd, TreeState& s, HTREEITEM item, WPARAM how) {
    TreeItem* found = s.model.find(item);
    if (!found)
        return false;
    const bool open = (found->state & TVIS_EXPANDED) != 0;
    const WPARAM action =
        (how & TVE_TOGGLE) == TVE_TOGGLE ? (open ? TVE_COLLAPSE : TVE_EXPAND) : (how & TVE_TOGGLE);
    if ((action == TVE_EXPAND) == open || (action == TVE_EXPAND && !s.model.has_children(item)))
        return false;
    if (tell(hwnd, s, TVN_ITEMEXPANDINGA, static_cast<UINT>(action), nullptr, item) != 0)
        return false;
    found = s.model.find(item);
    if (!found)
        return false;
    if (action == TVE_EXPAND)
        found->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    else
        found->state &= ~TVIS_EXPANDED;
    // A selection inside a closed branch moves up to the branch.
    if (action == TVE_COLLAPSE && s.model.inside(s.caret, item))
        select(hwnd, s, item, TVC_UNKNOWN);
    changed(hwnd, s);
    tell(hwnd, s, TVN_ITEMEXPANDEDA, static_cast<UINT>(action), nullptr, item);
    return true;
}

LRESULT remove(HWND hwnd, TreeState& s, HTREEITEM item) {
    const bool removed = s.model.remove(item, [&](HTREEITEM gone, const TreeItem& data) {
        NMTREEVIEWA note{};
        note.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
        note.itemOld.hItem = gone;
        note.itemOld.lParam = data.param;
        notify_parent(hwnd, note.hdr, TVN_DELETEITEMA);
    });
    if (!s.model.find(s.caret))
        s.caret = nullptr;
    if (!s.model.find(s.drop))
        s.drop = nullptr;
    changed(hwnd, s);
    return removed;
}

// ---- items ------------------------------------------------------------------------------------

void take_fields(TreeItem& item, const TVITEMA& from) {
    if ((from.mask & TVIF_TEXT) && from.pszText &&
        from.pszText != reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1)))
        item.text = from.pszText;
    if (from.mask & TVIF_PARAM)
        item.param = from.lParam;
    if (from.mask & TVIF_IMAGE)
        item.image = from.iImage;
    if (from.mask & TVIF_SELECTEDIMAGE)
        item.selected_image = from.iSelectedImage;
    if (from.mask & TVIF_CHILDREN)
        item.children = from.cChildren;
    if (from.mask & TVIF_STATE)
        item.state =
            (item.state & ~from.stateMask) | (from.state & from.stateMask & ~TVIS_SELECTED);
}

LRESULT insert(HWND hwnd, TreeState& s, LPARAM lParam) {
    const auto* request = reinterpret_cast<const TVINSERTSTRUCTA*>(lParam);
    if (!request)
        return 0;
    TreeItem item;
    take_fields(item, request->item);
    HTREEITEM made = s.model.insert(request->hParent, request->hInsertAfter, std::move(item));
    if (made)
        changed(hwnd, s);
    return reinterpret_cast<LRESULT>(made);
}

LRESULT get_item(const TreeState& s, LPARAM lParam) {
    auto* out = reinterpret_cast<TVITEMA*>(lParam);
    if (!out)
        return FALSE;
    const TreeItem* item = s.model.find(out->hItem);
    if (!item)
        return FALSE;
    if ((out->mask & TVIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        const std::size_t n =
            std::min(item->text.size(), static_cast<std::size_t>(out->cchTextMax - 1));
        std::memcpy(out->pszText, item->text.data(), n);
        out->pszText[n] = '\0';
    }
    if (out->mask & TVIF_PARAM)
        out->lParam = item->param;
    if (out->mask & TVIF_IMAGE)
        out->iImage = item->image;
    if (out->mask & TVIF_SELECTEDIMAGE)
        out->iSelectedImage = item->selected_image;
    if (out->mask & TVIF_CHILDREN)
        out->cChildren = s.model.has_children(out->hItem) ? 1 : 0;
    if (out->mask & TVIF_STATE) {
        const UINT state = item->state | (out->hItem == s.caret ? TVIS_SELECTED : 0) |
                           (out->hItem == s.drop ? TVIS_DROPHILITED : 0);
        out->state = state & out->stateMask;
    }
    return TRUE;
}

LRESULT set_item(HWND hwnd, TreeState& s, LPARAM lParam) {
    const auto* in = reinterpret_cast<const TVITEMA*>(lParam);
    TreeItem* item = in ? s.model.find(in->hItem) : nullptr;
    if (!item)
        return FALSE;
    take_fields(*item, *in);
    changed(hwnd, s);
    return TRUE;
}

LRESULT next_item(HWND hwnd, const TreeState& s, WPARAM which, HTREEITEM from) {
    const std::vector<HTREEITEM> rows = s.model.rows();
    HTREEITEM found = nullptr;
    switch (which) {
    case TVGN_ROOT:
        found = s.model.first_root();
        break;
    case TVGN_CARET:
        found = s.caret;
        break;
    case TVGN_DROPHILITE:
        found = s.drop;
        break;
    case TVGN_NEXT:
        found = s.model.next_sibling(from);
        break;
    case TVGN_PREVIOUS:
        found = s.model.previous_sibling(from);
        break;
    case TVGN_PARENT:
        found = s.model.parent(from);
        break;
    case TVGN_CHILD:
        found = s.model.first_child(from);
        break;
    case TVGN_FIRSTVISIBLE:
        found =
            s.top < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(s.top)] : nullptr;
        break;
    case TVGN_LASTVISIBLE:
        found = rows.empty() ? nullptr : rows.back();
        break;
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
        const int row = row_of(rows, from);
        const int next = row + (which == TVGN_NEXTVISIBLE ? 1 : -1);
        if (row >= 0 && next >= 0 && next < static_cast<int>(rows.size()))
            found = rows[static_cast<std::size_t>(next)];
        break;
    }
    default:
        break;
    }
    return reinterpret_cast<LRESULT>(found);
}

LRESULT select_item(HWND hwnd, TreeState& s, WPARAM which, HTREEITEM item) {
    switch (which) {
    case TVGN_CARET:
        return select(hwnd, s, item, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
        if (item && !s.model.find(item))
            return FALSE;
        s.drop = item;
        changed(hwnd, s);
        return TRUE;
    case TVGN_FIRSTVISIBLE: {
        const int row = row_of(s.model.rows(), item);
        if (row < 0)
            return FALSE;
        s.top = row;
        changed(hwnd, s);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

LRESULT item_rect(HWND hwnd, const TreeState& s, WPARAM text_only, LPARAM lParam) {
    auto* out = reinterpret_cast<RECT*>(lParam);
    if (!out)
        return FALSE;
    // The caller puts the item's handle where the rectangle goes.
    HTREEITEM item = nullptr;
    std::memcpy(&item, out, sizeof item);
    const int row = row_of(s.model.rows(), item);
    if (row < 0)
        return FALSE;
    if (text_only) {
        *out = label_rect(hwnd, s, item, row);
        return TRUE;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    const int y = (row - s.top) * row_height(s);
    *out = RECT{0, y, client.right, y + row_height(s)};
    return TRUE;
}

LRESULT ensure_visible(HWND hwnd, TreeState& s, HTREEITEM item) {
    if (!s.model.find(item))
        return FALSE;
    for (HTREEITEM p = s.model.parent(item); p; p = s.model.parent(p))
        if (!s.model.expanded(p))
            expand(hwnd, s, p, TVE_EXPAND);
    const int before = s.top;
    make_visible(hwnd, s, item);
    changed(hwnd, s);
    return s.top != before;
}

LRESULT set_colour(HWND hwnd, TreeState& s, COLORREF& slot, LPARAM colour) {
    const COLORREF old = slot;
    slot = static_cast<COLORREF>(colour);
    changed(hwnd, s);
    return static_cast<LRESULT>(static_cast<LONG>(old));
}

// ---- painting ---------------------------------------------------------------------------------

void dotted_line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
    if (x0 == x1) {
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); y += 2)
            SetPixel(dc, x0, y, colour);
    } else {
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); x += 2)
            SetPixel(dc, x, y0, colour);
    }
}

void paint_lines(HWND hwnd, HDC dc, const TreeState& s, HTREEITEM item, int row) {
    const int h = row_height(s);
    const int top = (row - s.top) * h;
    const int middle = top + h / 2;
    const COLORREF colour = line_colour(s);
    const int level = s.model.depth(item) + root_columns(hwnd);
    if (level == 0)
        return;
    const int column = (level - 1) * s.indent + s.indent / 2;
    const bool first_at_top = !s.model.parent(item) && item == s.model.first_root();
    dotted_line(dc, column, first_at_top ? middle : top, column, middle, colour);
    if (s.model.next_sibling(item))
        dotted_line(dc, column, middle, column, top + h, colour);
    dotted_line(dc, column, middle, label_left(hwnd, s, item) - 2, middle, colour);
    // The lines of the ancestors that go on below this row.
    int ancestor_level = level - 1;
    for (HTREEITEM p = s.model.parent(item); p && ancestor_level > 0; p = s.model.parent(p)) {
        --ancestor_level;
        if (s.model.next_sibling(p)) {
            const int x = ancestor_level * s.indent + s.indent / 2;
            dotted_line(dc, x, top, x, top + h, colour);
        }
    }
}

void paint_button(HWND hwnd, HDC dc, const TreeState& s, HTREEITEM item, int row) {
    RECT box = button_rect(hwnd, s, item, row);
    HBRUSH back = CreateSolidBrush(back_colour(s));
    FillRect(dc, &box, back);
    DeleteObject(back);
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT));
    FrameRect(dc, &box, frame);
    DeleteObject(frame);
    HBRUSH ink = CreateSolidBrush(text_colour(s));
    const int cx = box.left + kButtonSize / 2, cy = box.top + kButtonSize / 2;
    const RECT across{box.left + 2, cy, box.right - 2, cy + 1};
    FillRect(dc, &across, ink);
    if (!s.model.expanded(item)) {
        const RECT down{cx, box.top + 2, cx + 1, box.bottom - 2};
        FillRect(dc, &down, ink);
    }
    DeleteObject(ink);
}

void paint_label(HWND hwnd, HDC dc, const TreeState& s, HTREEITEM item, int row) {
    const TreeItem& data = *s.model.find(item);
    RECT label = label_rect(hwnd, s, item, row);
    if (tree_style(hwnd) & TVS_FULLROWSELECT) {
        RECT client{};
        GetClientRect(hwnd, &client);
        label.right = client.right;
    }
    const bool selected = item == s.caret || item == s.drop;
    const bool highlighted = selected && (s.focused || item == s.drop);
    const bool kept = selected && !highlighted && (tree_style(hwnd) & TVS_SHOWSELALWAYS);
    COLORREF ink = text_colour(s);
    if (highlighted || kept) {
        FillRect(dc, &label, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_3DFACE));
        ink = highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT);
    }
    if (!IsWindowEnabled(hwnd))
        ink = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, ink);
    RECT text = label;
    text.left += 2;
    DrawTextA(dc, data.text.c_str(), static_cast<int>(data.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item == s.caret && s.focused)
        DrawFocusRect(dc, &label);
}

void paint(HWND hwnd, HDC dc, const TreeState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    HBRUSH back = CreateSolidBrush(back_colour(s));
    FillRect(dc, &client, back);
    DeleteObject(back);
    HGDIOBJ old_font = SelectObject(dc, font_or_default(s.font));
    SetBkMode(dc, TRANSPARENT);
    const std::vector<HTREEITEM> rows = s.model.rows();
    const int last = std::min(static_cast<int>(rows.size()), s.top + whole_rows(hwnd, s) + 1);
    for (int row = s.top; row < last; ++row) {
        HTREEITEM item = rows[static_cast<std::size_t>(row)];
        if (tree_style(hwnd) & TVS_HASLINES)
            paint_lines(hwnd, dc, s, item, row);
        if (shows_button(hwnd, s, item))
            paint_button(hwnd, dc, s, item, row);
        paint_label(hwnd, dc, s, item, row);
    }
    SelectObject(dc, old_font);
}

LRESULT on_nc_paint(HWND hwnd, const TreeState& s, WPARAM region) {
    DefWindowProcA(hwnd, WM_NCPAINT, region, 0);
    if (style_of(hwnd) & WS_VSCROLL)
        paint_scroll_bar(hwnd, scroll_model(hwnd, s));
    return 0;
}

// ---- input ------------------------------------------------------------------------------------

LRESULT on_button_down(HWND hwnd, TreeState& s, LPARAM lParam, bool twice) {
    SetFocus(hwnd);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    UINT flags = 0;
    HTREEITEM item = hit_test(hwnd, s, at, flags);
    if (!item)
        return 0;
    if (flags & TVHT_ONITEMBUTTON) {
        expand(hwnd, s, item, TVE_TOGGLE);
        return 0;
    }
    const bool on_row = (flags & TVHT_ONITEMLABEL) || (tree_style(hwnd) & TVS_FULLROWSELECT);
    if (!on_row)
        return 0;
    select(hwnd, s, item, TVC_BYMOUSE);
    if (twice) {
        NMHDR note{};
        if (notify_parent(hwnd, note, NM_DBLCLK) == 0)
            expand(hwnd, s, item, TVE_TOGGLE);
    }
    return 0;
}

LRESULT on_key_down(HWND hwnd, TreeState& s, WPARAM key) {
    NMTVKEYDOWN note{};
    note.wVKey = static_cast<WORD>(key);
    notify_parent(hwnd, note.hdr, TVN_KEYDOWN);
    const std::vector<HTREEITEM> rows = s.model.rows();
    const int row = row_of(rows, s.caret);
    const int page = whole_rows(hwnd, s);
    const int walked = walked_row(key, row, page - 1, static_cast<int>(rows.size()));
    HTREEITEM target = walked >= 0 ? rows[static_cast<std::size_t>(walked)] : nullptr;
    switch (key) {
    case VK_LEFT:
        if (s.caret && s.model.expanded(s.caret))
            expand(hwnd, s, s.caret, TVE_COLLAPSE);
        else
            target = s.model.parent(s.caret);
        break;
    case VK_RIGHT:
        if (s.caret && s.model.has_children(s.caret) && !s.model.expanded(s.caret))
            expand(hwnd, s, s.caret, TVE_EXPAND);
        else
            target = s.model.first_child(s.caret ? s.caret : nullptr);
        break;
    case VK_ADD:
        expand(hwnd, s, s.caret, TVE_EXPAND);
        break;
    case VK_SUBTRACT:
        expand(hwnd, s, s.caret, TVE_COLLAPSE);
        break;
    case VK_RETURN:
        tell_plain(hwnd, NM_RETURN);
        break;
    default:
        break;
    }
    if (target)
        select(hwnd, s, target, TVC_BYKEYBOARD);
    return 0;
}

LRESULT on_scroll(HWND hwnd, TreeState& s, WPARAM wParam) {
    s.top = scrolled_top(scroll_model(hwnd, s), LOWORD(wParam), HIWORD(wParam));
    changed(hwnd, s);
    return 0;
}

LRESULT on_focus(HWND hwnd, TreeState& s, bool gained) {
    s.focused = gained;
    InvalidateRect(hwnd, nullptr, TRUE);
    tell_plain(hwnd, gained ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

LRESULT CALLBACK tree_view_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<TreeState>(hwnd);
    TreeState* s = state_of<TreeState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        changed(hwnd, *s);
        return 0;
    case WM_DESTROY:
        remove(hwnd, *s, TVI_ROOT);
        return 0;
    case WM_NCDESTROY:
        destroy_state<TreeState>(hwnd);
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
        if (end_thumb_drag(hwnd, scroll_model(hwnd, *s), s->thumb,
                           POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            return 0;
        tell_plain(hwnd, NM_CLICK);
        return 0;
    case WM_MOUSEMOVE:
        follow_thumb_drag(hwnd, scroll_model(hwnd, *s), s->thumb,
                          POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        cancel_thumb_drag(hwnd, s->thumb);
        return 0;
    case WM_NCLBUTTONDOWN:
        return press_scroll_bar(hwnd, scroll_model(hwnd, *s), wParam, lParam, s->thumb);
    case WM_VSCROLL:
        return on_scroll(hwnd, *s, wParam);
    case WM_MOUSEWHEEL:
        s->top = clamped_top(scroll_model(hwnd, *s),
                             s->top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
        changed(hwnd, *s);
        return 0;
    case WM_KEYDOWN:
        return on_key_down(hwnd, *s, wParam);
    case TVM_INSERTITEMA:
        return insert(hwnd, *s, lParam);
    case TVM_DELETEITEM:
        return remove(hwnd, *s, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND:
        return expand(hwnd, *s, reinterpret_cast<HTREEITEM>(lParam), wParam);
    case TVM_GETITEMRECT:
        return item_rect(hwnd, *s, wParam, lParam);
    case TVM_GETCOUNT:
        return static_cast<LRESULT>(s->model.size());
    case TVM_GETINDENT:
        return s->indent;
    case TVM_SETINDENT:
        s->indent = std::max(kButtonSize + 4, static_cast<int>(wParam));
        changed(hwnd, *s);
        return 0;
    case TVM_GETNEXTITEM:
        return next_item(hwnd, *s, wParam, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_SELECTITEM:
        return select_item(hwnd, *s, wParam, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMA:
        return get_item(*s, lParam);
    case TVM_SETITEMA:
        return set_item(hwnd, *s, lParam);
    case TVM_GETVISIBLECOUNT:
        return whole_rows(hwnd, *s);
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!info)
            return 0;
        info->hItem = hit_test(hwnd, *s, info->pt, info->flags);
        return reinterpret_cast<LRESULT>(info->hItem);
    }
    case TVM_ENSUREVISIBLE:
        return ensure_visible(hwnd, *s, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_SETITEMHEIGHT: {
        const int old = row_height(*s);
        s->item_height = static_cast<int>(wParam) == -1 ? 0 : std::max(1, static_cast<int>(wParam));
        changed(hwnd, *s);
        return old;
    }
    case TVM_GETITEMHEIGHT:
        return row_height(*s);
    case TVM_SETBKCOLOR:
        return set_colour(hwnd, *s, s->back, lParam);
    case TVM_GETBKCOLOR:
        return static_cast<LONG>(s->back);
    case TVM_SETTEXTCOLOR:
        return set_colour(hwnd, *s, s->text, lParam);
    case TVM_GETTEXTCOLOR:
        return static_cast<LONG>(s->text);
    case TVM_SETLINECOLOR:
        return set_colour(hwnd, *s, s->line, lParam);
    case TVM_GETLINECOLOR:
        return static_cast<LONG>(s->line);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_tree_view_class() {
    register_system_class(WC_TREEVIEWA, tree_view_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
