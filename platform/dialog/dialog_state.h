// What the dialog manager keeps per dialog window besides its window extra bytes.
#pragma once

#include "win32/dialog.h"
#include "win32/gdi.h"

#include <memory>

namespace lv::dialog {

struct DialogState {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    bool owns_font = false;
    SIZE base_units{8, 16};
    WORD default_id = 0;
    HWND saved_focus = nullptr;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;

    DialogState() = default;
    DialogState(const DialogState&) = delete;
    DialogState& operator=(const DialogState&) = delete;
    ~DialogState();
};

using DialogStatePtr = std::shared_ptr<DialogState>;

// The state of a dialog window; null for any other window.
DialogStatePtr dialog_state(HWND hwnd);
void attach_dialog_state(HWND hwnd, DialogStatePtr state);
void detach_dialog_state(HWND hwnd);

// Hands a dialog procedure and state to the window being created on this thread, so that the
// procedure sees the window's first messages.
struct PendingDialog {
    DLGPROC proc = nullptr;
    DialogStatePtr state;
};
void set_pending_dialog(PendingDialog pending);
// Takes what set_pending_dialog left (once); empty when nothing is pending.
PendingDialog take_pending_dialog();

} // namespace lv::dialog
