// Where the pieces of a "ScrollBar" control lie: arrows, track and thumb as a function of the
// bar's rectangle and its numbers. Painting and hit testing both use it.
#pragma once

#include "window/scroll_numbers.h"

namespace lv::controls {

enum class ScrollPart { none, first_arrow, second_arrow, page_before, page_after, thumb };

struct ScrollBarParts {
    bool vertical = false;
    RECT first_arrow{};
    RECT second_arrow{};
    RECT track{};
    RECT thumb{}; // empty when the bar has no thumb
};

struct ScrollBarMetrics {
    int arrow = 16;     // length of an arrow along the bar, when the bar is long enough
    int min_thumb = 16; // the shortest thumb
};

// `thumb_position` places the thumb (the position, or the tracked one during a drag).
ScrollBarParts scroll_bar_parts(const RECT& bar, bool vertical, const window::ScrollNumbers& n,
                                int thumb_position, const ScrollBarMetrics& metrics);
bool has_thumb(const ScrollBarParts& parts);
ScrollPart scroll_part_at(const ScrollBarParts& parts, POINT at);
// The position for a thumb whose leading edge is dragged to `thumb_start` along the bar.
int position_for_thumb(const ScrollBarParts& parts, const window::ScrollNumbers& n,
                       int thumb_start);
// Along-the-bar coordinate of a point, and the leading edge of a rectangle.
int along(const ScrollBarParts& parts, POINT at);
int leading_edge(const ScrollBarParts& parts, const RECT& r);

} // namespace lv::controls
