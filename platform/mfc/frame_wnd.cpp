#include "mfc/frame_wnd.h"

#include "mfc/winapp.h"

namespace {

constexpr char kFrameClassName[] = "AfxFrameOrView";
constexpr UINT kFirstMdiChildId = 0xFF00;

bool is_default(const RECT& r) {
    return r.left == CW_USEDEFAULT && r.top == CW_USEDEFAULT;
}

} // namespace

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass != nullptr)
        return TRUE;
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSA existing{};
    if (!::GetClassInfoA(instance, kFrameClassName, &existing)) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &::DefWindowProcA;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kFrameClassName;
        if (::RegisterClassA(&wc) == 0)
            return FALSE;
    }
    cs.lpszClass = kFrameClassName;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                       CWnd* parent, LPCTSTR menuName, DWORD exStyle) {
    HMENU menu = nullptr;
    if (menuName != nullptr) {
        menu = ::LoadMenuA(AfxGetResourceHandle(), menuName);
        if (menu == nullptr)
            return FALSE;
    }
    m_hMenuDefault = menu;
    bool whole_default = is_default(rect);
    BOOL created =
        CreateEx(exStyle, className, windowName, style, whole_default ? CW_USEDEFAULT : rect.left,
                 whole_default ? CW_USEDEFAULT : rect.top,
                 whole_default ? CW_USEDEFAULT : rect.right - rect.left,
                 whole_default ? CW_USEDEFAULT : rect.bottom - rect.top,
                 parent ? parent->m_hWnd : nullptr, menu);
    if (!created && menu != nullptr) {
        ::DestroyMenu(menu);
        m_hMenuDefault = nullptr;
    }
    return created;
}

BOOL CFrameWnd::LoadFrame(UINT id, DWORD style, CWnd* parent) {
    CString title;
    char buffer[256] = {};
    if (::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof(buffer)) > 0)
        title = buffer;
    if (!Create(nullptr, title, style & ~FWS_ADDTOTITLE, rectDefault, parent, MAKEINTRESOURCE(id)))
        return FALSE;
    if (HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(id)))
        SetIcon(icon, TRUE);
    return TRUE;
}

void CFrameWnd::RecalcLayout(BOOL) {
    HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST));
    if (pane == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    ::MoveWindow(pane, 0, 0, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    ::BringWindowToTop(m_hWnd);
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT) {
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    if (Default() == -1)
        return -1;
    return OnCreateClient(cs) ? 0 : -1;
}

void CFrameWnd::OnSize(UINT, int, int) {
    Default();
    RecalcLayout();
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT cs) {
    return CreateClient(cs, nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* windowMenu) {
    CLIENTCREATESTRUCT client{windowMenu ? windowMenu->m_hMenu : nullptr, kFirstMdiChildId};
    m_hWndMDIClient = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, MDICLIENT_CLASS, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), AfxGetInstanceHandle(),
        &client);
    return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    auto active = reinterpret_cast<HWND>(
        ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(active));
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr && m_pfnSuper != &::DefWindowProcA)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
    if (m_hWndMDIClient != nullptr && ::TranslateMDISysAccel(m_hWndMDIClient, msg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(msg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code) {
    if (CMDIChildWnd* child = MDIGetActive(); child != nullptr && child->OnCmdMsg(id, code))
        return TRUE;
    return CFrameWnd::OnCmdMsg(id, code);
}

BOOL CMDIChildWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                          CMDIFrameWnd* parent) {
    if (parent == nullptr)
        parent = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (parent == nullptr || parent->m_hWndMDIClient == nullptr || m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs{};
    cs.lpszClass = className;
    if (!PreCreateWindow(cs))
        return FALSE;
    bool whole_default = is_default(rect);
    MDICREATESTRUCTA create{};
    create.szClass = cs.lpszClass;
    create.szTitle = windowName;
    create.hOwner = AfxGetInstanceHandle();
    create.x = whole_default ? CW_USEDEFAULT : rect.left;
    create.y = whole_default ? CW_USEDEFAULT : rect.top;
    create.cx = whole_default ? CW_USEDEFAULT : rect.right - rect.left;
    create.cy = whole_default ? CW_USEDEFAULT : rect.bottom - rect.top;
    create.style = style & ~(WS_MAXIMIZE | WS_MINIMIZE);
    HWND hwnd = nullptr;
    {
        lv::mfc::CreationHook hook(this);
        hwnd = reinterpret_cast<HWND>(::SendMessageA(parent->m_hWndMDIClient, WM_MDICREATE, 0,
                                                     reinterpret_cast<LPARAM>(&create)));
    }
    if (hwnd == nullptr) {
        Detach();
        return FALSE;
    }
    if (style & WS_MAXIMIZE)
        MDIMaximize();
    return m_hWnd == hwnd;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    HWND client = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(client)));
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr && m_pfnSuper != &::DefWindowProcA)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}
