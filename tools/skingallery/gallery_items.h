// The gallery's window of item controls: a tab control with pages, a header, a rebar holding a
// toolbar, a status bar and a link, each filled with items and put into its states.
#pragma once

#include "win32/win32.h"

namespace gallery {

// Shows the window as a modal dialog: IDOK or IDCANCEL, -1 when it cannot be made.
INT_PTR RunItemsWindow(HINSTANCE instance, HWND owner);

} // namespace gallery
