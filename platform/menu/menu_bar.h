// The menu bar a window with a menu shows in its non-client area: measuring, painting and the
// highlight the menu loop sets.
#pragma once

#include "menu/bar_layout.h"
#include "menu/menu_store.h"

#include <optional>
#include <vector>

namespace lv::menu {

struct BarGeometry {
    HMENU menu = nullptr;
    std::vector<Item> items;
    RECT bar{};              // window coordinates
    std::vector<RECT> rects; // each title, window coordinates
};

// The title sizes of a menu's items (text width and padding, or the picture's width).
std::vector<BarItemSize> measure_bar(const std::vector<Item>& items);
// The window's menu bar as it is laid out now; nothing for a child or a window without a menu.
std::optional<BarGeometry> bar_geometry(HWND hwnd);
// The bar's height for a window of that width (0 without a bar).
int bar_height_of(HWND hwnd, int window_width);
// The title of the bar under a screen point, or -1.
int bar_item_at(HWND hwnd, const BarGeometry& bar, POINT screen);

// The title the menu loop highlights (-1: none) and whether its drop-down is open; the bar is
// repainted at once.
void set_bar_highlight(HWND hwnd, int item, bool open);
// Drops the highlight without painting (the window is going, or gets another menu).
void forget_bar_highlight(HWND hwnd);
void paint_bar(HWND hwnd, HDC window_dc, const RECT& bar);
void redraw_bar(HWND hwnd);

} // namespace lv::menu
