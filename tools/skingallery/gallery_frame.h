// The gallery's main window: the skin's main frame with a menu bar of drop-downs (submenus,
// separators, check marks, disabled and owner-drawn items), an MDI client holding pictures, and
// a context menu on the pictures. Its commands open pictures, switch what they show, arrange
// them, open the controls dialog and end the program.
#pragma once

#include "win32/win32.h"

namespace gallery {

// The frame, shown, with two pictures in it; null when it cannot be made.
HWND CreateGalleryFrame(HINSTANCE instance, int showCommand);
// The frame's MDI client.
HWND GalleryMdiClient(HWND frame);
// The menu the frame was made with (a skinned frame shows it in its own bar).
HMENU GalleryFrameMenu(HWND frame);

// Makes the frame and runs the program's message loop until the frame is closed: the code of
// the quit, or 1 when the frame cannot be made.
int RunGalleryFrame(HINSTANCE instance);

} // namespace gallery
