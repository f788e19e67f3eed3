#include "dialog/dialog_navigation.h"

#include "dialog/dialog_state.h"
#include "win32/controls.h"
#include "win32/errors.h"

#include <algorithm>

namespace lv::dialog {
namespace {

DWORD style_of(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

bool is_usable(HWND hwnd) {
    const DWORD style = style_of(hwnd);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void collect(HWND parent, std::vector<HWND>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto ex_style = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
        if ((ex_style & WS_EX_CONTROLPARENT) && is_usable(child)) {
            collect(child, out);
            continue;
        }
        out.push_back(child);
    }
}

std::ptrdiff_t index_of(const std::vector<HWND>& controls, HWND control) {
    const auto found = std::find(controls.begin(), controls.end(), control);
    return found == controls.end() ? -1 : found - controls.begin();
}

bool is_push_button(HWND control) {
    return (dialog_code(control) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

} // namespace

std::vector<HWND> dialog_controls(HWND dialog) {
    std::vector<HWND> controls;
    collect(dialog, controls);
    return controls;
}

HWND find_dialog_item(HWND dialog, int id) {
    for (HWND control : dialog_controls(dialog)) {
        if (GetDlgCtrlID(control) == id)
            return control;
    }
    return nullptr;
}

LRESULT dialog_code(HWND control, WPARAM key, MSG* msg) {
    return SendMessageA(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg));
}

void show_default_button(HWND dialog, HWND focus) {
    const DialogStatePtr state = dialog_state(dialog);
    const WORD default_id = state ? state->default_id : 0;
    const bool focus_is_button = focus && is_push_button(focus);
    for (HWND control : dialog_controls(dialog)) {
        const LRESULT code = dialog_code(control);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            continue;
        const bool should_be_default =
            focus_is_button ? control == focus : GetDlgCtrlID(control) == default_id;
        const bool is_default = (code & DLGC_DEFPUSHBUTTON) != 0;
        if (should_be_default != is_default)
            SendMessageA(control, BM_SETSTYLE, should_be_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                         TRUE);
    }
}

void set_dialog_focus(HWND dialog, HWND control) {
    if (!control)
        return;
    if (dialog_code(control) & DLGC_HASSETSEL)
        SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    show_default_button(dialog, control);
}

} // namespace lv::dialog

using namespace lv::dialog;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const std::vector<HWND> controls = dialog_controls(dialog);
    const auto count = static_cast<std::ptrdiff_t>(controls.size());
    if (count == 0)
        return nullptr;
    std::ptrdiff_t at = index_of(controls, control);
    if (at < 0)
        at = previous ? 0 : count - 1;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((at + (previous ? -step : step)) % count + count) % count;
        HWND candidate = controls[static_cast<std::size_t>(i)];
        if ((style_of(candidate) & WS_TABSTOP) && is_usable(candidate))
            return candidate;
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const std::vector<HWND> controls = dialog_controls(dialog);
    const auto count = static_cast<std::ptrdiff_t>(controls.size());
    std::ptrdiff_t at = index_of(controls, control);
    if (count == 0)
        return nullptr;
    if (at < 0)
        at = 0;
    // The group: from the item with WS_GROUP at or before this one to the next WS_GROUP.
    std::ptrdiff_t first = at;
    while (first > 0 && !(style_of(controls[static_cast<std::size_t>(first)]) & WS_GROUP))
        --first;
    std::ptrdiff_t end = at + 1;
    while (end < count && !(style_of(controls[static_cast<std::size_t>(end)]) & WS_GROUP))
        ++end;
    const std::ptrdiff_t size = end - first;
    for (std::ptrdiff_t step = 1; step < size; ++step) {
        const std::ptrdiff_t offset =
            ((at - first + (previous ? -step : step)) % size + size) % size;
        HWND candidate = controls[static_cast<std::size_t>(first + offset)];
        if (is_usable(candidate))
            return candidate;
    }
    return controls[static_cast<std::size_t>(at)];
}
