// The dialog template of the file dialogs: where to look, the folder's list, the file name and
// type, and the buttons, with room for the labels of the user's language.
#pragma once

#include "dialog/dialog_template.h"
#include "dialog/file_dialog_texts.h"

namespace lv::dialog {

// `at_owner`: the dialog opens at its owner's place (a caller that placed the owner for it);
// otherwise centred. `multiple`: several files can be selected in the list.
DialogTemplate file_dialog_template(const FileDialogTexts& texts, bool save,
                                    const std::string& caption, bool at_owner, bool multiple);

} // namespace lv::dialog
