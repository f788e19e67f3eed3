// The vertical scroll bar a list box draws in its non-client area: geometry, painting and
// what a click on it means.
#pragma once

#include "win32/controls.h"

namespace lv::controls {

struct ScrollModel {
    int top = 0;     // first visible item
    int visible = 1; // whole items that fit
    int count = 0;
};

// The bar's rectangle in window coordinates (relative to the window rectangle).
RECT scroll_bar_rect(HWND hwnd);
void paint_scroll_bar(HWND hwnd, const ScrollModel& model);
// The SB_* code for a click at a screen point on the bar; SB_ENDSCROLL for none.
WORD scroll_code_at(HWND hwnd, const ScrollModel& model, POINT screen);
// The new first item after a scroll code.
int scrolled_top(const ScrollModel& model, WORD code, int thumb_position);

} // namespace lv::controls
