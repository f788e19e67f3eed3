#include "menu/popup_layout.h"

#include "win32/menu.h"

#include <algorithm>

namespace lv::menu {
namespace {

int height_of(const PopupItemSize& item, const PopupMetrics& m) {
    if (item.separator)
        return m.separator_height;
    return item.height > 0 ? item.height : m.row_height;
}

int keep_inside(int position, int length, int screen_length) {
    position = std::min(position, screen_length - length);
    return std::max(position, 0);
}

bool overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

PopupLayout layout_popup(const std::vector<PopupItemSize>& items, const PopupMetrics& m) {
    PopupLayout out;
    out.items.resize(items.size());
    int x = m.border;
    int tallest = 0;
    size_t start = 0;
    do {
        size_t end = start;
        if (end < items.size())
            ++end;
        while (end < items.size() && !items[end].column_break)
            ++end;
        int label = 0, shortcut = 0;
        for (size_t i = start; i < end; ++i) {
            label = std::max(label, items[i].label_width);
            shortcut = std::max(shortcut, items[i].shortcut_width);
        }
        int width =
            m.check_width + label + (shortcut ? m.shortcut_gap + shortcut : 0) + m.arrow_width;
        int y = m.border;
        for (size_t i = start; i < end; ++i) {
            int h = height_of(items[i], m);
            out.items[i] = RECT{x, y, x + width, y + h};
            y += h;
        }
        tallest = std::max(tallest, y - m.border);
        x += width;
        start = end;
    } while (start < items.size());
    out.size = SIZE{x + m.border, tallest + 2 * m.border};
    return out;
}

int item_at(const PopupLayout& layout, POINT p) {
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const RECT& r = layout.items[i];
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

POINT place_popup(POINT at, SIZE size, UINT flags, SIZE screen, const RECT* exclude) {
    int x = at.x, y = at.y;
    if (flags & TPM_CENTERALIGN)
        x -= size.cx / 2;
    else if (flags & TPM_RIGHTALIGN)
        x -= size.cx;
    if (flags & TPM_VCENTERALIGN)
        y -= size.cy / 2;
    else if (flags & TPM_BOTTOMALIGN)
        y -= size.cy;
    if (x + size.cx > screen.cx && at.x - size.cx >= 0)
        x = at.x - size.cx;
    if (y + size.cy > screen.cy && at.y - size.cy >= 0)
        y = at.y - size.cy;
    x = keep_inside(x, size.cx, screen.cx);
    y = keep_inside(y, size.cy, screen.cy);
    RECT placed{x, y, x + size.cx, y + size.cy};
    if (exclude && overlaps(placed, *exclude)) {
        if (flags & TPM_VERTICAL) {
            y = exclude->bottom + size.cy <= screen.cy ? exclude->bottom : exclude->top - size.cy;
            y = keep_inside(y, size.cy, screen.cy);
        } else {
            x = exclude->right + size.cx <= screen.cx ? exclude->right : exclude->left - size.cx;
            x = keep_inside(x, size.cx, screen.cx);
        }
    }
    return POINT{x, y};
}

POINT place_submenu(const RECT& parent_item, const RECT& parent_popup, SIZE size, SIZE screen,
                    int border) {
    int x = parent_popup.right - border;
    if (x + size.cx > screen.cx)
        x = parent_popup.left - size.cx + border;
    int y = parent_item.top - border;
    return POINT{keep_inside(x, size.cx, screen.cx), keep_inside(y, size.cy, screen.cy)};
}

POINT place_dropdown(const RECT& title, SIZE size, SIZE screen) {
    int y = title.bottom;
    if (y + size.cy > screen.cy && title.top - size.cy >= 0)
        y = title.top - size.cy;
    return POINT{keep_inside(title.left, size.cx, screen.cx), keep_inside(y, size.cy, screen.cy)};
}

} // namespace lv::menu
