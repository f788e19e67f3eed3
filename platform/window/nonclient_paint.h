// The classic frame and caption drawn by DefWindowProc.
#pragma once

#include "win32/window.h"

namespace lv::window {

// Paints the frame of `hwnd` through a window DC; `update` is WM_NCPAINT's region (1 = all).
void paint_frame(HWND hwnd, HRGN update);
// Sets the window's text as WM_SETTEXT does, but leaves its caption to the next WM_NCPAINT, so
// that a window that draws its own frame is not painted over; false for no window.
bool set_text_unpainted(HWND hwnd, LPCSTR text);

} // namespace lv::window
