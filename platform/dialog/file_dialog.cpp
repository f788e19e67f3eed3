// The file open and save dialogs. A queued file answer, or a plain modal answer (OK keeps the
// proposed name), answers them as today's tests and scripts expect; an answer with a driver, or
// a person at a real display, gets the dialog's window; where nobody can answer they end as
// cancelled.
#include "dialog/common_dialog_error.h"
#include "dialog/file_dialog_choice.h"
#include "dialog/file_dialog_folder.h"
#include "dialog/file_dialog_window.h"
#include "dialog/unattended.h"
#include "testing/answer_source.h"
#include "testing/file_dialog_answers.h"
#include "win32/win32.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace lv::dialog;

BOOL fail(DWORD error) {
    return fail_common_dialog(error);
}

struct Picked {
    std::vector<std::string> paths;
    DWORD filter_index = 0; // 0 keeps the caller's
};

std::string proposed_file(const OPENFILENAMEA& ofn) {
    return std::string(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
}

// OK of a plain answer keeps the proposed name (in the initial folder when it has none).
std::optional<Picked> kept_proposal(const OPENFILENAMEA& ofn,
                                    const lv::testing::ModalAnswer& answer) {
    const std::string proposed = proposed_file(ofn);
    if (answer.result != IDOK || proposed.empty())
        return std::nullopt;
    if (folder_of(proposed).empty() && ofn.lpstrInitialDir && *ofn.lpstrInitialDir)
        return Picked{{join_path(ofn.lpstrInitialDir, proposed)}, 0};
    return Picked{{proposed}, 0};
}

bool same_folder(const std::vector<std::string>& paths) {
    for (const auto& path : paths) {
        if (folder_of(path) != folder_of(paths[0]) || name_of(path).empty())
            return false;
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

// Writes the choice into the caller's buffers; a buffer too small gets the size it needs.
BOOL hand_back(OPENFILENAMEA& ofn, const Picked& picked) {
    WORD offset = 0;
    const std::string result = result_of(ofn, picked.paths, offset);
    // The terminating NUL: of the path, or the list's second one after the last name.
    const std::size_t needed = result.size() + 1;
    if (needed > ofn.nMaxFile) {
        if (ofn.nMaxFile >= 2) {
            const auto size = static_cast<WORD>(std::min<std::size_t>(needed, 0xFFFF));
            ofn.lpstrFile[0] = static_cast<char>(size & 0xFF);
            ofn.lpstrFile[1] = static_cast<char>(size >> 8);
        }
        return fail(FNERR_BUFFERTOOSMALL);
    }
    std::memcpy(ofn.lpstrFile, result.data(), result.size());
    ofn.lpstrFile[result.size()] = '\0';
    ofn.nFileOffset = offset;
    const std::string first_name = name_of(picked.paths[0]);
    const auto dot = first_name.find_last_of('.');
    ofn.nFileExtension = (picked.paths.size() > 1 || dot == std::string::npos)
                             ? 0
                             : static_cast<WORD>(offset + dot + 1);
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        const std::size_t count = std::min<std::size_t>(first_name.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, first_name.data(), count);
        ofn.lpstrFileTitle[count] = '\0';
    }
    if (picked.filter_index > 0 && picked.filter_index <= parse_filters(ofn.lpstrFilter).size())
        ofn.nFilterIndex = picked.filter_index;
    return TRUE;
}

// An answer's choice gets the checks the window makes before it closes; refused, the dialog
// ends as cancelled.
BOOL hand_back_answer(OPENFILENAMEA& ofn, bool save, Picked picked) {
    if (picked.paths.size() > 1 &&
        (!(ofn.Flags & OFN_ALLOWMULTISELECT) || !same_folder(picked.paths)))
        return fail(FNERR_INVALIDFILENAME);
    for (auto& path : picked.paths)
        add_default_extension(path, ofn.lpstrDefExt);
    if (!choice_accepted(ofn, save, picked.paths,
                         IsWindow(ofn.hwndOwner) ? ofn.hwndOwner : nullptr))
        return FALSE;
    return hand_back(ofn, picked);
}

BOOL run_file_dialog(LPOPENFILENAMEA ofn, bool save) {
    clear_common_dialog_error();
    if (!ofn || ofn->lStructSize < offsetof(OPENFILENAMEA, pvReserved))
        return fail(CDERR_STRUCTSIZE);
    if (!ofn->lpstrFile || ofn->nMaxFile == 0)
        return fail(CDERR_INITIALIZATION);
    lv::testing::record_file_dialog({save, ofn->lpstrTitle ? ofn->lpstrTitle : "",
                                     proposed_file(*ofn),
                                     ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "",
                                     ofn->nFilterIndex, ofn->Flags, ofn->hwndOwner});

    lv::testing::FileDialogAnswer file_answer;
    if (lv::testing::take_file_dialog_answer(file_answer)) {
        if (file_answer.paths.empty())
            return FALSE;
        return hand_back_answer(*ofn, save, {file_answer.paths, file_answer.filter_index});
    }
    const auto answer = lv::testing::take_modal_answer();
    if (answer && !answer->driver) {
        const auto kept = kept_proposal(*ofn, *answer);
        return kept ? hand_back_answer(*ofn, save, *kept) : FALSE;
    }
    if (!answer && nobody_can_answer())
        return FALSE;
    const auto chosen = show_file_dialog(*ofn, save, answer ? answer->driver : nullptr);
    if (!chosen)
        return FALSE;
    return hand_back(*ofn, {chosen->paths, chosen->filter_index});
}

} // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    return run_file_dialog(ofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) {
    return run_file_dialog(ofn, true);
}
