// Helpers of the dialog tests: a dialog procedure that records commands, and pumping.
#pragma once

#include "win32/win32.h"

#include <utility>
#include <vector>

namespace dlgtest {

struct Command {
    int id;
    int code;
    bool operator==(const Command&) const = default;
};

// Commands the recording procedure saw, in order; cleared by reset_commands().
std::vector<Command>& commands();
void reset_commands();
// Records WM_COMMAND; IDOK, IDCANCEL and 321 end the dialog with their id; WM_INITDIALOG
// returns lParam (TRUE: the dialog manager gives the focus).
INT_PTR CALLBACK recording_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Delivers everything queued for this thread, through IsDialogMessage for `dialog`.
void pump(HWND dialog);
int id_of_focus();

} // namespace dlgtest
