#include "controls/scroll_bar_layout.h"

#include "win32/gdi.h"

#include <algorithm>

namespace lv::controls {
namespace {

// Rectangles are worked out along a horizontal bar; a vertical bar swaps x and y.
RECT oriented(const RECT& r, bool vertical) {
    return vertical ? RECT{r.top, r.left, r.bottom, r.right} : r;
}

} // namespace

ScrollBarParts scroll_bar_parts(const RECT& bar, bool vertical, const window::ScrollNumbers& n,
                                int thumb_position, const ScrollBarMetrics& metrics) {
    const RECT b = oriented(bar, vertical);
    const int length = std::max(0, static_cast<int>(b.right - b.left));
    const int arrow = std::min(metrics.arrow, length / 2);
    RECT first{b.left, b.top, b.left + arrow, b.bottom};
    RECT second{b.right - arrow, b.top, b.right, b.bottom};
    RECT track{first.right, b.top, second.left, b.bottom};
    RECT thumb{};
    const int track_length = track.right - track.left;
    if (window::can_scroll(n) && track_length >= metrics.min_thumb) {
        const long long span = static_cast<long long>(n.maximum) - n.minimum + 1;
        const int size = n.page == 0 ? metrics.min_thumb
                                     : static_cast<int>(std::clamp<long long>(
                                           track_length * static_cast<long long>(n.page) / span,
                                           metrics.min_thumb, track_length));
        const long long travel = track_length - size;
        const long long steps = static_cast<long long>(window::last_position(n)) - n.minimum;
        const long long from_start =
            std::clamp<long long>(static_cast<long long>(thumb_position) - n.minimum, 0, steps);
        const int offset = static_cast<int>(travel * from_start / steps);
        thumb = RECT{track.left + offset, b.top, track.left + offset + size, b.bottom};
    }
    ScrollBarParts parts;
    parts.vertical = vertical;
    parts.first_arrow = oriented(first, vertical);
    parts.second_arrow = oriented(second, vertical);
    parts.track = oriented(track, vertical);
    parts.thumb = oriented(thumb, vertical);
    return parts;
}

bool has_thumb(const ScrollBarParts& parts) {
    return !IsRectEmpty(&parts.thumb);
}

int along(const ScrollBarParts& parts, POINT at) {
    return parts.vertical ? at.y : at.x;
}

int leading_edge(const ScrollBarParts& parts, const RECT& r) {
    return parts.vertical ? r.top : r.left;
}

ScrollPart scroll_part_at(const ScrollBarParts& parts, POINT at) {
    if (PtInRect(&parts.first_arrow, at))
        return ScrollPart::first_arrow;
    if (PtInRect(&parts.second_arrow, at))
        return ScrollPart::second_arrow;
    if (!PtInRect(&parts.track, at))
        return ScrollPart::none;
    if (!has_thumb(parts))
        return ScrollPart::none;
    if (PtInRect(&parts.thumb, at))
        return ScrollPart::thumb;
    return along(parts, at) < leading_edge(parts, parts.thumb) ? ScrollPart::page_before
                                                               : ScrollPart::page_after;
}

int position_for_thumb(const ScrollBarParts& parts, const window::ScrollNumbers& n,
                       int thumb_start) {
    const RECT t = oriented(parts.track, parts.vertical);
    const RECT k = oriented(parts.thumb, parts.vertical);
    const long long travel = (t.right - t.left) - (k.right - k.left);
    if (!has_thumb(parts) || travel <= 0)
        return n.position;
    const long long offset = std::clamp<long long>(thumb_start - t.left, 0, travel);
    const long long steps = static_cast<long long>(window::last_position(n)) - n.minimum;
    // Rounded to the nearest position, so that the thumb follows the pointer both ways alike.
    return static_cast<int>(n.minimum + (offset * steps + travel / 2) / travel);
}

} // namespace lv::controls
