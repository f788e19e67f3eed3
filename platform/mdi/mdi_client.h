// The MDI client: the window inside a frame that holds the document windows, activates,
// maximises, restores, tiles and cascades them, and gives the frame's menu bar the maximised
// child's system-menu icon and its minimise, restore and close buttons.
#pragma once

#include "win32/mdi.h"

#include <string>

namespace lv::mdi {

// Registers "MDIClient" (once).
void register_mdi_client_class();

// The client that holds `child`, or null when `child` is not an MDI child.
HWND client_of(HWND child);
HWND active_child(HWND client);
// Activates a child: WM_NCACTIVATE and WM_MDIACTIVATE to the old and the new one, the new one
// on top with the focus; a maximised old child hands its maximised state on.
void activate_child(HWND client, HWND child);
// A child was maximised, or left that state: the frame's menu bar and title follow.
void child_maximized(HWND client, HWND child);
void child_left_maximized(HWND client, HWND child);
// A child is going: the next one becomes active.
void child_destroyed(HWND client, HWND child);
// The frame's own title, which shows "title - [child title]" while a child is maximised.
void frame_title_changed(HWND client, const char* title);
void child_title_changed(HWND client, HWND child);
// The child that is maximised now, or null.
HWND maximized_child(HWND client);

} // namespace lv::mdi
