// The numbers of a scroll bar (range, page, position, tracked position) and how the
// scroll-bar functions and messages change them; shared by a window's own bars and the
// "ScrollBar" control.
#pragma once

#include "win32/scroll_bar.h"

namespace lv::window {

struct ScrollNumbers {
    int minimum = 0;
    int maximum = 0;
    UINT page = 0;
    int position = 0;
    int track = 0;
};

// The highest position the bar takes: the last page starts there.
int last_position(const ScrollNumbers& n);
// Whether the thumb can move at all.
bool can_scroll(const ScrollNumbers& n);
// Applies the fields `info.fMask` names (range, then page, then position, then the tracked
// position) and keeps the page within the range and the position within its bounds.
void apply_scroll_info(ScrollNumbers& n, const SCROLLINFO& info);
// Copies the fields `info.fMask` asks for; false when it asks for none.
bool read_scroll_info(const ScrollNumbers& n, SCROLLINFO& info);
// A range the functions accept: its span must fit a LONG.
bool valid_scroll_range(int minimum, int maximum);

} // namespace lv::window
