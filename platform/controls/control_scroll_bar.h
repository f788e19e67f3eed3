// The vertical scroll bar a control (list box, rich edit) draws in its non-client area:
// geometry, painting, what a press on it means and how a dragged thumb moves.
#pragma once

#include "win32/controls.h"
#include "win32/scroll_bar.h"

namespace lv::controls {

// Positions count the control's own units: items of a list, pixels of a text.
struct ScrollModel {
    int top = 0;     // first visible unit
    int visible = 1; // units that fit
    int count = 0;   // units in all
    int line = 1;    // units one arrow press moves
};

// A drag of the thumb, from the press on it to the release.
struct ThumbDrag {
    bool active = false;
    int grab = 0; // from the thumb's top to the pointer, in pixels
};

// Tells the window's SB_VERT numbers (GetScrollInfo) what the model shows: range 0 to count - 1,
// a page of `visible` units, the position at `top`.
void publish_scroll_model(HWND hwnd, const ScrollModel& model);

// The bar's rectangle in window coordinates (relative to the window rectangle).
RECT scroll_bar_rect(HWND hwnd);
void paint_scroll_bar(HWND hwnd, const ScrollModel& model);
// The SB_* code for a press at a screen point on the bar (SB_THUMBTRACK on the thumb);
// SB_ENDSCROLL for none.
WORD scroll_code_at(HWND hwnd, const ScrollModel& model, POINT screen);
// The new first unit after a scroll code; `thumb_position` serves SB_THUMBPOSITION/TRACK.
int scrolled_top(const ScrollModel& model, WORD code, int thumb_position);
// `top` kept between the first unit and the last one that still fills the view.
int clamped_top(const ScrollModel& model, int top);

// The mouse on the bar, as the platform's bar answers it: the control gets WM_VSCROLL. A press
// on an arrow or the track scrolls; a press on the thumb captures the mouse and starts a drag,
// which the moves follow (SB_THUMBTRACK) and the release ends (SB_THUMBPOSITION, then
// SB_ENDSCROLL). The position travels in the message's high word, as the platform's does.
// For WM_NCLBUTTONDOWN: a press on the bar (HTVSCROLL); any other goes to DefWindowProc.
LRESULT press_scroll_bar(HWND hwnd, const ScrollModel& model, WPARAM hit, LPARAM screen_point,
                         ThumbDrag& drag);
// For the captured mouse's WM_MOUSEMOVE and WM_LBUTTONUP (client coordinates); false when no
// drag is going on, so the control handles the message itself.
bool follow_thumb_drag(HWND hwnd, const ScrollModel& model, ThumbDrag& drag, POINT client);
bool end_thumb_drag(HWND hwnd, const ScrollModel& model, ThumbDrag& drag, POINT client);
// A drag ends without a position when the capture goes elsewhere.
void cancel_thumb_drag(HWND hwnd, ThumbDrag& drag);

} // namespace lv::controls
