// The window a popup menu shows in: class "#32768", drawn by the layer from the menu's items.
#pragma once

#include "menu/menu_store.h"
#include "menu/popup_layout.h"

#include <vector>

namespace lv::menu {

// What one open popup shows; the menu loop owns it and the window reads it when it paints.
struct PopupView {
    HMENU menu = nullptr;
    HWND owner = nullptr; // receives WM_MEASUREITEM and WM_DRAWITEM for owner-drawn items
    std::vector<Item> items;
    PopupLayout layout;
    int selected = -1;
    bool from_bar = false; // dropped from a menu bar (or a submenu of one), not a popup menu
};

PopupMetrics popup_metrics();
// The sizes of the items; owner-drawn ones are measured by the owner (WM_MEASUREITEM).
std::vector<PopupItemSize> measure_popup(HWND owner, const std::vector<Item>& items);
// Makes the popup window at a screen point, shown on top without taking the activation. The
// view must outlive the window.
HWND create_popup_window(PopupView& view, POINT at);
// Repaints the window's items now.
void repaint_popup(HWND window);

} // namespace lv::menu
