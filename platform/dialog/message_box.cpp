// The message box without a window layer: it logs the box, shows it on stderr and returns the
// answer a test or an answer script gave, else the default button.
#include "dialog/message_box_buttons.h"
#include "testing/answer_source.h"
#include "win32/dialog.h"
#include "win32/errors.h"

#include <iostream>

int MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    if (lv::dialog::message_box_buttons(uType).empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string text = lpText ? lpText : "";
    const std::string caption = lpCaption ? lpCaption : "Error";
    std::cerr << "MessageBox [" << caption << "]: " << text << std::endl;

    int result = lv::dialog::message_box_default(uType);
    if (const auto answer = lv::testing::take_modal_answer()) {
        const int chosen = lv::dialog::message_box_result_for(uType, answer->result);
        if (chosen != 0)
            result = chosen;
        else
            std::cerr << "MessageBox: the answer " << answer->result
                      << " is none of the box's buttons; taking the default\n";
    }
    lv::testing::record_message_box({text, caption, uType, result});
    return result;
}

BOOL MessageBeep(UINT uType) {
    lv::testing::record_message_beep(uType);
    return TRUE;
}
