#include "menu/popup_window.h"

#include "menu/menu_metrics.h"
#include "menu/menu_paint.h"
#include "window/menu_port.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace lv::menu {
namespace {

// The popup windows that drop from a menu bar, asked for by the display from its own thread.
struct DropDowns {
    std::mutex mutex;
    std::set<HWND> windows;
};
DropDowns& drop_downs() {
    static DropDowns d;
    return d;
}

bool is_picture(const Item& item) {
    return (item.type & MFT_BITMAP) != 0;
}

bool owner_drawn(const Item& item) {
    return (item.type & MFT_OWNERDRAW) != 0;
}

TextLook look_of(const Item& item, bool selected) {
    if (item.disabled())
        return selected ? TextLook::disabled_selected : TextLook::disabled;
    return selected ? TextLook::selected : TextLook::normal;
}

COLORREF glyph_colour(const Item& item, bool selected) {
    if (selected)
        return GetSysColor(item.disabled() ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT);
    return GetSysColor(item.disabled() ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
}

void draw_bitmap(HDC dc, HBITMAP bitmap, const RECT& column) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof(info), &info))
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    int x = column.left + (column.right - column.left - info.bmWidth) / 2;
    int y = column.top + (column.bottom - column.top - info.bmHeight) / 2;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void draw_owner_item(HDC dc, const PopupView& view, const Item& item, const RECT& r,
                     bool selected) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (selected ? ODS_SELECTED : 0) | (item.checked_state() ? ODS_CHECKED : 0) |
                     ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
                     ((item.state & MF_DISABLED) ? ODS_DISABLED : 0);
    draw.hwndItem = reinterpret_cast<HWND>(view.menu);
    draw.hDC = dc;
    draw.rcItem = r;
    draw.itemData = item.data;
    SendMessageA(view.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

void draw_item(HDC dc, const PopupView& view, size_t index, const PopupMetrics& m) {
    const Item& item = view.items[index];
    const RECT& r = view.layout.items[index];
    if (item.separator()) {
        int middle = (r.top + r.bottom) / 2 - 1;
        RECT line{r.left + 1, middle, r.right - 1, middle + 2};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    bool selected = static_cast<int>(index) == view.selected;
    if (selected)
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (owner_drawn(item)) {
        draw_owner_item(dc, view, item, r, selected);
        return;
    }
    RECT check{r.left, r.top, r.left + m.check_width, r.bottom};
    RECT arrow{r.right - m.arrow_width, r.top, r.right, r.bottom};
    RECT text{check.right, r.top, arrow.left, r.bottom};
    if (item.checked_state() && item.checked)
        draw_bitmap(dc, item.checked, check);
    else if (item.checked_state())
        draw_check_mark(dc, check, (item.type & MFT_RADIOCHECK) != 0, glyph_colour(item, selected));
    else if (item.unchecked)
        draw_bitmap(dc, item.unchecked, check);
    if (item.submenu)
        draw_submenu_arrow(dc, arrow, glyph_colour(item, selected));
    if (is_picture(item)) {
        draw_item_picture(dc, item, text, false);
        return;
    }
    ItemText parts = split_item_text(item.text);
    draw_menu_text(dc, parts.label, text, DT_LEFT, look_of(item, selected));
    if (!parts.shortcut.empty())
        draw_menu_text(dc, parts.shortcut, text, DT_RIGHT, look_of(item, selected));
}

void paint(HWND hwnd, HDC dc) {
    auto* view = reinterpret_cast<PopupView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    if (!view)
        return;
    PopupMetrics m = popup_metrics();
    for (size_t i = 0; i < view->items.size() && i < view->layout.items.size(); ++i)
        draw_item(dc, *view, i, m);
}

LRESULT CALLBACK popup_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc)
            paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCDESTROY: {
        std::lock_guard lock(drop_downs().mutex);
        drop_downs().windows.erase(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void register_popup_class() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = popup_proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_MENU + 1));
        wc.lpszClassName = MENU_POPUP_CLASS;
        RegisterClassExA(&wc);
    });
}

} // namespace

PopupMetrics popup_metrics() {
    PopupMetrics m;
    m.border = kPopupBorder;
    m.row_height = popup_row_height();
    m.separator_height = kSeparatorHeight;
    m.check_width = check_column_width();
    m.arrow_width = arrow_column_width();
    m.shortcut_gap = kShortcutGap;
    return m;
}

std::vector<PopupItemSize> measure_popup(HWND owner, const std::vector<Item>& items) {
    std::vector<PopupItemSize> sizes;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, menu_font());
    const int row = popup_row_height();
    for (const Item& item : items) {
        PopupItemSize size;
        size.column_break = (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        if (item.separator()) {
            size.separator = true;
        } else if (owner_drawn(item)) {
            MEASUREITEMSTRUCT measure{ODT_MENU, 0, item.id, 0, static_cast<UINT>(row), item.data};
            SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
            size.label_width = static_cast<int>(measure.itemWidth);
            size.height = static_cast<int>(measure.itemHeight);
        } else if (is_picture(item)) {
            SIZE picture = item_picture_size(item);
            size.label_width = picture.cx;
            size.height = std::max(row, static_cast<int>(picture.cy));
        } else {
            ItemText parts = split_item_text(item.text);
            size.label_width = text_size(dc, parts.label).cx;
            if (!parts.shortcut.empty())
                size.shortcut_width = text_size(dc, parts.shortcut).cx;
        }
        sizes.push_back(size);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return sizes;
}

HWND create_popup_window(PopupView& view, POINT at) {
    register_popup_class();
    HWND hwnd =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, MENU_POPUP_CLASS, "",
                        WS_POPUP | WS_CLIPSIBLINGS, at.x, at.y, view.layout.size.cx,
                        view.layout.size.cy, view.owner, nullptr, nullptr, nullptr);
    if (!hwnd)
        return nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
    if (view.from_bar) {
        std::lock_guard lock(drop_downs().mutex);
        drop_downs().windows.insert(hwnd);
    }
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(hwnd);
    return hwnd;
}

void repaint_popup(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

} // namespace lv::menu

bool lv::window::menu_port::drops_from_bar(HWND popup) {
    auto& d = lv::menu::drop_downs();
    std::lock_guard lock(d.mutex);
    return d.windows.count(popup) != 0;
}
