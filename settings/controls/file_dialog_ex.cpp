#include "settings/controls/file_dialog_ex.h"

#include <cstring>

namespace {

constexpr int kOwnerShiftLeft = 230;
constexpr int kOwnerShiftUp = 180;

HWND create_hidden_owner() {
    CWnd* main = AfxGetMainWnd();
    LPCTSTR window_class = AfxRegisterWndClass(0);
    return CreateWindowExA(WS_EX_TRANSPARENT, window_class, "", WS_POPUP, 0, 0, 0, 0,
                           main ? main->GetSafeHwnd() : nullptr, nullptr, AfxGetInstanceHandle(),
                           nullptr);
}

} // namespace

CFileDialogEx::CFileDialogEx(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName,
                             DWORD flags, LPCTSTR filter, CWnd* parent)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent),
      m_pParent(parent) {}

void CFileDialogEx::CenterOnScreen(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect))
        return;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CFileDialogEx::DoModal() {
    const std::size_t initial = std::strlen(m_fileBuffer.data());
    std::memset(m_fileBuffer.data() + initial, 0, m_fileBuffer.size() - initial);
    HWND focus = ::GetFocus();

    HWND owner = m_pParent ? create_hidden_owner() : nullptr;
    if (owner) {
        CenterOnScreen(owner);
        RECT rect{};
        ::GetWindowRect(owner, &rect);
        ::SetWindowPos(owner, nullptr, rect.left - kOwnerShiftLeft, rect.top - kOwnerShiftUp, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ofn.hwndOwner = owner;
    } else {
        m_ofn.hwndOwner = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    }

    HWND parent = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    const bool disabled_here = parent && ::IsWindowEnabled(parent);
    if (disabled_here)
        ::EnableWindow(parent, FALSE);

    const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);

    if (disabled_here)
        ::EnableWindow(parent, TRUE);
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
    if (owner)
        ::DestroyWindow(owner);
    return chosen ? IDOK : IDCANCEL;
}
