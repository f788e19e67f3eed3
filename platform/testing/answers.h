// Answers for modal dialogs and message boxes, given by tests before the call that opens them.
// Without a queued answer the layer takes the next line of the answer script named by the
// environment variable LUMIVISTA_ANSWERS (one answer per line: OK, Cancel, Yes, No, Retry,
// Abort, Ignore, Close, Help, TryAgain, Continue or a number; consumed in order across the
// process), and without that the modal's default.
#pragma once

#include "win32/types.h"

#include <functional>
#include <string>
#include <vector>

namespace lv::testing {

struct ModalAnswer {
    int result = 0; // the button or the dialog's end result (IDOK, IDNO, ...)
    // For modals with a window: called once the modal shows, drives it by injected input.
    // Message boxes without a window use result alone.
    std::function<void(HWND modal)> driver;
};

void push_modal_answer(ModalAnswer answer);
void push_message_box_answer(int button);

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type = 0;
    int result = 0;
};

std::vector<MessageBoxRecord> message_box_log();
std::vector<UINT> message_beep_log();

// Drops queued answers and empties the logs.
void clear_answers();
// Reads LUMIVISTA_ANSWERS again from its first line at the next modal.
void restart_answer_script();

} // namespace lv::testing
