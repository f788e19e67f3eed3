// What tests read of a shown window: its text, and where a control lies in its top-level
// window's surface (the coordinates lv::testing::window_pixel takes).
#pragma once

#include "win32/win32.h"

#include <string>

namespace lvtest {

std::string WindowText(HWND hwnd);
// The control's rectangle relative to the window rectangle of `topLevel`.
RECT RectInWindow(HWND topLevel, HWND control);

} // namespace lvtest
