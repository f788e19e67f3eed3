// The menu objects of the process: one table of live menus behind one lock. Handles are never
// reused, so a destroyed menu's handle stays invalid.
#pragma once

#include "win32/menu.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lv::menu {

struct Item {
    UINT type = MFT_STRING; // MFT_* bits
    UINT state = 0;         // MFS_* bits (MF_GRAYED and MF_DISABLED kept apart)
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
    HBITMAP type_bitmap = nullptr; // the picture of an MFT_BITMAP item
    HBITMAP item_bitmap = nullptr; // MIIM_BITMAP's picture beside the text
    HBITMAP checked = nullptr;
    HBITMAP unchecked = nullptr;
    ULONG_PTR data = 0;

    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool disabled() const { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }
    bool checked_state() const { return (state & MF_CHECKED) != 0; }
};

struct Menu {
    bool popup = false;
    std::vector<Item> items;
};

// Where an item lies: its menu and its position there.
struct ItemPlace {
    HMENU menu = nullptr;
    int position = -1;
};

HMENU create_menu(bool popup);
// Destroys the menu and, through its items, every submenu below it; false for a stale handle.
bool destroy_menu(HMENU menu);
bool is_menu(HMENU menu);

// A copy of the menu, or nothing (ERROR_INVALID_MENU_HANDLE) for a stale handle.
std::optional<Menu> snapshot(HMENU menu);
// Runs `change` on the live menu under the lock; false for a stale handle.
bool change(HMENU menu, const std::function<void(Menu&)>& change);

// The item `item` names: a position with MF_BYPOSITION, else a command id searched through the
// menu and its submenus, depth first. Nothing (ERROR_MENU_ITEM_NOT_FOUND) when there is none.
std::optional<ItemPlace> find_item(HMENU menu, UINT item, UINT flags);
std::optional<Item> item_at(const ItemPlace& place);
// Runs `change` on the item under the lock; false when it is gone.
bool change_item(const ItemPlace& place, const std::function<void(Item&)>& change);

// The item's MF_* flags as GetMenuState reports them.
UINT state_flags(const Item& item);

} // namespace lv::menu
