// The CWnd members that do more than forward one call.
#include "mfc/wnd.h"

#include "mfc/winapp.h"
#include "window/work_area.h"

#include <algorithm>
#include <vector>

void CWnd::GetWindowText(CString& text) const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    text = buffer.data();
}

void CWnd::ScreenToClient(LPRECT rect) const {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    ::ScreenToClient(m_hWnd, &corners[0]);
    ::ScreenToClient(m_hWnd, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::ClientToScreen(LPRECT rect) const {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    ::ClientToScreen(m_hWnd, &corners[0]);
    ::ClientToScreen(m_hWnd, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    HWND after = insertAfter ? insertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
}

namespace {

BOOL modify(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    const auto style = static_cast<DWORD>(::GetWindowLongA(hwnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(hwnd, index, static_cast<LONG>(changed));
    if (flags != 0)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return modify(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return modify(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0));
    if (font == nullptr)
        return nullptr;
    // One borrowed wrapper per thread: it refers to the window's font, never deletes it.
    struct Borrowed {
        CFont font;
        ~Borrowed() { font.Detach(); }
    };
    thread_local Borrowed borrowed;
    borrowed.font.m_hObject = font;
    return &borrowed.font;
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    RECT area{};
    HWND over = alternateOwner ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
    const bool child = (GetStyle() & WS_CHILD) != 0;
    if (child) {
        ::GetClientRect(over, &area);
    } else if (over != nullptr && ::IsWindowVisible(over) && !::IsIconic(over)) {
        ::GetWindowRect(over, &area);
    } else if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    if (!child) {
        // Kept on the work area, as a dialog over a window near the edge should be.
        const POINT kept = lv::window::kept_on_work_area(RECT{x, y, x + width, y + height});
        x = kept.x;
        y = kept.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) const {
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}
