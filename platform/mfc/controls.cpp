#include "mfc/controls.h"

#include <vector>

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (CWnd::OnChildNotify(message, wParam, lParam, result))
        return TRUE;
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (result)
        *result = TRUE;
    return TRUE;
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (CWnd::OnChildNotify(message, wParam, lParam, result))
        return TRUE;
    if (message == WM_DRAWITEM)
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return FALSE;
    if (result)
        *result = TRUE;
    return TRUE;
}

void CListBox::GetText(int index, CString& text) const {
    const int length = GetTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    GetText(index, buffer.data());
    text = buffer.data();
}

void CComboBox::GetLBText(int index, CString& text) const {
    const auto length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    if (length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    text = buffer.data();
}
