// Moving through a dialog's controls: tab order, groups, focus and the default button.
#pragma once

#include "win32/dialog.h"

#include <vector>

namespace lv::dialog {

// The dialog's controls in tab order (z-order), descending into visible, enabled children that
// hold controls of their own (WS_EX_CONTROLPARENT).
std::vector<HWND> dialog_controls(HWND dialog);
// A control of the dialog or of its control-parent children, by id.
HWND find_dialog_item(HWND dialog, int id);
LRESULT dialog_code(HWND control, WPARAM key = 0, MSG* msg = nullptr);
// Focus to a control as the dialog manager gives it: edits select their text; a push button
// that takes the focus shows itself as the default one meanwhile.
void set_dialog_focus(HWND dialog, HWND control);
// The dialog's default button takes the default look, other push buttons lose it.
void show_default_button(HWND dialog, HWND focus);

} // namespace lv::dialog
