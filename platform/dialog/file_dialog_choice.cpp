#include "dialog/file_dialog_choice.h"

#include "dialog/file_dialog_folder.h"
#include "dialog/file_dialog_texts.h"
#include "win32/win32.h"

namespace lv::dialog {
namespace {

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::string file_dialog_caption(const OPENFILENAMEA& ofn, bool save) {
    if (ofn.lpstrTitle && *ofn.lpstrTitle)
        return ofn.lpstrTitle;
    const FileDialogTexts& texts = file_dialog_texts();
    return save ? texts.save_title : texts.open_title;
}

void refuse_choice(const OPENFILENAMEA& ofn, bool save, HWND owner, const char* text,
                   const std::string& path) {
    MessageBoxA(owner, with_path(text, path).c_str(), file_dialog_caption(ofn, save).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void add_default_extension(std::string& path, LPCSTR extension) {
    if (!extension || !*extension)
        return;
    if (name_of(path).find('.') == std::string::npos)
        path += std::string(".") + extension;
}

bool choice_accepted(const OPENFILENAMEA& ofn, bool save, const std::vector<std::string>& paths,
                     HWND owner) {
    const FileDialogTexts& texts = file_dialog_texts();
    for (const auto& path : paths) {
        if (!save && (ofn.Flags & OFN_FILEMUSTEXIST) && !exists(path)) {
            refuse_choice(ofn, save, owner, texts.file_not_found, path);
            return false;
        }
        const std::string folder = containing_folder(path);
        if ((ofn.Flags & OFN_PATHMUSTEXIST) && !folder.empty() && !exists(folder)) {
            refuse_choice(ofn, save, owner, texts.path_not_found, path);
            return false;
        }
        if (save && (ofn.Flags & OFN_OVERWRITEPROMPT) && exists(path)) {
            const std::string question = with_path(texts.replace_question, path);
            if (MessageBoxA(owner, question.c_str(), file_dialog_caption(ofn, save).c_str(),
                            MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return false;
        }
    }
    return true;
}

} // namespace lv::dialog
