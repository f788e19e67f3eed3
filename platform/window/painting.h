// What the message loop asks the painting part.
#pragma once

#include "win32/window.h"

namespace lv::window {

// The first window of `thread` (parents before children, in z-order) that needs WM_PAINT and
// passes the filter (null filter: any window); null when none.
HWND find_window_to_paint(DWORD thread, HWND filter);

} // namespace lv::window
