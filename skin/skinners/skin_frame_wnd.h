// The skinner of a frame window (top-level or MDI child): the skin's frame, caption and
// caption buttons as for dialogs, the window's menu in a skinned menu bar below the top edge
// with the maximised MDI child's buttons on it, MDI-aware maximising, and a skinned MDI client.
#pragma once

#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_menu_bar.h"
#include "skin/skinners/skin_wnd.h"

#include <memory>

class SkinFrameWnd : public SkinWnd {
public:
    SkinFrameWnd();
    ~SkinFrameWnd() override;

    SkinObject* ApplySkin(SkinObject* object) override;
    HMENU GetMenu() const;
    int SetMenu(HMENU menu);
    LRESULT OnMenuKey(WPARAM key, LPARAM keyData) override;
    // The MDI client's active child, null without a client.
    HWND GetMdiActive(BOOL* maximized) const;
    int Detach() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    RECT GetFrameMargins() const override;
    void DrawMenuBar(HDC dc) override;
    void DrawCaption(HDC dc, bool active) override;

    virtual void OnNcLButtonUp(LRESULT hit, POINT at);
    virtual void OnNcLButtonDown(LRESULT hit, POINT at);
    virtual void OnNcLButtonDblClk(LRESULT hit, POINT at);
    virtual void OnNcMouseMove(LRESULT hit, POINT at);
    // The hit code of a point relative to the window's top-left corner.
    virtual LRESULT NcHitTest(POINT at);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);

    void MinimizeMdiChild() const;
    void RestoreMdiChild() const;
    void CloseMdiChild() const;
    void ShowMdiChildMenu() const;

    // The child of class "MDIClient", compared without case; null when there is none.
    static HWND FindMdiClient(HWND frame);
    SkinMenuBar& MenuBar() const { return *m_menuBar; }
    bool IsMdiChild() const { return m_mdiChild; }
    HWND MdiClient() const { return m_mdiClient; }

private:
    void PaintFrame(WPARAM updateRegion);
    void BuildBackground(int width, int height);
    BOOL PaintBackground(HDC dc);
    LRESULT OnNcActivate(WPARAM active);
    void ReplayOutsideClick(POINT screen);
    // An MDI child's top-level window, which loses its system menu with the child's for the
    // default handling; null for other frames.
    HWND MdiRoot() const;
    LRESULT WithUpdatesLocked(HWND lock, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CalcSize(LPARAM lParam);
    POINT WindowPoint(LPARAM screenPoint) const;
    bool IsMaximized() const;
    bool OnMenuBar(POINT at);
    void SkinMdiClient();

    bool m_redrawPending = false;
    std::unique_ptr<SkinMemDC> m_background;
    SIZE m_backgroundSize{};
    RECT m_menuBarRect{};
    HMENU m_savedMenu = nullptr;
    DWORD m_substituteStyle = 0;
    bool m_mdiChild = false;
    DWORD m_style = 0;
    std::unique_ptr<SkinMenuBar> m_menuBar;
    // When the previous left release on the maximised frame's caption came.
    DWORD m_lastMaximizedRelease = 0;
    bool m_hadMaximizedRelease = false;
    HWND m_mdiClient = nullptr;
    // A mnemonic was taken while Alt is held: Alt's release is part of that chord.
    bool m_altChord = false;
    // Another key came while Alt was held: its release is no Alt alone.
    bool m_altUsed = false;
};

class SkinMdiClientWnd : public SkinWnd {
public:
    explicit SkinMdiClientWnd(SkinFrameWnd* owner) : m_owner(owner) {}
    ~SkinMdiClientWnd() override = default;
    bool KeepsWithoutElement() const override { return true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SkinFrameWnd* m_owner;
};
