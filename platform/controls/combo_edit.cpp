#include "controls/combo_edit.h"

#include "controls/control_support.h"

namespace lv::controls {
namespace {

constexpr char kEditProcProperty[] = "lv.combo.edit.proc";

// Keys that move the selection or open and close the list belong to the combo box.
bool combo_key(WPARAM key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_F4:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK edit_proc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(edit, kEditProcProperty));
    HWND combo = GetParent(edit);
    if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && combo) {
        const bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (combo_key(wParam) || (dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE)))
            return SendMessageA(combo, msg, wParam, lParam);
    }
    if (msg == WM_GETDLGCODE && combo && SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0))
        return CallWindowProcA(original, edit, msg, wParam, lParam) | DLGC_WANTALLKEYS;
    if (msg == WM_NCDESTROY) {
        RemovePropA(edit, kEditProcProperty);
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return original ? CallWindowProcA(original, edit, msg, wParam, lParam)
                    : DefWindowProcA(edit, msg, wParam, lParam);
}

} // namespace

bool create_combo_edit(HWND combo, ComboEdit& edit) {
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (!IsWindowEnabled(combo))
        style |= WS_DISABLED;
    edit.window = CreateWindowExA(0, WC_EDITA, "", style, 0, 0, 10, 10, combo,
                                  reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(kComboEditId)),
                                  nullptr, nullptr);
    if (!edit.window)
        return false;
    SetPropA(edit.window, kEditProcProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrA(edit.window, GWLP_WNDPROC,
                                                        reinterpret_cast<LONG_PTR>(edit_proc))));
    return true;
}

void place_combo_edit(const ComboEdit& edit, const RECT& area) {
    if (edit.window)
        MoveWindow(edit.window, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   TRUE);
}

void show_item_in_combo_edit(ComboEdit& edit, const std::string& text) {
    if (!edit.window)
        return;
    edit.showing_item = true;
    SetWindowTextA(edit.window, text.c_str());
    SendMessageA(edit.window, EM_SETSEL, 0, -1);
    edit.showing_item = false;
}

ComboEditEvent combo_edit_command(HWND combo, const ComboEdit& edit, WPARAM wParam) {
    switch (HIWORD(wParam)) {
    case EN_CHANGE:
        if (!edit.showing_item) {
            notify_parent(combo, CBN_EDITUPDATE);
            notify_parent(combo, CBN_EDITCHANGE);
        }
        return ComboEditEvent::none;
    case EN_SETFOCUS:
        return ComboEditEvent::focus_gained;
    case EN_KILLFOCUS:
        return ComboEditEvent::focus_lost;
    default:
        return ComboEditEvent::none;
    }
}

} // namespace lv::controls
