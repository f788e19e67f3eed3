// Menus and their items through the MF_* flag calls.
#include "menu/menu_store.h"

#include "win32/errors.h"

#include <algorithm>
#include <cstring>

namespace lv::menu {
namespace {

constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;
constexpr UINT kBreakFlags = MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY;

// An item from AppendMenu's flags and arguments; false when the submenu is not a menu.
bool item_from_flags(UINT flags, UINT_PTR idOrPopup, LPCSTR content, Item& out) {
    Item item;
    item.state = flags & kStateFlags;
    item.type = flags & kBreakFlags;
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(idOrPopup);
        if (!is_menu(item.submenu)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return false;
        }
    }
    item.id = static_cast<UINT>(idOrPopup);
    if (flags & MF_SEPARATOR) {
        item.type |= MFT_SEPARATOR;
    } else if (flags & MF_BITMAP) {
        item.type |= MFT_BITMAP;
        item.type_bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(content));
    } else if (flags & MF_OWNERDRAW) {
        item.type |= MFT_OWNERDRAW;
        item.data = reinterpret_cast<ULONG_PTR>(content);
    } else {
        item.text = content ? content : "";
    }
    out = std::move(item);
    return true;
}

// Inserts before the item `position` names; a position past the end appends.
bool insert_item(HMENU menu, UINT position, UINT flags, Item item) {
    HMENU target = menu;
    size_t at = 0;
    if (flags & MF_BYPOSITION) {
        auto m = snapshot(menu);
        if (!m)
            return false;
        at = std::min<size_t>(position, m->items.size());
    } else {
        auto place = find_item(menu, position, MF_BYCOMMAND);
        if (!place)
            return false;
        target = place->menu;
        at = static_cast<size_t>(place->position);
    }
    return change(target, [&](Menu& m) {
        at = std::min(at, m.items.size());
        m.items.insert(m.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    });
}

bool take_item(HMENU menu, UINT position, UINT flags, bool destroy_submenu) {
    auto place = find_item(menu, position, flags);
    if (!place)
        return false;
    HMENU submenu = nullptr;
    bool removed = change(place->menu, [&](Menu& m) {
        if (static_cast<size_t>(place->position) >= m.items.size())
            return;
        submenu = m.items[static_cast<size_t>(place->position)].submenu;
        m.items.erase(m.items.begin() + place->position);
    });
    if (removed && destroy_submenu && submenu)
        destroy_menu(submenu);
    return removed;
}

} // namespace
} // namespace lv::menu

using namespace lv::menu;

HMENU CreateMenu() {
    return create_menu(false);
}

HMENU CreatePopupMenu() {
    return create_menu(true);
}

BOOL DestroyMenu(HMENU menu) {
    return destroy_menu(menu) ? TRUE : FALSE;
}

BOOL IsMenu(HMENU menu) {
    return is_menu(menu) ? TRUE : FALSE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR item) {
    return InsertMenuA(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrPopup, item);
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item) {
    Item made;
    if (!item_from_flags(flags, idOrPopup, item, made))
        return FALSE;
    return insert_item(menu, position, flags, std::move(made)) ? TRUE : FALSE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item) {
    auto place = find_item(menu, position, flags);
    if (!place)
        return FALSE;
    Item made;
    if (!item_from_flags(flags, idOrPopup, item, made))
        return FALSE;
    HMENU replaced_submenu = nullptr;
    bool changed = change_item(*place, [&](Item& old) {
        if (old.submenu != made.submenu)
            replaced_submenu = old.submenu;
        made.checked = old.checked;
        made.unchecked = old.unchecked;
        old = std::move(made);
    });
    // A popup item that no longer opens its submenu takes the submenu with it.
    if (changed && replaced_submenu)
        destroy_menu(replaced_submenu);
    return changed ? TRUE : FALSE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return take_item(menu, position, flags, false) ? TRUE : FALSE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return take_item(menu, position, flags, true) ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    auto place = find_item(menu, item, enable);
    if (!place)
        return -1;
    UINT previous = 0;
    change_item(*place, [&](Item& it) {
        previous = it.state & (MF_GRAYED | MF_DISABLED);
        it.state = (it.state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    });
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    auto place = find_item(menu, item, check);
    if (!place)
        return static_cast<DWORD>(-1);
    UINT previous = 0;
    change_item(*place, [&](Item& it) {
        previous = it.state & MF_CHECKED;
        it.state = (it.state & ~MF_CHECKED) | (check & MF_CHECKED);
    });
    return previous;
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (position < 0)
        return nullptr;
    auto item = item_at(ItemPlace{menu, position});
    return item ? item->submenu : nullptr;
}

int GetMenuItemCount(HMENU menu) {
    auto m = snapshot(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    if (position < 0)
        return static_cast<UINT>(-1);
    auto item = item_at(ItemPlace{menu, position});
    if (!item || item->submenu)
        return static_cast<UINT>(-1);
    return item->id;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    auto place = find_item(menu, item, flags);
    if (!place)
        return static_cast<UINT>(-1);
    auto found = item_at(*place);
    return found ? state_flags(*found) : static_cast<UINT>(-1);
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags) {
    auto place = find_item(menu, item, flags);
    if (!place)
        return 0;
    auto found = item_at(*place);
    if (!found)
        return 0;
    const std::string& s = found->text;
    if (!text)
        return static_cast<int>(s.size());
    if (maxCount <= 0)
        return 0;
    size_t n = std::min(s.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
    return static_cast<int>(n);
}
