// Tab controls painted from the skin: the background, the page's frame and each tab in its
// state, turned to the side the tabs sit on. Controls on the tab's pages take their background
// from it.
#pragma once

#include "skin/core/tab_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinTabWnd : public SkinControlWnd {
public:
    enum class Side { Top = 0, Left = 1, Right = 2, Bottom = 3 };
    struct ItemLayout {
        RECT icon;
        RECT text;
    };

    explicit SkinTabWnd(SkinWnd* owner) : SkinControlWnd(owner, kTab) {}

    static Side SideOf(DWORD style);
    // The skin state of a tab from the window's, the tab's and the selection.
    static TabSkin::State ItemState(bool windowEnabled, DWORD style, DWORD itemState,
                                    bool selected);
    // Icon and text inside a tab: together in the middle, or from the tab's left when the tab
    // is too narrow for both; an icon of no size takes no room.
    static ItemLayout LayoutItem(const RECT& item, SIZE icon, SIZE text);
    // The client area less the tabs on their side.
    static RECT PageRect(const RECT& client, Side side, const RECT* items, int count);

    LONG_PTR Attach(HWND hwnd) override;
    void Draw(HDC dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawItem(HDC dc, const TabSkin& skin, int index, Side side);
    void DrawLying(HDC dc, const RECT& item, const SkinNineGridRef& image, int imageIndex,
                   const ItemLayout& layout, Side side);
    LRESULT PaintChildBackgroundFor(HDC childDc, HWND child);
};
