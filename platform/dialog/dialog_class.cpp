// The dialog class and its window procedure: the dialog procedure first, then the dialog
// manager's defaults.
#include "dialog/dialog_create.h"
#include "dialog/dialog_navigation.h"
#include "dialog/dialog_state.h"
#include "win32/controls.h"

#include <mutex>

namespace lv::dialog {
namespace {

// Messages whose dialog-procedure result is the answer itself, not DWLP_MSGRESULT.
bool answers_directly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

void adopt_pending(HWND hwnd) {
    PendingDialog pending = take_pending_dialog();
    if (!pending.state)
        return;
    SetWindowLongPtrA(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(pending.proc));
    attach_dialog_state(hwnd, std::move(pending.state));
}

LRESULT erase_background(HWND hwnd, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        hwnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    if (!brush)
        brush = GetSysColorBrush(COLOR_3DFACE);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    return TRUE;
}

LRESULT close_as_cancel(HWND hwnd) {
    HWND cancel = find_dialog_item(hwnd, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
    }
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
    return 0;
}

bool inside(HWND dialog, HWND control) {
    return control && control != dialog && IsChild(dialog, control);
}

void restore_focus(HWND hwnd, DialogState& state) {
    HWND target = state.saved_focus;
    if (!IsWindow(target) || !IsChild(hwnd, target) || !IsWindowEnabled(target) ||
        !IsWindowVisible(target))
        target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    if (target)
        set_dialog_focus(hwnd, target);
}

LRESULT activate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const DialogStatePtr state = dialog_state(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (inside(hwnd, focus))
            state->saved_focus = focus;
        return 0;
    }
    if (!inside(hwnd, GetFocus()))
        restore_focus(hwnd, *state);
    return 0;
}

LRESULT set_default_id(HWND hwnd, WPARAM id) {
    const DialogStatePtr state = dialog_state(hwnd);
    if (!state)
        return FALSE;
    state->default_id = static_cast<WORD>(id);
    HWND focus = GetFocus();
    show_default_button(hwnd, inside(hwnd, focus) ? focus : nullptr);
    return TRUE;
}

LRESULT next_control(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam))
        target = reinterpret_cast<HWND>(wParam);
    else
        target = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
    if (target)
        set_dialog_focus(hwnd, target);
    return 0;
}

LRESULT default_handling(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return erase_background(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
        return close_as_cancel(hwnd);
    case WM_SETFONT:
        if (const DialogStatePtr state = dialog_state(hwnd)) {
            if (state->owns_font && state->font != reinterpret_cast<HFONT>(wParam)) {
                DeleteObject(state->font);
                state->owns_font = false;
            }
            state->font = reinterpret_cast<HFONT>(wParam);
        }
        return 0;
    case WM_GETFONT: {
        const DialogStatePtr state = dialog_state(hwnd);
        return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    }
    case DM_GETDEFID: {
        const DialogStatePtr state = dialog_state(hwnd);
        return state && state->default_id ? MAKELRESULT(state->default_id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        return set_default_id(hwnd, wParam);
    case WM_NEXTDLGCTL:
        return next_control(hwnd, wParam, lParam);
    case WM_ACTIVATE:
        return activate(hwnd, wParam, lParam);
    case WM_SETFOCUS:
        if (const DialogStatePtr state = dialog_state(hwnd))
            restore_focus(hwnd, *state);
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        detach_dialog_state(hwnd);
        return result;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_dialog_class() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
        wc.lpfnWndProc = DefDlgProcA;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.lpszClassName = WC_DIALOG;
        RegisterClassExA(&wc);
    });
}

} // namespace lv::dialog

using namespace lv::dialog;

LRESULT DefDlgProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE && !dialog_state(hwnd))
        adopt_pending(hwnd);
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
        const INT_PTR handled = proc(hwnd, msg, wParam, lParam);
        if (handled) {
            if (answers_directly(msg))
                return handled;
            return IsWindow(hwnd) ? GetWindowLongPtrA(hwnd, DWLP_MSGRESULT) : 0;
        }
    }
    return default_handling(hwnd, msg, wParam, lParam);
}
