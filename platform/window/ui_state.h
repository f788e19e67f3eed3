// The keyboard cues of a window (focus rectangles, accelerator underlines): what DefWindowProc
// does with WM_CHANGEUISTATE, WM_UPDATEUISTATE and WM_QUERYUISTATE.
#pragma once

#include "win32/window.h"

namespace lv::window {

// Changes the window's state and passes the message on to every child.
LRESULT update_ui_state(HWND hwnd, WPARAM change);
// A child asks its parent; a top-level window updates itself and its children when the change
// changes anything.
LRESULT change_ui_state(HWND hwnd, WPARAM change, LPARAM lParam);
LRESULT query_ui_state(HWND hwnd);

} // namespace lv::window
