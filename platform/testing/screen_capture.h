// What the screen and the windows show, for tests and captures: pixels and PNG files.
#pragma once

#include "win32/window.h"

#include <string>

namespace lv::testing {

// Composes the screen and writes it as a PNG file; false when the file cannot be written.
bool save_screen_png(const std::string& path);
// Writes one top-level window's surface (its whole window rectangle) as a PNG file.
bool save_window_png(HWND hwnd, const std::string& path);
// The composed screen's colour at a screen point (composes first); CLR_INVALID outside.
COLORREF screen_pixel(int x, int y);
// How many points of the composed screen inside `area` show `colour`, composing once (a
// screen_pixel per point would compose the screen for each).
int count_screen_pixels(const RECT& area, COLORREF colour);
// A colour of the top-level window's surface at a point relative to the window rectangle of
// `hwnd` (a child's point is looked up in its top-level window's surface); CLR_INVALID outside.
COLORREF window_pixel(HWND hwnd, int x, int y);

} // namespace lv::testing
