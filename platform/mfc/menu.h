// CMenu: a C++ object over a menu handle, and the message-map entries of the menu messages.
#pragma once

#include "mfc/cstring.h"
#include "mfc/wnd.h"

class CMenu {
public:
    CMenu() = default;
    // An attached menu is destroyed with the object: detach a menu a window keeps.
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // The object attached to the menu, else a temporary one that lives while the menu does.
    static CMenu* FromHandle(HMENU menu);
    static CMenu* FromHandlePermanent(HMENU menu);

    BOOL Attach(HMENU menu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(LPCTSTR name);
    BOOL LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCE(id)); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR item = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, idOrPopup, item);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR item = nullptr) {
        return ::InsertMenuA(m_hMenu, position, flags, idOrPopup, item);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR item = nullptr) {
        return ::ModifyMenuA(m_hMenu, position, flags, idOrPopup, item);
    }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    UINT EnableMenuItem(UINT item, UINT enable) {
        return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable));
    }
    UINT CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    int GetMenuString(UINT item, LPTSTR text, int maxCount, UINT flags) const {
        return ::GetMenuStringA(m_hMenu, item, text, maxCount, flags);
    }
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE) {
        return ::GetMenuItemInfoA(m_hMenu, item, byPosition, info);
    }
    BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE) {
        return ::SetMenuItemInfoA(m_hMenu, item, byPosition, info);
    }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

    // Owner-drawn items of an attached menu: the owner window's WM_MEASUREITEM and WM_DRAWITEM
    // come here.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

    HMENU m_hMenu = nullptr;
};

namespace lv::mfc {

// The attached menu that holds the command (for WM_MEASUREITEM, which names no menu).
CMenu* permanent_menu_with_item(UINT id);

template <auto Fn>
bool thunk_init_menu_popup(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(CMenu::FromHandle(reinterpret_cast<HMENU>(w)),
                            static_cast<UINT>(LOWORD(l)), static_cast<BOOL>(HIWORD(l)));
    result = 0;
    return true;
}
template <auto Fn> bool thunk_init_menu(CCmdTarget* t, UINT, WPARAM w, LPARAM, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(CMenu::FromHandle(reinterpret_cast<HMENU>(w)));
    result = 0;
    return true;
}
template <auto Fn>
bool thunk_menu_select(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT>(LOWORD(w)), static_cast<UINT>(HIWORD(w)),
                            reinterpret_cast<HMENU>(l));
    result = 0;
    return true;
}
template <auto Fn>
bool thunk_context_menu(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(window_of(w), CPoint(l));
    result = 0;
    return true;
}

} // namespace lv::mfc

#define ON_WM_INITMENU() LV_WM_ENTRY(WM_INITMENU, thunk_init_menu, OnInitMenu)
#define ON_WM_INITMENUPOPUP() LV_WM_ENTRY(WM_INITMENUPOPUP, thunk_init_menu_popup, OnInitMenuPopup)
#define ON_WM_MENUSELECT() LV_WM_ENTRY(WM_MENUSELECT, thunk_menu_select, OnMenuSelect)
#define ON_WM_CONTEXTMENU() LV_WM_ENTRY(WM_CONTEXTMENU, thunk_context_menu, OnContextMenu)
#define ON_WM_RBUTTONUP() LV_WM_ENTRY(WM_RBUTTONUP, thunk_mouse, OnRButtonUp)
