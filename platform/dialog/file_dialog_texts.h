// The file dialogs' own words, in the program's language.
#pragma once

#include <string>

namespace lv::dialog {

struct FileDialogTexts {
    const char* open_title;
    const char* save_title;
    const char* look_in;
    const char* file_name;
    const char* open_type;
    const char* save_type;
    const char* open_button;
    const char* save_button;
    const char* cancel_button;
    const char* up_button;
    // With "%s" for the path.
    const char* file_not_found;
    const char* path_not_found;
    const char* replace_question;
};

// The texts of the user's language (English, Japanese or Korean).
const FileDialogTexts& file_dialog_texts();

// `pattern` with its "%s" replaced by `path`.
std::string with_path(const char* pattern, const std::string& path);

} // namespace lv::dialog
