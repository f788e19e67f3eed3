// What the file dialogs check before they close with a choice, answered or picked in the window.
#pragma once

#include "win32/commdlg.h"

#include <string>
#include <vector>

namespace lv::dialog {

// Appends "." and the extension when the name has none.
void add_default_extension(std::string& path, LPCSTR extension);

// The caller's title, else "Open" or "Save As" in the user's language.
std::string file_dialog_caption(const OPENFILENAMEA& ofn, bool save);
// Tells why a choice is refused: `text` with "%s" for the path, in a message box.
void refuse_choice(const OPENFILENAMEA& ofn, bool save, HWND owner, const char* text,
                   const std::string& path);

// The caller's checks (a file that must exist, a path that must exist, the question before a
// file is replaced), told or asked in message boxes owned by `owner`; false when refused.
bool choice_accepted(const OPENFILENAMEA& ofn, bool save, const std::vector<std::string>& paths,
                     HWND owner);

} // namespace lv::dialog
