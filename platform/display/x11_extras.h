// What the real display does through X directly where SDL has no call for it: shaping a window
// by a list of rectangles, asking where the pointer is and stacking windows in a given order.
// They do nothing on other display servers.
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
// Stacks the windows in this order, topmost first.
void restack_windows(const std::vector<SDL_Window*>& top_first);

} // namespace lv::display
