// What part of its top-level window's surface a window may draw on.
#pragma once

#include "gdi/region.h"
#include "window/window_object.h"

namespace lv::window {

// Offset of the window rectangle (or its client area) within its top-level window's surface.
POINT window_offset_in_surface(const Window* w);
POINT client_offset_in_surface(const Window* w);
// The visible region in surface coordinates: inside every parent's client area, minus the
// siblings above it and above each ancestor, minus its own children when `clip_children`,
// intersected with every window region on the way. Empty for a hidden window. Tree lock held.
gdi::Region visible_region(const Window* w, bool client_only, bool clip_children);

} // namespace lv::window
