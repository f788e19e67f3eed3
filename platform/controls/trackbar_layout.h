// Where a trackbar's channel, thumb and ticks lie, as a function of its client rectangle,
// styles, thumb length and numbers. Painting, hit testing and the TBM_GET*RECT messages use it.
#pragma once

#include "win32/trackbar.h"

#include <vector>

namespace lv::controls {

struct TrackbarNumbers {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
};

struct TrackbarLayout {
    bool vertical = false;
    RECT channel{};          // client coordinates
    RECT channel_reported{}; // as TBM_GETCHANNELRECT gives it: a vertical bar's, laid flat
    RECT thumb{};
    int ticks_before =
        -1; // across the bar, where the ticks above (left of) the thumb start; -1: none
    int ticks_after = -1; // where the ticks below (right of) the thumb start; -1: none
};

constexpr int kTrackbarDefaultThumbLength = 20;
constexpr int kTrackbarTickLength = 4;

TrackbarLayout trackbar_layout(const RECT& client, DWORD style, int thumb_length,
                               const TrackbarNumbers& n);
// Along-the-bar coordinate (client) of the centre of a thumb that stands at `value`.
int trackbar_value_at(const TrackbarLayout& l, const TrackbarNumbers& n, int value);
// The value for a thumb whose centre is dragged to `centre` along the bar.
int trackbar_value_for(const TrackbarLayout& l, const TrackbarNumbers& n, int centre);
// Along-the-bar coordinate of a point, and the extent of a rectangle along the bar.
int trackbar_along(const TrackbarLayout& l, POINT at);
int trackbar_start(const TrackbarLayout& l, const RECT& r);
int trackbar_end(const TrackbarLayout& l, const RECT& r);

} // namespace lv::controls
