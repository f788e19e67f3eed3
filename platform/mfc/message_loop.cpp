// The thread's message loop and the PreTranslateMessage walk from the target window upwards.
#include "mfc/winapp.h"
#include "mfc/wnd.h"

CWinThread::~CWinThread() = default;

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
    HWND stop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            return FALSE;
    }
    // The main window sees the messages of its owned windows too.
    if (m_pMainWnd != nullptr && stop != nullptr && msg->hwnd != nullptr &&
        ::GetAncestor(msg->hwnd, GA_ROOTOWNER) == stop && m_pMainWnd->PreTranslateMessage(msg))
        return TRUE;
    return FALSE;
}

int CWinThread::RunMessageLoop() {
    for (;;) {
        const BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (!PreTranslateMessage(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessageA(&m_msgCur);
        }
    }
    return ExitInstance();
}
