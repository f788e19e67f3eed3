// Menu items through MENUITEMINFO: each MIIM_* bit of the mask reads or writes its fields.
#include "menu/menu_store.h"

#include "win32/errors.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace lv::menu {
namespace {

// The structure as first published ended before hbmpItem; callers of either size are served.
constexpr UINT kShortSize = offsetof(MENUITEMINFOA, hbmpItem);

bool size_ok(const MENUITEMINFOA* info) {
    if (info && (info->cbSize == sizeof(MENUITEMINFOA) || info->cbSize == kShortSize))
        return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

bool has_bitmap_field(const MENUITEMINFOA& info) {
    return info.cbSize == sizeof(MENUITEMINFOA);
}

// A submenu handle must name a menu. Checked before the store is locked for the change.
bool submenu_ok(const MENUITEMINFOA& info) {
    if (!(info.fMask & MIIM_SUBMENU) || !info.hSubMenu || is_menu(info.hSubMenu))
        return true;
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
}

void apply(const MENUITEMINFOA& info, Item& item) {
    UINT mask = info.fMask;
    if (mask & MIIM_TYPE) {
        item.type = info.fType;
        item.text.clear();
        item.type_bitmap = nullptr;
        if (info.fType & MFT_BITMAP)
            item.type_bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
        else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
            item.text = info.dwTypeData;
    }
    if (mask & MIIM_FTYPE)
        item.type = info.fType;
    if (mask & MIIM_STRING)
        item.text = info.dwTypeData ? info.dwTypeData : "";
    if ((mask & MIIM_BITMAP) && has_bitmap_field(info))
        item.item_bitmap = info.hbmpItem;
    if (mask & MIIM_STATE)
        item.state = info.fState;
    if (mask & MIIM_ID)
        item.id = info.wID;
    if (mask & MIIM_SUBMENU)
        item.submenu = info.hSubMenu;
    if (mask & MIIM_CHECKMARKS) {
        item.checked = info.hbmpChecked;
        item.unchecked = info.hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        item.data = info.dwItemData;
}

void copy_text(const std::string& text, MENUITEMINFOA& info) {
    if (!info.dwTypeData || info.cch == 0) {
        info.cch = static_cast<UINT>(text.size());
        return;
    }
    size_t n = std::min(text.size(), static_cast<size_t>(info.cch - 1));
    std::memcpy(info.dwTypeData, text.data(), n);
    info.dwTypeData[n] = '\0';
    info.cch = static_cast<UINT>(n);
}

void read(const Item& item, MENUITEMINFOA& info) {
    UINT mask = info.fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        info.fType = item.type;
    if (mask & MIIM_TYPE) {
        if (item.type & MFT_BITMAP) {
            info.dwTypeData = reinterpret_cast<LPSTR>(item.type_bitmap);
            info.cch = 0;
        } else if (item.type & (MFT_SEPARATOR | MFT_OWNERDRAW)) {
            info.cch = 0;
        } else {
            copy_text(item.text, info);
        }
    } else if (mask & MIIM_STRING) {
        copy_text(item.text, info);
    }
    if ((mask & MIIM_BITMAP) && has_bitmap_field(info))
        info.hbmpItem = item.item_bitmap;
    if (mask & MIIM_STATE)
        info.fState = item.state;
    if (mask & MIIM_ID)
        info.wID = item.id;
    if (mask & MIIM_SUBMENU)
        info.hSubMenu = item.submenu;
    if (mask & MIIM_CHECKMARKS) {
        info.hbmpChecked = item.checked;
        info.hbmpUnchecked = item.unchecked;
    }
    if (mask & MIIM_DATA)
        info.dwItemData = item.data;
}

UINT place_flags(BOOL byPosition) {
    return byPosition ? MF_BYPOSITION : MF_BYCOMMAND;
}

} // namespace
} // namespace lv::menu

using namespace lv::menu;

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
    if (!size_ok(info) || !submenu_ok(*info))
        return FALSE;
    Item made;
    apply(*info, made);
    if (!byPosition) {
        auto place = find_item(menu, item, MF_BYCOMMAND);
        if (!place)
            return FALSE;
        return InsertMenuItemA(place->menu, static_cast<UINT>(place->position), TRUE, info);
    }
    return change(menu,
                  [&](Menu& m) {
                      size_t at = std::min<size_t>(item, m.items.size());
                      m.items.insert(m.items.begin() + static_cast<std::ptrdiff_t>(at),
                                     std::move(made));
                  })
               ? TRUE
               : FALSE;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info) {
    if (!size_ok(info))
        return FALSE;
    auto place = find_item(menu, item, place_flags(byPosition));
    if (!place)
        return FALSE;
    auto found = item_at(*place);
    if (!found)
        return FALSE;
    read(*found, *info);
    return TRUE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
    if (!size_ok(info) || !submenu_ok(*info))
        return FALSE;
    auto place = find_item(menu, item, place_flags(byPosition));
    if (!place)
        return FALSE;
    return change_item(*place, [&](Item& it) { apply(*info, it); }) ? TRUE : FALSE;
}
