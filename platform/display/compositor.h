// The screen: one surface onto which the visible top-level windows are composed, bottom to
// top, each through its window region.
#pragma once

#include "gdi/surface.h"

#include <cstdint>

namespace lv::display {

// The screen surface (its size from LUMIVISTA_SCREEN); also what the display DC draws into.
gdi::Surface& screen_surface();
// Composes the screen from the windows now. Safe from any thread.
void compose_screen();
// Composes only when something changed since the last composition; true when it composed.
bool compose_if_changed();

} // namespace lv::display
