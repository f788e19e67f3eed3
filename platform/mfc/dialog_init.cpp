// A dialog template's initialisation data: the first strings of its list and combo boxes.
#include "mfc/dialog.h"
#include "mfc/winapp.h"

#include <cstring>
#include <string>

namespace {

// The messages the data names, in the numbering it was first written with.
constexpr WORD kListBoxAddString = 0x0401;
constexpr WORD kComboBoxAddString = 0x0403;

WORD word_at(const BYTE* at) {
    return static_cast<WORD>(at[0] | (at[1] << 8));
}

DWORD dword_at(const BYTE* at) {
    return static_cast<DWORD>(at[0]) | (static_cast<DWORD>(at[1]) << 8) |
           (static_cast<DWORD>(at[2]) << 16) | (static_cast<DWORD>(at[3]) << 24);
}

} // namespace

BOOL CDialog::ExecuteDlgInit(LPCTSTR templateName) {
    if (templateName == nullptr || m_hWnd == nullptr)
        return TRUE;
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, templateName, RT_DLGINIT);
    if (found == nullptr)
        return TRUE;
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    const DWORD size = ::SizeofResource(module, found);
    if (data == nullptr)
        return FALSE;
    DWORD at = 0;
    while (at + 2 <= size) {
        const WORD id = word_at(data + at);
        if (id == 0)
            return TRUE;
        if (size - at < 8)
            return FALSE;
        const WORD message = word_at(data + at + 2);
        const DWORD length = dword_at(data + at + 4);
        at += 8;
        if (length > size - at)
            return FALSE;
        // The text stops at its NUL or at the end of its length, whichever comes first.
        const auto* text = reinterpret_cast<const char*>(data + at);
        const std::string value(text, strnlen(text, length));
        at += length;
        HWND control = ::GetDlgItem(m_hWnd, id);
        if (control == nullptr)
            return FALSE;
        const UINT add = message == kListBoxAddString    ? LB_ADDSTRING
                         : message == kComboBoxAddString ? CB_ADDSTRING
                                                         : 0;
        if (add == 0)
            return FALSE;
        ::SendMessageA(control, add, 0, reinterpret_cast<LPARAM>(value.c_str()));
    }
    return FALSE;
}
