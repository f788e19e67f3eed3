#include "skin/skinners/menu_item_list.h"

#include "skin/skinners/glazework_menus.h"

#include <cctype>

int MenuItem::FindMnemonic(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        // "&&A" gives A as well: the second "&" is the one that counts.
        if (text[i] != '&' || text[i + 1] == '&')
            continue;
        return std::toupper(static_cast<unsigned char>(text[i + 1]));
    }
    return 0;
}

void MenuItemList::Build(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<MenuItem>();
        item->text = GlazeworkGetMenuItemText(menu, static_cast<UINT>(i), TRUE);
        item->commandId = GetMenuItemID(menu, i);
        item->mnemonic = MenuItem::FindMnemonic(item->text);
        item->state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        item->menu = menu;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) &&
            (info.fType & MFT_OWNERDRAW)) {
            item->ownerDrawn = true;
            item->itemData = info.dwItemData;
        }
        if (HMENU sub = GetSubMenu(menu, i)) {
            item->submenu = std::make_unique<MenuItemList>();
            item->submenu->Build(sub);
        }
        m_items.push_back(std::move(item));
    }
}
