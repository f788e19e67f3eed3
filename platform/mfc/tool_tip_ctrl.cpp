#include "mfc/tool_tip_ctrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, 0,
                    0, 0, 0, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR toolId) {
    if (!wnd || !m_hWnd)
        return FALSE;
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    if (!rect && toolId == 0) {
        info.uFlags = TTF_IDISHWND;
        info.hwnd = ::GetParent(wnd->m_hWnd);
        info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        info.hwnd = wnd->m_hWnd;
        info.uId = toolId;
        if (rect)
            info.rect = *rect;
    }
    info.lpszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}
