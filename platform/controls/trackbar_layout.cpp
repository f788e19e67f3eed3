#include "controls/trackbar_layout.h"

#include <algorithm>

namespace lv::controls {
namespace {

constexpr int kMarginAlong = 8; // from the client's ends to the channel's
constexpr int kTickGap = 2;     // between the thumb and its ticks
constexpr int kChannelThickness = 6;

// Worked out along a horizontal bar; a vertical bar swaps x and y.
RECT oriented(const RECT& r, bool vertical) {
    return vertical ? RECT{r.top, r.left, r.bottom, r.right} : r;
}

// The thumb's extent along the bar: a little more than half its length.
int thumb_width(int length) {
    return length / 2 + 1;
}

} // namespace

TrackbarLayout trackbar_layout(const RECT& client, DWORD style, int thumb_length,
                               const TrackbarNumbers& n) {
    TrackbarLayout l;
    l.vertical = (style & TBS_VERT) != 0;
    const RECT c = oriented(client, l.vertical);
    const bool no_ticks = (style & TBS_NOTICKS) != 0;
    const bool before = !no_ticks && (style & (TBS_TOP | TBS_BOTH));
    const bool after = !no_ticks && (!(style & TBS_TOP) || (style & TBS_BOTH));
    const int tick_room = kTickGap + kTrackbarTickLength;
    const int across = c.bottom - c.top;
    const int room = across - (before ? tick_room : 0) - (after ? tick_room : 0);
    const int length = std::clamp(std::min(thumb_length, room), 4, std::max(4, thumb_length));
    const int block = length + (before ? tick_room : 0) + (after ? tick_room : 0);
    const int thumb_top = c.top + std::max(0, (across - block) / 2) + (before ? tick_room : 0);

    const int width = thumb_width(length);
    RECT channel{c.left + kMarginAlong, 0, std::max(c.left + kMarginAlong, c.right - kMarginAlong),
                 0};
    const int middle = thumb_top + length / 2;
    channel.top = middle - kChannelThickness / 2;
    channel.bottom = channel.top + kChannelThickness;
    l.channel_reported = channel;
    l.channel = oriented(channel, l.vertical);

    const int travel = std::max(0, static_cast<int>(channel.right - channel.left) - width);
    const long long span = static_cast<long long>(n.maximum) - n.minimum;
    const long long from_start = std::clamp<long long>(
        static_cast<long long>(n.position) - n.minimum, 0, std::max(0LL, span));
    const int offset = span > 0 ? static_cast<int>(travel * from_start / span) : 0;
    const RECT thumb{channel.left + offset, thumb_top, channel.left + offset + width,
                     thumb_top + length};
    l.thumb = oriented(thumb, l.vertical);
    if (before)
        l.ticks_before = thumb_top - kTickGap - kTrackbarTickLength;
    if (after)
        l.ticks_after = thumb_top + length + kTickGap;
    return l;
}

int trackbar_along(const TrackbarLayout& l, POINT at) {
    return l.vertical ? at.y : at.x;
}

int trackbar_start(const TrackbarLayout& l, const RECT& r) {
    return l.vertical ? r.top : r.left;
}

int trackbar_end(const TrackbarLayout& l, const RECT& r) {
    return l.vertical ? r.bottom : r.right;
}

int trackbar_value_at(const TrackbarLayout& l, const TrackbarNumbers& n, int value) {
    const int width = trackbar_end(l, l.thumb) - trackbar_start(l, l.thumb);
    const int start = trackbar_start(l, l.channel);
    const int travel = std::max(0, trackbar_end(l, l.channel) - start - width);
    const long long span = static_cast<long long>(n.maximum) - n.minimum;
    const long long from_start =
        std::clamp<long long>(static_cast<long long>(value) - n.minimum, 0, std::max(0LL, span));
    return start + width / 2 + (span > 0 ? static_cast<int>(travel * from_start / span) : 0);
}

int trackbar_value_for(const TrackbarLayout& l, const TrackbarNumbers& n, int centre) {
    const int width = trackbar_end(l, l.thumb) - trackbar_start(l, l.thumb);
    const int start = trackbar_start(l, l.channel) + width / 2;
    const long long travel =
        std::max(0, trackbar_end(l, l.channel) - trackbar_start(l, l.channel) - width);
    const long long span = static_cast<long long>(n.maximum) - n.minimum;
    if (travel <= 0 || span <= 0)
        return n.minimum;
    const long long offset = std::clamp<long long>(centre - start, 0, travel);
    return static_cast<int>(n.minimum + (offset * span + travel / 2) / travel);
}

} // namespace lv::controls
