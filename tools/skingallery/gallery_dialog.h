// The gallery's dialog: every control the control skinners serve, filled with items and put
// into each of its states.
#pragma once

#include "win32/win32.h"

namespace gallery {

// Shows the gallery as a modal dialog: IDOK or IDCANCEL, -1 when it cannot be made.
INT_PTR RunGallery(HINSTANCE instance, HWND owner);

} // namespace gallery
