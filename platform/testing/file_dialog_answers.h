// Answers for the file dialogs: the files a person would pick. A file dialog takes the next of
// these first; without one it takes the next modal answer (OK keeps the file name it was opened
// with; one with a driver drives the dialog's window), and without that a person at a real
// display answers its window, or, where nobody can, it is cancelled.
#pragma once

#include "win32/types.h"

#include <string>
#include <vector>

namespace lv::testing {

struct FileDialogAnswer {
    std::vector<std::string> paths; // full paths; empty cancels the dialog
    DWORD filter_index = 0;         // 0 keeps the index the dialog was opened with
};

struct FileDialogRecord {
    bool save = false;
    std::string title;
    std::string initial_file;
    std::string initial_folder;
    DWORD filter_index = 0;
    DWORD flags = 0;
    HWND owner = nullptr;
};

void push_file_dialog_answer(FileDialogAnswer answer);
// Takes the next queued answer; false when there is none.
bool take_file_dialog_answer(FileDialogAnswer& answer);

void record_file_dialog(FileDialogRecord record);
std::vector<FileDialogRecord> file_dialog_log();
// Drops queued file answers and empties the log.
void clear_file_dialog_answers();

} // namespace lv::testing
