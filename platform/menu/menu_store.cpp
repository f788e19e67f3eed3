#include "menu/menu_store.h"

#include "win32/errors.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace lv::menu {
namespace {

struct Store {
    std::mutex mutex;
    std::map<HMENU, Menu> menus;
    std::uintptr_t next_handle = 0x0F000010;
};

Store& store() {
    static auto* s = new Store;
    return *s;
}

Menu* live(Store& s, HMENU menu) {
    auto it = s.menus.find(menu);
    return it == s.menus.end() ? nullptr : &it->second;
}

// Depth first, in item order; the depth limit stops a menu that opens itself.
bool find_command(Store& s, HMENU menu, UINT id, ItemPlace& out, int depth) {
    Menu* m = live(s, menu);
    if (!m || depth > 32)
        return false;
    for (size_t i = 0; i < m->items.size(); ++i) {
        const Item& item = m->items[i];
        if (item.submenu) {
            if (find_command(s, item.submenu, id, out, depth + 1))
                return true;
            continue;
        }
        if (item.id == id) {
            out = ItemPlace{menu, static_cast<int>(i)};
            return true;
        }
    }
    return false;
}

} // namespace

HMENU create_menu(bool popup) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    auto handle = reinterpret_cast<HMENU>(s.next_handle);
    s.next_handle += 0x10;
    s.menus[handle].popup = popup;
    return handle;
}

bool destroy_menu(HMENU menu) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    if (!live(s, menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return false;
    }
    std::vector<HMENU> pending{menu};
    while (!pending.empty()) {
        HMENU next = pending.back();
        pending.pop_back();
        auto it = s.menus.find(next);
        if (it == s.menus.end())
            continue;
        for (const Item& item : it->second.items)
            if (item.submenu)
                pending.push_back(item.submenu);
        s.menus.erase(it);
    }
    return true;
}

bool is_menu(HMENU menu) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    return live(s, menu) != nullptr;
}

std::optional<Menu> snapshot(HMENU menu) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    Menu* m = live(s, menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return std::nullopt;
    }
    return *m;
}

bool change(HMENU menu, const std::function<void(Menu&)>& change) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    Menu* m = live(s, menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return false;
    }
    change(*m);
    return true;
}

std::optional<ItemPlace> find_item(HMENU menu, UINT item, UINT flags) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    Menu* m = live(s, menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return std::nullopt;
    }
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return std::nullopt;
        }
        return ItemPlace{menu, static_cast<int>(item)};
    }
    ItemPlace place;
    if (!find_command(s, menu, item, place, 0)) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return std::nullopt;
    }
    return place;
}

std::optional<Item> item_at(const ItemPlace& place) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    Menu* m = live(s, place.menu);
    if (!m || place.position < 0 || static_cast<size_t>(place.position) >= m->items.size())
        return std::nullopt;
    return m->items[static_cast<size_t>(place.position)];
}

bool change_item(const ItemPlace& place, const std::function<void(Item&)>& change) {
    auto& s = store();
    std::lock_guard lock(s.mutex);
    Menu* m = live(s, place.menu);
    if (!m || place.position < 0 || static_cast<size_t>(place.position) >= m->items.size())
        return false;
    change(m->items[static_cast<size_t>(place.position)]);
    return true;
}

UINT state_flags(const Item& item) {
    constexpr UINT kTypeBits =
        MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY;
    constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;
    UINT flags = (item.type & kTypeBits) | (item.state & kStateBits);
    if (!item.submenu)
        return flags;
    auto count = snapshot(item.submenu);
    UINT items = count ? static_cast<UINT>(count->items.size()) : 0;
    return ((items & 0xFF) << 8) | ((flags | MF_POPUP) & 0xFF);
}

} // namespace lv::menu
