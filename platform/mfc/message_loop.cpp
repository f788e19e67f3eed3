// The thread's message loop and the PreTranslateMessage walk from the target window upwards.
#include "mfc/winapp.h"
#include "mfc/wnd.h"

CWinThread::~CWinThread() = default;

namespace lv::mfc {

BOOL walk_pre_translate(MSG* msg, CWnd* mainWnd) {
    HWND stop = mainWnd ? mainWnd->m_hWnd : nullptr;
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            return FALSE;
    }
    // The main window sees the messages of its owned windows too.
    if (stop != nullptr && msg->hwnd != nullptr && ::GetAncestor(msg->hwnd, GA_ROOTOWNER) == stop &&
        mainWnd->PreTranslateMessage(msg))
        return TRUE;
    return FALSE;
}

} // namespace lv::mfc

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
    return lv::mfc::walk_pre_translate(msg, m_pMainWnd);
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
