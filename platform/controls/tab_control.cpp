// "SysTabControl32": tabs with text and an image, laid out along one side of the control, the
// selected one joined to the page; clicks and arrow keys change the selection with
// TCN_SELCHANGING (which may refuse) and TCN_SELCHANGE.
#include "win32/tab_control.h"
#include "controls/control_support.h"
#include "controls/item_control_classes.h"
#include "controls/item_text.h"
#include "controls/paint_message.h"

#include <algorithm>
#include <vector>

namespace lv::controls {
namespace {

constexpr int kMargin = 2;   // from the control's edge to the first tab
constexpr int kPaddingX = 6; // around a tab's label
constexpr int kPaddingY = 3;
constexpr int kIconGap = 4;

enum class Side { top, left, right, bottom };

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
    RECT rect{};
};

struct TabState {
    std::vector<TabItem> items;
    int selected = -1;
    int focus = -1;
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;
    SIZE fixed{0, 0}; // TCM_SETITEMSIZE
    int rows = 1;
    int band = 0; // depth of the tab rows from the control's edge
};

Side side_of(DWORD style) {
    if (style & TCS_VERTICAL)
        return (style & TCS_RIGHT) ? Side::right : Side::left;
    return (style & TCS_BOTTOM) ? Side::bottom : Side::top;
}

SIZE icon_size(const TabState& s) {
    int cx = 0, cy = 0;
    if (s.images)
        ImageList_GetIconSize(s.images, &cx, &cy);
    return SIZE{cx, cy};
}

bool shows_icon(const TabState& s, const TabItem& item) {
    return s.images && item.image >= 0 && item.image < ImageList_GetImageCount(s.images);
}

void layout(HWND hwnd, TabState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = style_of(hwnd);
    const Side side = side_of(style);
    const SIZE icon = icon_size(s);
    const int depth = s.fixed.cy > 0
                          ? s.fixed.cy
                          : std::max<int>(line_height(hwnd, s.font), icon.cy) + 2 * kPaddingY + 2;
    const bool across = side == Side::top || side == Side::bottom;
    const int extent = across ? client.right : client.bottom;
    int pos = kMargin, row = 0;
    for (TabItem& item : s.items) {
        int length = 0;
        if ((style & TCS_FIXEDWIDTH) && s.fixed.cx > 0) {
            length = s.fixed.cx;
        } else {
            length = text_size(hwnd, s.font, item.text).cx + 2 * kPaddingX;
            if (shows_icon(s, item))
                length += icon.cx + kIconGap;
        }
        if ((style & TCS_MULTILINE) && pos > kMargin && pos + length > extent - kMargin) {
            ++row;
            pos = kMargin;
        }
        const int near = kMargin + row * depth, far = near + depth;
        switch (side) {
        case Side::top:
            item.rect = RECT{pos, near, pos + length, far};
            break;
        case Side::bottom:
            item.rect = RECT{pos, client.bottom - far, pos + length, client.bottom - near};
            break;
        case Side::left:
            item.rect = RECT{near, pos, far, pos + length};
            break;
        case Side::right:
            item.rect = RECT{client.right - far, pos, client.right - near, pos + length};
            break;
        }
        pos += length;
    }
    s.rows = row + 1;
    s.band = s.items.empty() ? 0 : kMargin + s.rows * depth;
}

// The page: the client area less the tab rows.
RECT page_rect(HWND hwnd, const TabState& s) {
    RECT r{};
    GetClientRect(hwnd, &r);
    switch (side_of(style_of(hwnd))) {
    case Side::top:
        r.top += s.band;
        break;
    case Side::bottom:
        r.bottom -= s.band;
        break;
    case Side::left:
        r.left += s.band;
        break;
    case Side::right:
        r.right -= s.band;
        break;
    }
    return r;
}

void relayout(HWND hwnd, TabState& s) {
    layout(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// TCM_ADJUSTRECT: between a window rectangle and the display area of its page.
void adjust_rect(HWND hwnd, const TabState& s, bool larger, RECT& r) {
    constexpr int kInset = 4; // page edge and a margin
    const int band = s.band;
    const int sign = larger ? -1 : 1;
    r.left += sign * kInset;
    r.top += sign * kInset;
    r.right -= sign * kInset;
    r.bottom -= sign * kInset;
    switch (side_of(style_of(hwnd))) {
    case Side::top:
        r.top += sign * band;
        break;
    case Side::bottom:
        r.bottom -= sign * band;
        break;
    case Side::left:
        r.left += sign * band;
        break;
    case Side::right:
        r.right -= sign * band;
        break;
    }
}

int hit_test(const TabState& s, POINT p, UINT* flags) {
    for (std::size_t i = 0; i < s.items.size(); ++i) {
        if (PtInRect(&s.items[i].rect, p)) {
            if (flags)
                *flags = TCHT_ONITEMLABEL;
            return static_cast<int>(i);
        }
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    return -1;
}

// Moves the selection as the user does: the parent may refuse it.
void select_by_user(HWND hwnd, TabState& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.items.size()) || index == s.selected)
        return;
    NMHDR header{};
    if (notify_parent(hwnd, header, TCN_SELCHANGING) != 0)
        return;
    s.selected = s.focus = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    NMHDR changed{};
    notify_parent(hwnd, changed, TCN_SELCHANGE);
}

void draw_item(HWND hwnd, HDC dc, const TabState& s, int index) {
    const TabItem& item = s.items[static_cast<std::size_t>(index)];
    const DWORD style = style_of(hwnd);
    const Side side = side_of(style);
    const bool selected = index == s.selected;
    RECT r = item.rect;
    const bool buttons = (style & TCS_BUTTONS) != 0;
    if (!buttons && selected) {
        // The selected tab stands out and joins the page.
        InflateRect(&r, 2, 2);
        switch (side) {
        case Side::top:
            r.bottom += 1;
            break;
        case Side::bottom:
            r.top -= 1;
            break;
        case Side::left:
            r.right += 1;
            break;
        case Side::right:
            r.left -= 1;
            break;
        }
    }
    const bool highlighted = (item.state & TCIS_HIGHLIGHTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_3DFACE));
    if (buttons) {
        const bool down = selected || (item.state & TCIS_BUTTONPRESSED);
        DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        UINT open_side = BF_BOTTOM;
        if (side == Side::bottom)
            open_side = BF_TOP;
        else if (side == Side::left)
            open_side = BF_RIGHT;
        else if (side == Side::right)
            open_side = BF_LEFT;
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT & ~open_side);
    }
    RECT label = r;
    InflateRect(&label, -kPaddingX / 2, -1);
    const SIZE icon = icon_size(s);
    const SIZE text = text_size(hwnd, s.font, item.text);
    int left = label.left + (label.right - label.left - text.cx) / 2;
    if (shows_icon(s, item)) {
        const int width = icon.cx + kIconGap + text.cx;
        const int icon_x =
            std::max<int>(label.left, label.left + (label.right - label.left - width) / 2);
        ImageList_Draw(s.images, item.image, dc, icon_x,
                       label.top + (label.bottom - label.top - icon.cy) / 2, ILD_TRANSPARENT);
        left = icon_x + icon.cx + kIconGap;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    RECT text_rect{left, label.top, label.right, label.bottom};
    DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text_rect,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (selected && GetFocus() == hwnd) {
        RECT focus = label;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

void paint(HWND hwnd, HDC dc, const TabState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    RECT page = page_rect(hwnd, s);
    if (!(style_of(hwnd) & TCS_BUTTONS))
        DrawEdge(dc, &page, EDGE_RAISED, BF_RECT);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i)
        if (i != s.selected)
            draw_item(hwnd, dc, s, i);
    if (s.selected >= 0)
        draw_item(hwnd, dc, s, s.selected); // drawn last: it overlaps its neighbours
    SelectObject(dc, old);
}

void store_item(TabItem& item, const TCITEMA& info) {
    if (info.mask & TCIF_TEXT)
        item.text = text_from(info.pszText);
    if (info.mask & TCIF_IMAGE)
        item.image = info.iImage;
    if (info.mask & TCIF_PARAM)
        item.param = info.lParam;
    if (info.mask & TCIF_STATE)
        item.state = (item.state & ~info.dwStateMask) | (info.dwState & info.dwStateMask);
}

LRESULT get_item(const TabState& s, int index, TCITEMA* info) {
    if (!info || index < 0 || index >= static_cast<int>(s.items.size()))
        return FALSE;
    const TabItem& item = s.items[static_cast<std::size_t>(index)];
    if (info->mask & TCIF_TEXT)
        copy_text(item.text, info->pszText, info->cchTextMax);
    if (info->mask & TCIF_IMAGE)
        info->iImage = item.image;
    if (info->mask & TCIF_PARAM)
        info->lParam = item.param;
    if (info->mask & TCIF_STATE)
        info->dwState = item.state & info->dwStateMask;
    return TRUE;
}

LRESULT insert_item(HWND hwnd, TabState& s, int index, const TCITEMA* info) {
    if (!info || index < 0)
        return -1;
    index = std::min(index, static_cast<int>(s.items.size()));
    TabItem item;
    store_item(item, *info);
    s.items.insert(s.items.begin() + index, item);
    if (s.selected < 0)
        s.selected = s.focus = 0;
    else if (index <= s.selected)
        ++s.selected;
    relayout(hwnd, s);
    return index;
}

LRESULT delete_item(HWND hwnd, TabState& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.items.size()))
        return FALSE;
    s.items.erase(s.items.begin() + index);
    if (s.selected == index)
        s.selected = -1;
    else if (s.selected > index)
        --s.selected;
    s.focus = s.selected;
    relayout(hwnd, s);
    return TRUE;
}

LRESULT on_key(HWND hwnd, TabState& s, WPARAM key) {
    const bool vertical = (style_of(hwnd) & TCS_VERTICAL) != 0;
    const UINT back = vertical ? VK_UP : VK_LEFT, forward = vertical ? VK_DOWN : VK_RIGHT;
    if (key == back)
        select_by_user(hwnd, s, s.selected - 1);
    else if (key == forward)
        select_by_user(hwnd, s, s.selected + 1);
    return 0;
}

LRESULT CALLBACK tab_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<TabState>(hwnd);
    TabState* s = state_of<TabState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<TabState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_STYLECHANGED:
        relayout(hwnd, *s);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        relayout(hwnd, *s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
        const int index = hit_test(*s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, nullptr);
        if (index >= 0 && !(style_of(hwnd) & TCS_FOCUSNEVER))
            SetFocus(hwnd);
        select_by_user(hwnd, *s, index);
        return 0;
    }
    case WM_KEYDOWN:
        return on_key(hwnd, *s, wParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(s->images);
    case TCM_SETIMAGELIST: {
        HIMAGELIST old = s->images;
        s->images = reinterpret_cast<HIMAGELIST>(lParam);
        relayout(hwnd, *s);
        return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETITEMCOUNT:
        return static_cast<LRESULT>(s->items.size());
    case TCM_GETITEMA:
        return get_item(*s, static_cast<int>(wParam), reinterpret_cast<TCITEMA*>(lParam));
    case TCM_SETITEMA: {
        const int index = static_cast<int>(wParam);
        const auto* info = reinterpret_cast<const TCITEMA*>(lParam);
        if (!info || index < 0 || index >= static_cast<int>(s->items.size()))
            return FALSE;
        store_item(s->items[static_cast<std::size_t>(index)], *info);
        relayout(hwnd, *s);
        return TRUE;
    }
    case TCM_INSERTITEMA:
        return insert_item(hwnd, *s, static_cast<int>(wParam),
                           reinterpret_cast<const TCITEMA*>(lParam));
    case TCM_DELETEITEM:
        return delete_item(hwnd, *s, static_cast<int>(wParam));
    case TCM_DELETEALLITEMS:
        s->items.clear();
        s->selected = s->focus = -1;
        relayout(hwnd, *s);
        return TRUE;
    case TCM_GETITEMRECT: {
        const int index = static_cast<int>(wParam);
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || index < 0 || index >= static_cast<int>(s->items.size()))
            return FALSE;
        *rect = s->items[static_cast<std::size_t>(index)].rect;
        return TRUE;
    }
    case TCM_GETCURSEL:
        return s->selected;
    case TCM_SETCURSEL: {
        const int old = s->selected;
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(s->items.size()))
            return -1;
        s->selected = s->focus = index;
        InvalidateRect(hwnd, nullptr, TRUE);
        return old;
    }
    case TCM_GETCURFOCUS:
        return s->focus;
    case TCM_SETCURFOCUS:
        select_by_user(hwnd, *s, static_cast<int>(wParam));
        return 0;
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        return info ? hit_test(*s, info->pt, &info->flags) : -1;
    }
    case TCM_ADJUSTRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam))
            adjust_rect(hwnd, *s, wParam != 0, *rect);
        return 0;
    case TCM_SETITEMSIZE: {
        const SIZE old = s->fixed;
        s->fixed = SIZE{LOWORD(lParam), HIWORD(lParam)};
        relayout(hwnd, *s);
        return MAKELRESULT(old.cx, old.cy);
    }
    case TCM_GETROWCOUNT:
        return s->rows;
    case TCM_DESELECTALL:
        for (TabItem& item : s->items)
            if (wParam == 0 || static_cast<int>(&item - s->items.data()) != s->selected)
                item.state &= ~TCIS_BUTTONPRESSED;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case TCM_HIGHLIGHTITEM: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(s->items.size()))
            return FALSE;
        DWORD& state = s->items[static_cast<std::size_t>(index)].state;
        state = LOWORD(lParam) ? (state | TCIS_HIGHLIGHTED) : (state & ~TCIS_HIGHLIGHTED);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_tab_class() {
    register_system_class(WC_TABCONTROLA, tab_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
