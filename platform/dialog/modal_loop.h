// The modal loop of dialogs and message boxes.
#pragma once

#include "win32/dialog.h"

#include <functional>
#include <optional>

namespace lv::dialog {

struct ModalOptions {
    // The result when no answer is queued and nobody can answer (the message box's default
    // button); without one the dialog runs until its own code ends it, and is cancelled when
    // it waits for input that cannot come.
    std::optional<INT_PTR> unattended_result;
    // Maps an answer's result to what the modal ends with; none keeps it as it is.
    std::function<INT_PTR(int answer)> answer_result;
    // The driver of an answer its caller took already: drives the dialog once it shows, and
    // no further answer is taken for it.
    std::function<void(HWND modal)> driver;
};

struct DialogTemplate;

// DialogBox: disables the owner (the parent's top-level window), creates the dialog, shows it,
// hands it to a queued answer, pumps until EndDialog, enables the owner and destroys the
// dialog. -1 when the dialog cannot be made.
INT_PTR dialog_box(HINSTANCE instance, const DialogTemplate& dialog, HWND parent, DLGPROC proc,
                   LPARAM param, const ModalOptions& options);

} // namespace lv::dialog
