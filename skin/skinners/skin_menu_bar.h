// The skinned menu bar of a skinned frame window: the window's menu drawn in the non-client
// area below the top edge, in rows, with hot tracking, drop-downs as skinned popups, keys from
// the frame, and the active MDI child's icon and buttons while that child is maximised.
#pragma once

#include "skin/core/font_element_skin.h"
#include "skin/skinners/skin_element.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class SkinFrameWnd;
class SkinPopupMenuWnd;

class MenuBarButton {
public:
    enum State { Normal = 0, Hot = 1, Pressed = 2 };
    virtual ~MenuBarButton() = default;
    void Draw(HDC dc, COLORREF key) const;
    bool HitTest(POINT at) const { return PtInRect(&rect, at) != FALSE; }

    std::array<const SkinImageRef*, 3> images{};
    RECT rect{};
    int state = Normal;
};

class SkinMenuBarItem : public SkinElement {
public:
    enum State { Normal = 0, Hot = 1, Open = 2 };
    SkinMenuBarItem(SkinFrameWnd* owner, HMENU menu, int position);
    ~SkinMenuBarItem() override;

    void Draw(HDC dc) override;
    bool IsEnabledItem() const;
    void OpenPopup();
    void ClosePopup();
    SIZE Measure(const FontElementSkin& skin) const;
    void Place(const RECT& rect) { m_rect = rect; }

    std::string text;
    UINT commandId = 0;
    int position = 0;
    HMENU submenu = nullptr;
    HMENU menu = nullptr;
    int state = Normal;
    int mnemonic = 0;
    std::unique_ptr<SkinPopupMenuWnd> popup;

private:
    SkinFrameWnd* m_frame;
};

class SkinMenuBar : public SkinElement {
public:
    enum Button { IconButton = 0, MinimizeButton = 1, RestoreButton = 2, CloseButton = 3 };
    static constexpr UINT kHoverMs = 100;

    explicit SkinMenuBar(SkinFrameWnd* owner);
    ~SkinMenuBar() override;

    void Draw(HDC dc) override;
    SkinObject* ApplySkin(SkinObject* object) override;
    void OnMouseMove(POINT at) override;
    void OnLButtonUp(POINT at) override;
    void OnLButtonDown(POINT at) override;
    virtual void RecalcLayout();

    int SetMenu(HMENU menu);
    HMENU GetMenu() const { return m_menu; }
    void ClearMenu() { m_menu = nullptr; }
    // The bar's rectangle in window coordinates, below the top edge.
    RECT GetRect();
    int GetHeight(int width);
    bool IsTracking() const { return m_open != nullptr; }
    bool HasMdiButtons() const;
    void Repaint();
    void OnMenuClosed();
    LRESULT OnKey(int key);
    void OnHoverTick();
    // Keyboard mode (Alt alone or F10): a title is highlighted without its drop-down; Left and
    // Right move the highlight, Down, Up, Enter or a mnemonic open the title, Escape, Alt or
    // F10 leave. Any other key leaves it too and goes on as usual (0).
    void EnterKeyboardMode();
    void LeaveKeyboardMode();
    bool InKeyboardMode() const { return m_keyboard; }
    LRESULT OnKeyboardModeKey(int key);

    std::size_t ItemCount() const { return m_items.size(); }
    SkinMenuBarItem& Item(std::size_t i) const { return *m_items[i]; }
    const MenuBarButton& ButtonAt(int which) const {
        return m_buttons[static_cast<std::size_t>(which)];
    }
    SkinMenuBarItem* HotItem() const { return m_hot; }
    SkinMenuBarItem* OpenItem() const { return m_open; }

private:
    const FontElementSkin* Skin() const;
    SkinMenuBarItem* EnabledItemAt(POINT at) const;
    void PressItem(SkinMenuBarItem& item);
    // The next enabled title after (step 1) or before (step -1) the item, wrapping round.
    void PressFromKeyboard(SkinMenuBarItem& item);
    SkinMenuBarItem* NeighbourOf(const SkinMenuBarItem* item, int step) const;
    void StartTimer();
    void StopTimer();
    void RedrawArea(const RECT& screen, UINT flags) const;
    RECT PopupScreenRect(const SkinMenuBarItem& item) const;
    static void CALLBACK MenuBarTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

    SkinFrameWnd* m_frame;
    HMENU m_menu = nullptr;
    std::vector<std::unique_ptr<SkinMenuBarItem>> m_items;
    std::array<MenuBarButton, 4> m_buttons{};
    SkinMenuBarItem* m_hot = nullptr;
    SkinMenuBarItem* m_open = nullptr;
    bool m_timer = false;
    bool m_keyboard = false;
    FontElementSkin m_defaultSkin;
};
