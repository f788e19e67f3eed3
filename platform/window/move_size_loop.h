// The modal loops DefWindowProc runs for moving and sizing a window and for pressing a
// caption button: the mouse is captured until the button is released.
#pragma once

#include "win32/window.h"

namespace lv::window {

// `start_point` is the screen point of the press (as WM_SYSCOMMAND's lParam), 0 for the last
// message's point.
void run_move_size_loop(HWND hwnd, WPARAM command, LPARAM start_point);
// Tracks a press on a caption button (HTCLOSE, HTMINBUTTON, HTMAXBUTTON); true when the button
// was released over the same button.
bool track_caption_button(HWND hwnd, LRESULT hit);

} // namespace lv::window
