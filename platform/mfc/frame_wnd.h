// CFrameWnd: a top-level (or MDI child) frame with a menu bar whose client area a pane window
// (id AFX_IDW_PANE_FIRST) fills. Frames are made with new and delete themselves when their
// window is destroyed.
#pragma once

#include "mfc/menu.h"

constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
// Marks the style of LoadFrame's frames whose title comes from the string table.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    using CWnd::Create;

    // CW_USEDEFAULT for position and size.
    static const CRect rectDefault;

    // `menuName` names a menu resource that the frame loads as its menu bar.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* parent = nullptr,
                        LPCTSTR menuName = nullptr, DWORD exStyle = 0);
    // The frame of resource `id`: its menu, its title (string `id`) and its icon.
    virtual BOOL LoadFrame(UINT id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Makes the client-area windows fill the client area.
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Shows the frame (SW_SHOW unless told otherwise) and brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int cx, int cy);

    HMENU m_hMenuDefault = nullptr; // the menu LoadFrame or Create loaded

protected:
    // Called while the frame is created, to make the windows of its client area.
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs);
    void PostNcDestroy() override { delete this; }

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
public:
    // The "MDIClient" window made as the frame's pane; `windowMenu` is kept for the client.
    virtual BOOL CreateClient(LPCREATESTRUCT cs, CMenu* windowMenu);

    // The active child, when it is an object of the library (null otherwise).
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* child) { SendToClient(WM_MDIACTIVATE, child); }
    void MDIMaximize(CWnd* child) { SendToClient(WM_MDIMAXIMIZE, child); }
    void MDIRestore(CWnd* child) { SendToClient(WM_MDIRESTORE, child); }
    void MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
    void MDICascade(int type = 0) { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, type, 0); }
    void MDITile(int type = MDITILE_HORIZONTAL) {
        ::SendMessageA(m_hWndMDIClient, WM_MDITILE, type, 0);
    }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Commands go to the active child first, then to the frame.
    BOOL OnCmdMsg(UINT id, int code) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT cs) override;

private:
    void SendToClient(UINT message, CWnd* child) {
        ::SendMessageA(m_hWndMDIClient, message,
                       reinterpret_cast<WPARAM>(child ? child->m_hWnd : nullptr), 0);
    }
};

class CMDIChildWnd : public CFrameWnd {
public:
    // Asks the frame's MDI client to make the child (WM_MDICREATE); a null frame is the main
    // window.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName,
                        DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* parent = nullptr);
    CMDIFrameWnd* GetMDIFrame() const;

    void MDIDestroy() { SendToClient(WM_MDIDESTROY); }
    void MDIActivate() { SendToClient(WM_MDIACTIVATE); }
    void MDIMaximize() { SendToClient(WM_MDIMAXIMIZE); }
    void MDIRestore() { SendToClient(WM_MDIRESTORE); }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    using CFrameWnd::Create;
    void SendToClient(UINT message) {
        ::SendMessageA(::GetParent(m_hWnd), message, reinterpret_cast<WPARAM>(m_hWnd), 0);
    }
};
