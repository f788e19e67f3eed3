// The classic frame and caption drawn by DefWindowProc.
#pragma once

#include "win32/window.h"

namespace lv::window {

// Paints the frame of `hwnd` through a window DC; `update` is WM_NCPAINT's region (1 = all).
void paint_frame(HWND hwnd, HRGN update);

} // namespace lv::window
