// Making dialog windows from templates.
#pragma once

#include "dialog/dialog_template.h"

namespace lv::dialog {

// The template of a resource (in the user's language) or of memory a caller holds.
std::optional<DialogTemplate> template_from_resource(LPCSTR name);
std::optional<DialogTemplate> template_from_memory(LPCDLGTEMPLATEA memory);

// Creates the dialog and its controls, sends WM_SETFONT and WM_INITDIALOG and gives the focus;
// a modeless dialog with WS_VISIBLE shows itself. Null when a window cannot be made or the
// dialog went away during its initialisation.
HWND create_dialog(HINSTANCE instance, const DialogTemplate& dialog, HWND parent, DLGPROC proc,
                   LPARAM param, bool modal);

// The dialog class (WC_DIALOG) for every program; safe to call more than once.
void register_dialog_class();

} // namespace lv::dialog
