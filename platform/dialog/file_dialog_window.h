// The file dialog as a window: a person (or a test's driver) looks through the folders, picks
// or types a file name and opens or saves it.
#pragma once

#include "win32/commdlg.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lv::dialog {

struct FileDialogChoice {
    std::vector<std::string> paths; // one, or with OFN_ALLOWMULTISELECT several of one folder
    DWORD filter_index = 0;         // 1-based; 0 when the caller gave no filter
};

// Shows the dialog and waits until a file is chosen (checked as the caller's flags ask) or the
// dialog is cancelled. `driver`, when given, drives it once it shows. The chosen files' folder
// becomes the current one unless the caller asks OFN_NOCHANGEDIR.
std::optional<FileDialogChoice> show_file_dialog(const OPENFILENAMEA& ofn, bool save,
                                                 std::function<void(HWND)> driver);

} // namespace lv::dialog
