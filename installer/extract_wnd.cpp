#include "installer/extract_wnd.h"

BOOL CExtractWnd::Extract() {
    return m_archive.ExtractAll(m_targetDir, &CExtractWnd::PumpMessages, this) ==
           PackageResult::Success;
}

int CExtractWnd::PumpMessages(int, void*, void*) {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

BEGIN_MESSAGE_MAP(CExtractWnd, CWnd)
END_MESSAGE_MAP()
