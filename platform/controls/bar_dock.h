// Bars (toolbar, status bar, rebar) keep themselves along an edge of their parent, as wide
// as its client area, unless their CCS_* styles say otherwise.
#pragma once

#include "win32/window.h"

namespace lv::controls {

// Gives the bar `height` and, without CCS_NOPARENTALIGN, the parent's width at its top
// (bottom with CCS_BOTTOM, or when `bottom` is the bar's default). CCS_NORESIZE leaves it be.
void dock_bar(HWND hwnd, int height, bool bottom);

} // namespace lv::controls
