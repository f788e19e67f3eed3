// MessageBoxA: a dialog with the box's icon, text and buttons. Every box is logged and shown on
// stderr; a queued answer or the answer script answers it, a driver may click it, and where
// nobody can answer it takes its default button.
#include "dialog/message_box_buttons.h"
#include "dialog/message_box_icon.h"
#include "dialog/message_box_layout.h"
#include "dialog/modal_loop.h"
#include "testing/answer_source.h"
#include "win32/controls.h"
#include "win32/dialog.h"
#include "win32/errors.h"

#include <algorithm>
#include <iostream>

namespace lv::dialog {
namespace {

bool has_button(UINT type, int result) {
    const std::vector<int> buttons = message_box_buttons(type);
    return std::find(buttons.begin(), buttons.end(), result) != buttons.end();
}

UINT type_of(HWND box) {
    return static_cast<UINT>(GetWindowLongPtrA(box, DWLP_USER));
}

INT_PTR on_command(HWND box, WORD id) {
    const UINT type = type_of(box);
    if (has_button(type, id)) {
        EndDialog(box, id);
        return TRUE;
    }
    // Escape and the close box: Cancel where the box has it, OK on an OK-only box.
    if (id == IDCANCEL && message_box_buttons(type) == std::vector<int>{IDOK})
        EndDialog(box, IDOK);
    return TRUE;
}

INT_PTR on_init(HWND box, UINT type) {
    SetWindowLongPtrA(box, DWLP_USER, static_cast<LONG_PTR>(type));
    if (HWND button = GetDlgItem(box, message_box_default(type))) {
        SetFocus(button);
        return FALSE;
    }
    return TRUE;
}

INT_PTR on_draw_item(HWND box, const DRAWITEMSTRUCT* item) {
    if (!item || item->CtlID != kMessageBoxIconId)
        return FALSE;
    draw_message_box_icon(item->hDC, item->rcItem, type_of(box));
    return TRUE;
}

INT_PTR CALLBACK message_box_proc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return on_init(box, static_cast<UINT>(lParam));
    case WM_COMMAND:
        return on_command(box, LOWORD(wParam));
    case WM_DRAWITEM:
        return on_draw_item(box, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default:
        return FALSE;
    }
}

INT_PTR result_for_answer(UINT type, int answer) {
    const int chosen = message_box_result_for(type, answer);
    if (chosen != 0)
        return chosen;
    std::cerr << "MessageBox: the answer " << answer
              << " is none of the box's buttons; taking the default\n";
    return message_box_default(type);
}

} // namespace
} // namespace lv::dialog

using namespace lv::dialog;

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    if (message_box_buttons(uType).empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string text = lpText ? lpText : "";
    const std::string caption = lpCaption ? lpCaption : message_box_default_caption();
    std::cerr << "MessageBox [" << caption << "]: " << text << std::endl;

    ModalOptions options;
    options.unattended_result = message_box_default(uType);
    options.answer_result = [uType](int answer) { return result_for_answer(uType, answer); };
    const DialogTemplate box = message_box_template(text, caption, uType);
    INT_PTR result = dialog_box(nullptr, box, IsWindow(hWnd) ? hWnd : nullptr, message_box_proc,
                                static_cast<LPARAM>(uType), options);
    if (result <= 0 || !has_button(uType, static_cast<int>(result)))
        result = message_box_default(uType);
    lv::testing::record_message_box({text, caption, uType, static_cast<int>(result)});
    return static_cast<int>(result);
}

BOOL MessageBeep(UINT uType) {
    lv::testing::record_message_beep(uType);
    return TRUE;
}
