// What the window manager asks of the display and tells it, without knowing which display runs:
// the display part implements these (window/ never includes display/).
#pragma once

#include "win32/types.h"

namespace lv::window::display_port {

// The screen's size: the real desktop's on a real display unless configured otherwise.
SIZE screen_size();
// The part of the screen that windows may use (the screen minus the desktop's panels).
RECT work_area();
// Something about the top-level windows changed: created, moved, resized, shown, hidden,
// reshaped, restacked, retitled, activated or destroyed; or the cursor was shown or hidden.
// Cheap; callable with the tree lock held.
void top_levels_changed();
// The program moved the cursor (SetCursorPos): on a real display the pointer follows.
void cursor_moved_by_program(POINT screen);

} // namespace lv::window::display_port
