// Notifications between parts of the window manager.
#pragma once

#include "window/window_object.h"

namespace lv::window {

// The window's geometry or visibility changed: surfaces follow, the screen is recomposed.
// Call with the tree lock held.
void on_geometry_changed(Window* w);
// The window is going away: its painting state and surface are released. Tree lock held.
void on_window_destroyed(Window* w);
// The thread ended: its windows go without messages, as nobody can answer them any more.
void forget_thread_windows(DWORD thread);

// Something about the windows changed (geometry, visibility, shape, order, text, activation):
// the display follows when it next can.
void mark_screen_dirty();
// Drawing ended (a DC was released): only the composed screen may be stale. The display learns
// of drawing through the surfaces' damage instead.
void mark_screen_drawn();

} // namespace lv::window

namespace lv::window {

// Whether a point relative to the window rectangle's top-left corner is inside the window's
// region (always true without a region). Tree lock held.
bool region_contains(const Window* w, POINT at);

} // namespace lv::window
