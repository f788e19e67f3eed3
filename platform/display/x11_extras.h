// What the real display does through X directly where SDL has no call for it: shaping a window
// by a list of rectangles, asking where the pointer is and raising windows. They do nothing on
// other display servers. A request the X server refuses makes the call fail (see x11_errors.h).
#pragma once

#include "win32/types.h"

#include <vector>

struct SDL_Window;

namespace lv::display {

// Shapes the window to the union of the rectangles (window coordinates); an empty list gives
// back the whole rectangle. False where the display cannot shape windows.
bool shape_window(SDL_Window* window, const std::vector<RECT>& rects);
// Where the pointer is on the screen, asked of the X server itself: SDL's global pointer
// state follows only the device's raw motion and misses a pointer that was warped. False on
// other display servers.
bool query_pointer(SDL_Window* any_window, POINT& screen);
// Raises the windows one after the other, so that the last one ends on top. Under a window
// manager each window sits in a frame of the manager's, so the windows are no siblings that
// could be stacked against each other: each raise is a request the manager carries out on the
// frame, keeping a window it holds transient for another above that one.
void raise_windows(const std::vector<SDL_Window*>& bottom_first);
// Asks for the window to be brought forward as the active one: through the window manager
// (_NET_ACTIVE_WINDOW from an application) where one runs that supports it, since the manager
// alone knows the frames, their stacking and whose turn the keyboard is; raised directly where
// none does (windows that belong above it are then the caller's to raise again).
enum class Activation { failed, by_manager, raised };
Activation request_activation(SDL_Window* window);

// Tells the window manager what the window is (_NET_WM_WINDOW_TYPE_<type>: "DIALOG", "COMBO").
// Before the window is shown.
bool set_window_type(SDL_Window* window, const char* type);
// Asks the window manager to add a state to a shown window (a _NET_WM_STATE request); nothing
// happens where no manager runs.
bool request_window_state(SDL_Window* window, const char* state);
// Adds a state (_NET_WM_STATE_<state>: "MODAL", "FULLSCREEN") to those the window is shown
// with, unless it is there. Before the window is shown, after SDL has written its own.
bool add_window_state(SDL_Window* window, const char* state);

} // namespace lv::display
