// The dialog's item helpers: texts, numbers, check states and messages by control id.
#include "dialog/dialog_navigation.h"
#include "win32/controls.h"
#include "win32/errors.h"

#include <charconv>
#include <cstdio>
#include <string>

using namespace lv::dialog;

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (text && maxCount > 0)
            text[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, text, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    if (isSigned)
        std::snprintf(text, sizeof(text), "%d", static_cast<int>(value));
    else
        std::snprintf(text, sizeof(text), "%u", value);
    return SetDlgItemTextA(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated)
        *translated = FALSE;
    char text[64] = {};
    if (!GetDlgItemTextA(dialog, id, text, sizeof(text)))
        return 0;
    std::string_view digits(text);
    while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
        digits.remove_prefix(1);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
        digits.remove_suffix(1);
    bool negative = false;
    if (isSigned && !digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return 0;
    // Out of range is untranslated, as on the platform.
    if (isSigned ? value > (negative ? 2147483648ull : 2147483647ull) : value > 0xFFFFFFFFull)
        return 0;
    if (translated)
        *translated = TRUE;
    if (negative)
        return static_cast<UINT>(-static_cast<std::int64_t>(value));
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return FALSE;
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    bool found = false;
    for (int id = firstId; id <= lastId; ++id) {
        HWND control = GetDlgItem(dialog, id);
        if (!control)
            continue;
        found = true;
        SendMessageA(control, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return found ? TRUE : FALSE;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, msg, wParam, lParam) : 0;
}
