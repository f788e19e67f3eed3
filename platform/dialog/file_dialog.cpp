// The file open and save dialogs. Headless they are answered through the testing interface
// (the files a person would pick); without an answer they end as cancelled.
#include "dialog/common_dialog_error.h"
#include "testing/answer_source.h"
#include "testing/file_dialog_answers.h"
#include "win32/win32.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

BOOL fail(DWORD error) {
    return lv::dialog::fail_common_dialog(error);
}

DWORD filter_count(LPCSTR filter) {
    if (!filter)
        return 0;
    DWORD strings = 0;
    for (LPCSTR at = filter; *at; at += std::strlen(at) + 1)
        ++strings;
    return strings / 2;
}

std::string folder_of(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string name_of(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

void add_default_extension(std::string& path, LPCSTR extension) {
    if (!extension || !*extension)
        return;
    if (name_of(path).find('.') == std::string::npos)
        path += std::string(".") + extension;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What a person chose, or nothing when the dialog was cancelled.
bool take_choice(const OPENFILENAMEA& ofn, lv::testing::FileDialogAnswer& choice) {
    if (lv::testing::take_file_dialog_answer(choice))
        return !choice.paths.empty();
    const auto answer = lv::testing::take_modal_answer();
    if (!answer || answer->result != IDOK || !ofn.lpstrFile || !*ofn.lpstrFile)
        return false;
    std::string initial = ofn.lpstrFile;
    if (folder_of(initial).empty() && ofn.lpstrInitialDir && *ofn.lpstrInitialDir)
        initial = std::string(ofn.lpstrInitialDir) + "\\" + initial;
    choice = lv::testing::FileDialogAnswer{{initial}, 0};
    return true;
}

// The checks the dialog makes before it closes; a refused choice ends it as cancelled.
bool accepted(const OPENFILENAMEA& ofn, bool save, const std::vector<std::string>& paths) {
    for (const auto& path : paths) {
        if (!save && (ofn.Flags & OFN_FILEMUSTEXIST) && !exists(path)) {
            const std::string text = path + "\nFile not found.\nCheck the file name and try again.";
            MessageBoxA(ofn.hwndOwner, text.c_str(), ofn.lpstrTitle ? ofn.lpstrTitle : "Open",
                        MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if ((ofn.Flags & OFN_PATHMUSTEXIST) && !folder_of(path).empty() &&
            !exists(folder_of(path))) {
            const std::string text = path + "\nPath does not exist.\nCheck the path and try again.";
            MessageBoxA(ofn.hwndOwner, text.c_str(), ofn.lpstrTitle ? ofn.lpstrTitle : "Open",
                        MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if (save && (ofn.Flags & OFN_OVERWRITEPROMPT) && exists(path)) {
            const std::string text = path + " already exists.\nDo you want to replace it?";
            if (MessageBoxA(ofn.hwndOwner, text.c_str(),
                            ofn.lpstrTitle ? ofn.lpstrTitle : "Save As",
                            MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return false;
        }
    }
    return true;
}

// One file: its full path. Several (multiple selection): the folder, then each name, each
// NUL-ended, and a NUL at the end.
std::string result_of(const OPENFILENAMEA& ofn, const std::vector<std::string>& paths,
                      WORD& offset) {
    const bool multiple = (ofn.Flags & OFN_ALLOWMULTISELECT) && paths.size() > 1;
    if (!multiple) {
        offset = static_cast<WORD>(paths[0].size() - name_of(paths[0]).size());
        return paths[0];
    }
    const std::string folder = folder_of(paths[0]);
    std::string result = folder + std::string(1, '\0');
    offset = static_cast<WORD>(folder.size() + 1);
    for (const auto& path : paths)
        result += name_of(path) + std::string(1, '\0');
    return result;
}

bool same_folder(const std::vector<std::string>& paths) {
    for (const auto& path : paths) {
        if (folder_of(path) != folder_of(paths[0]) || name_of(path).empty())
            return false;
    }
    return true;
}

BOOL run_file_dialog(LPOPENFILENAMEA ofn, bool save) {
    lv::dialog::clear_common_dialog_error();
    if (!ofn || ofn->lStructSize < offsetof(OPENFILENAMEA, pvReserved))
        return fail(CDERR_STRUCTSIZE);
    if (!ofn->lpstrFile || ofn->nMaxFile == 0)
        return fail(CDERR_INITIALIZATION);
    lv::testing::record_file_dialog(
        {save, ofn->lpstrTitle ? ofn->lpstrTitle : "",
         std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile)),
         ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "", ofn->nFilterIndex, ofn->Flags,
         ofn->hwndOwner});

    lv::testing::FileDialogAnswer choice;
    if (!take_choice(*ofn, choice))
        return FALSE;
    if (choice.paths.size() > 1 &&
        (!(ofn->Flags & OFN_ALLOWMULTISELECT) || !same_folder(choice.paths)))
        return fail(FNERR_INVALIDFILENAME);
    for (auto& path : choice.paths)
        add_default_extension(path, ofn->lpstrDefExt);
    if (!accepted(*ofn, save, choice.paths))
        return FALSE;

    WORD offset = 0;
    const std::string result = result_of(*ofn, choice.paths, offset);
    // The terminating NUL: of the path, or the list's second one after the last name.
    const std::size_t needed = result.size() + 1;
    if (needed > ofn->nMaxFile) {
        if (ofn->nMaxFile >= 2) {
            const auto size = static_cast<WORD>(std::min<std::size_t>(needed, 0xFFFF));
            ofn->lpstrFile[0] = static_cast<char>(size & 0xFF);
            ofn->lpstrFile[1] = static_cast<char>(size >> 8);
        }
        return fail(FNERR_BUFFERTOOSMALL);
    }
    std::memcpy(ofn->lpstrFile, result.data(), result.size());
    ofn->lpstrFile[result.size()] = '\0';
    ofn->nFileOffset = offset;
    const std::string first_name = name_of(choice.paths[0]);
    const auto dot = first_name.find_last_of('.');
    ofn->nFileExtension = (choice.paths.size() > 1 || dot == std::string::npos)
                              ? 0
                              : static_cast<WORD>(offset + dot + 1);
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
        const std::size_t count = std::min<std::size_t>(first_name.size(), ofn->nMaxFileTitle - 1);
        std::memcpy(ofn->lpstrFileTitle, first_name.data(), count);
        ofn->lpstrFileTitle[count] = '\0';
    }
    if (choice.filter_index > 0 && choice.filter_index <= filter_count(ofn->lpstrFilter))
        ofn->nFilterIndex = choice.filter_index;
    return TRUE;
}

} // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    return run_file_dialog(ofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) {
    return run_file_dialog(ofn, true);
}
