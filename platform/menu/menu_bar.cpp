#include "menu/menu_bar.h"

#include "menu/menu_metrics.h"
#include "menu/menu_paint.h"
#include "window/menu_port.h"
#include "window/nonclient_geometry.h"

#include <map>
#include <mutex>

namespace lv::menu {
namespace {

struct Highlight {
    int item = -1;
    bool open = false;
};

struct Highlights {
    std::mutex mutex;
    std::map<HWND, Highlight> windows;
};

Highlights& highlights() {
    static auto* h = new Highlights;
    return *h;
}

Highlight highlight_of(HWND hwnd) {
    auto& h = highlights();
    std::lock_guard lock(h.mutex);
    auto it = h.windows.find(hwnd);
    return it == h.windows.end() ? Highlight{} : it->second;
}

HMENU bar_menu_of(HWND hwnd) {
    if (!IsWindow(hwnd) || (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        return nullptr;
    auto menu = reinterpret_cast<HMENU>(GetWindowLongPtrA(hwnd, GWLP_ID));
    return IsMenu(menu) ? menu : nullptr;
}

int border_of(HWND hwnd) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    DWORD ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    return window::frame_layout(style, ex_style, SIZE{0, 0}).border;
}

bool is_picture(const Item& item) {
    return (item.type & MFT_BITMAP) != 0;
}

void paint_title(HDC dc, const Item& item, RECT r, bool highlighted, bool open) {
    if (is_picture(item)) {
        draw_item_picture(dc, item, r, highlighted && open);
        return;
    }
    if (highlighted) {
        RECT edge = r;
        DrawEdge(dc, &edge, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        if (open)
            OffsetRect(&r, 1, 1);
    }
    TextLook look = item.disabled() ? TextLook::disabled : TextLook::normal;
    draw_menu_text(dc, item.text, r, DT_CENTER, look);
}

} // namespace

std::vector<BarItemSize> measure_bar(const std::vector<Item>& items) {
    std::vector<BarItemSize> sizes;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, menu_font());
    for (const Item& item : items) {
        BarItemSize size;
        size.right_justify = (item.type & MFT_RIGHTJUSTIFY) != 0;
        size.row_break = (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        if (is_picture(item))
            size.width = item_picture_size(item).cx;
        else if (!item.separator())
            size.width = text_size(dc, split_item_text(item.text).label).cx + 2 * kBarItemPadding;
        sizes.push_back(size);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return sizes;
}

std::optional<BarGeometry> bar_geometry(HWND hwnd) {
    HMENU menu = bar_menu_of(hwnd);
    if (!menu)
        return std::nullopt;
    auto snapshot_menu = snapshot(menu);
    if (!snapshot_menu)
        return std::nullopt;
    RECT window{};
    GetWindowRect(hwnd, &window);
    SIZE size{window.right - window.left, window.bottom - window.top};
    BarGeometry g;
    g.menu = menu;
    g.items = std::move(snapshot_menu->items);
    int border = border_of(hwnd);
    BarLayout layout = layout_bar(measure_bar(g.items), size.cx - 2 * border, bar_row_height());
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    DWORD ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    g.bar = window::frame_layout(style, ex_style, size, layout.height).menu;
    for (RECT r : layout.items) {
        OffsetRect(&r, g.bar.left, g.bar.top);
        g.rects.push_back(r);
    }
    return g;
}

int bar_height_of(HWND hwnd, int window_width) {
    HMENU menu = bar_menu_of(hwnd);
    if (!menu)
        return 0;
    auto m = snapshot(menu);
    if (!m)
        return 0;
    int width = window_width - 2 * border_of(hwnd);
    return layout_bar(measure_bar(m->items), width, bar_row_height()).height;
}

int bar_item_at(HWND hwnd, const BarGeometry& bar, POINT screen) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT p{screen.x - window.left, screen.y - window.top};
    for (size_t i = 0; i < bar.rects.size(); ++i) {
        const RECT& r = bar.rects[i];
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom &&
            !bar.items[i].separator())
            return static_cast<int>(i);
    }
    return -1;
}

void set_bar_highlight(HWND hwnd, int item, bool open) {
    {
        auto& h = highlights();
        std::lock_guard lock(h.mutex);
        if (item < 0)
            h.windows.erase(hwnd);
        else
            h.windows[hwnd] = Highlight{item, open};
    }
    redraw_bar(hwnd);
}

void forget_bar_highlight(HWND hwnd) {
    auto& h = highlights();
    std::lock_guard lock(h.mutex);
    h.windows.erase(hwnd);
}

void paint_bar(HWND hwnd, HDC dc, const RECT& bar) {
    auto g = bar_geometry(hwnd);
    HBRUSH background = GetSysColorBrush(COLOR_MENU);
    FillRect(dc, &bar, background);
    if (!g)
        return;
    Highlight h = highlight_of(hwnd);
    for (size_t i = 0; i < g->items.size(); ++i) {
        bool lit = static_cast<int>(i) == h.item;
        paint_title(dc, g->items[i], g->rects[i], lit, lit && h.open);
    }
}

void redraw_bar(HWND hwnd) {
    auto g = bar_geometry(hwnd);
    if (!g)
        return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    paint_bar(hwnd, dc, g->bar);
    ReleaseDC(hwnd, dc);
}

} // namespace lv::menu

namespace lv::window::menu_port {

int bar_height(HWND hwnd, int window_width) {
    return lv::menu::bar_height_of(hwnd, window_width);
}

void paint_bar(HWND hwnd, HDC window_dc, const RECT& bar) {
    lv::menu::paint_bar(hwnd, window_dc, bar);
}

} // namespace lv::window::menu_port
