// The dialog manager's keyboard interface: Tab and Shift+Tab over the tab stops, arrows within
// a group, Enter for the default button, Escape for Cancel, Alt+letter for mnemonics.
#include "dialog/dialog_navigation.h"
#include "win32/controls.h"

#include <cctype>

namespace lv::dialog {
namespace {

bool shift_down() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

void press_button(HWND dialog, int id, HWND button) {
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void press_enter(HWND dialog, HWND focus, LRESULT code) {
    if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        press_button(dialog, GetDlgCtrlID(focus), focus);
        return;
    }
    const LRESULT defid = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    const int id = HIWORD(defid) == DC_HASDEFID ? LOWORD(defid) : IDOK;
    press_button(dialog, id, find_dialog_item(dialog, id));
}

// Among radio buttons the check goes with the focus: the button the arrow reaches is clicked
// unless it is checked already, so an auto one checks itself and its parent hears BN_CLICKED.
// A control that draws itself but answers as a radio button is treated as one.
void move_in_group(HWND dialog, HWND focus, bool previous) {
    HWND next = GetNextDlgGroupItem(dialog, focus, previous);
    if (!next || next == focus)
        return;
    set_dialog_focus(dialog, next);
    if ((dialog_code(next) & DLGC_RADIOBUTTON) &&
        SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessageA(next, BM_CLICK, 0, 0);
}

bool handle_key(HWND dialog, MSG* msg) {
    HWND focus = GetFocus();
    if (!focus || (focus != dialog && !IsChild(dialog, focus)))
        focus = nullptr;
    const WPARAM key = msg->wParam;
    const LRESULT code = focus ? dialog_code(focus, key, msg) : 0;
    if (code & DLGC_WANTALLKEYS)
        return false;
    switch (key) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        if (HWND next = GetNextDlgTabItem(dialog, focus, shift_down()))
            set_dialog_focus(dialog, next);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (code & DLGC_WANTARROWS)
            return false;
        if (focus && focus != dialog)
            move_in_group(dialog, focus, key == VK_LEFT || key == VK_UP);
        return true;
    case VK_RETURN:
        press_enter(dialog, focus, code);
        return true;
    case VK_ESCAPE:
        press_button(dialog, IDCANCEL, find_dialog_item(dialog, IDCANCEL));
        return true;
    default:
        return false;
    }
}

// The character after the single '&' of a text, lower-cased; 0 when there is none.
char mnemonic_of(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
    }
    return 0;
}

bool has_prefix(HWND control) {
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    if (dialog_code(control) & DLGC_STATIC)
        return !(style & SS_NOPREFIX);
    return (dialog_code(control) & DLGC_BUTTON) != 0;
}

bool handle_mnemonic(HWND dialog, char typed) {
    const std::vector<HWND> controls = dialog_controls(dialog);
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(typed)));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        HWND control = controls[i];
        if (!IsWindowVisible(control) || !IsWindowEnabled(control) || !has_prefix(control))
            continue;
        char text[256] = {};
        GetWindowTextA(control, text, sizeof(text));
        if (wanted == 0 || mnemonic_of(text) != wanted)
            continue;
        const LRESULT code = dialog_code(control);
        if (code & DLGC_STATIC) {
            // A label gives its mnemonic to the control after it.
            if (HWND next = GetNextDlgTabItem(dialog, control, FALSE))
                set_dialog_focus(dialog, next);
            return true;
        }
        set_dialog_focus(dialog, control);
        SendMessageA(control, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

bool handle_char(HWND dialog, MSG* msg) {
    HWND focus = GetFocus();
    if (msg->message == WM_CHAR) {
        if (!focus || (dialog_code(focus, msg->wParam, msg) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
            return false;
    }
    return handle_mnemonic(dialog, static_cast<char>(msg->wParam));
}

} // namespace
} // namespace lv::dialog

using namespace lv::dialog;

BOOL IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (!msg || !IsWindow(dialog))
        return FALSE;
    if (CallMsgFilterA(msg, MSGF_DIALOGBOX))
        return TRUE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))
        return FALSE;
    bool handled = false;
    if (msg->message == WM_KEYDOWN)
        handled = handle_key(dialog, msg);
    else if (msg->message == WM_SYSCHAR || msg->message == WM_CHAR)
        handled = handle_char(dialog, msg);
    if (handled)
        return TRUE;
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
