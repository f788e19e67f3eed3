// The items of a menu as a skinned popup shows them: copied from an HMENU with their texts,
// commands, states and submenus, so that painting and key handling need not ask the menu again.
#pragma once

#include "win32/win32.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MenuItemList;

struct MenuItem {
    bool hot = false;
    // With its "&" marker and an optional "\t" before the accelerator text.
    std::string text;
    UINT commandId = 0;
    int mnemonic = 0;
    UINT state = 0;
    std::unique_ptr<MenuItemList> submenu;
    HMENU menu = nullptr;
    // An owner-drawn item, with the program's data handed back when the owner draws it (the
    // state flags cannot tell: a submenu's item count shares their bits).
    bool ownerDrawn = false;
    ULONG_PTR itemData = 0;

    // The upper-case character after the first "&" that no second "&" follows; 0 when none.
    static int FindMnemonic(const std::string& text);

    bool IsDisabled() const { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }
    bool IsSeparator() const { return (state & MF_SEPARATOR) && !(state & MF_POPUP); }
    bool IsChecked() const { return (state & MF_CHECKED) != 0; }
    bool IsOwnerDrawn() const { return ownerDrawn && !IsSeparator(); }
};

class MenuItemList {
public:
    // One item per position of the menu, each submenu built too.
    void Build(HMENU menu);
    std::size_t Count() const { return m_items.size(); }
    MenuItem& operator[](std::size_t i) { return *m_items[i]; }
    const MenuItem& operator[](std::size_t i) const { return *m_items[i]; }

private:
    std::vector<std::unique_ptr<MenuItem>> m_items;
};
