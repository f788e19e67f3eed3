// A skinned popup menu: the items of an HMENU in a window of the toolkit's own class, framed
// and painted from the skin's popup-menu object, driven by mouse and keys, with submenus as
// child popups. The chosen command is posted to the owner window.
#pragma once

#include "skin/core/popup_menu_skin.h"
#include "skin/skinners/menu_item_list.h"
#include "skin/skinners/skin_wnd.h"

#include <memory>

class SkinPopupMenuWnd : public SkinWnd {
public:
    enum Kind { DropDown = 0, SystemMenu = 1, CommandMenu = 2 };
    static constexpr UINT_PTR kSubmenuTimer = 1001;
    static constexpr UINT kSubmenuDelayMs = 500;

    SkinPopupMenuWnd(HWND owner, SkinPopupMenuWnd* parent, int kind);
    ~SkinPopupMenuWnd() override;

    bool Create();
    void SetMenu(HMENU menu);
    // A submenu shows a list its parent's item owns.
    void ShowList(MenuItemList* items, HMENU menu);
    SIZE CalcSize();
    // Closes the chain of child popups and this window.
    void CloseSubmenus();
    SkinPopupMenuWnd* GetRootMenu();
    bool IsDone() const { return m_done; }
    int HotItem() const { return m_hot; }
    SkinPopupMenuWnd* ChildPopup() const { return m_child.get(); }
    HMENU Menu() const { return m_menu; }
    std::size_t ItemCount() const { return m_items ? m_items->Count() : 0; }
    const MenuItemList* Items() const { return m_items; }
    int Kind() const { return m_kind; }
    // The item's rectangle in client coordinates.
    RECT ItemRect(int index) const;
    int ItemFromPoint(POINT client) const;
    const PopupMenuSkin& GetSkin() const;

    void Draw(HDC dc) override;
    LRESULT OnMenuKey(WPARAM key, LPARAM keyData) override;
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static LRESULT CALLBACK PopupMenuClassProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam);
    static LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    int GetItemHeight();
    void Paint();
    void PaintFrame();
    void DrawItem(HDC dc, const MenuItem& item, const RECT& rect);
    // Owner-drawn items: the owner measures their width and draws them (WM_MEASUREITEM,
    // WM_DRAWITEM with the item's data); their height is the skin's item height.
    int MeasureOwnerDrawn(const MenuItem& item, int height) const;
    void DrawOwnerDrawn(HDC dc, const MenuItem& item, const RECT& rect) const;
    bool OnMouseMove(POINT client);
    int OnButtonDown(int button, POINT client);
    void OnKeyDown(WPARAM key);
    void OnSubmenuTimer();
    void CloseChildSubmenu();
    void ExecuteItem(UINT command);
    void EndMenu();
    // Opens the hot item's submenu at its top-right corner; `adjust` keeps it on the screen
    // and beside this popup.
    void OpenChild(bool adjust);
    void CloseChild();
    void ClearHotChain();
    void RepaintItem(int index);
    void SelectItem(int index, UINT flags);
    void PostToExecutor(UINT command);
    POINT ToScreen(POINT client) const;
    POINT ToClientOf(const SkinPopupMenuWnd& other, POINT client) const;
    HWND OwnerRoot() const;
    RECT ClientRect() const;

    HMENU m_menu = nullptr;
    SkinPopupMenuWnd* m_parent;
    std::unique_ptr<SkinPopupMenuWnd> m_child;
    HWND m_owner;
    bool m_done = false;
    RECT m_downBand{};
    RECT m_upBand{};
    int m_itemHeight = 0;
    int m_firstVisible = 0;
    int m_visibleCount = 0;
    int m_hot = -1;
    int m_kind;
    MenuItemList* m_items = nullptr;
    std::unique_ptr<MenuItemList> m_ownedItems;
    bool m_scrolling = false;
    PopupMenuSkin m_defaultSkin;
};

// The popup-menu window class, registered while the toolkit runs.
BOOL RegisterPopupMenuClass(HINSTANCE instance);
void UnregisterPopupMenuClass(HINSTANCE instance);
