// The gallery's window of drawn scroll bars and a playing animation: a list and a text that
// scroll with the skin's scroll bars, and an animation control playing the gallery's clip over
// the window's skin.
#pragma once

#include "win32/win32.h"

namespace gallery {

// Shows the window as a modal dialog: IDCANCEL when closed, -1 when it cannot be made.
INT_PTR RunScrollAnimWindow(HINSTANCE instance, HWND owner);

} // namespace gallery
