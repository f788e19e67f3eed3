#include "skin/skinners/drawn_scroll_geometry.h"

#include <algorithm>
#include <cstdint>

namespace drawn_sb {
namespace {

// a * b / c rounded as MulDiv does, in 64 bits; 0 for a zero divisor.
int Scale(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0)
        return 0;
    std::int64_t product = a * b;
    std::int64_t half = (c < 0 ? -c : c) / 2;
    std::int64_t rounded = ((product < 0) != (c < 0)) ? (product - half) / c : (product + half) / c;
    return static_cast<int>(std::clamp<std::int64_t>(rounded, INT32_MIN, INT32_MAX));
}

std::int64_t RangeOf(const SCROLLINFO& info) {
    return static_cast<std::int64_t>(info.nMax) - info.nMin;
}

} // namespace

int ResolveMetric(int value, int metricIndex) {
    return value < 0 ? -value * GetSystemMetrics(metricIndex) : value;
}

bool RangeUsable(const SCROLLINFO& info) {
    return static_cast<std::int64_t>(info.nMax) >= static_cast<std::int64_t>(info.nPage) &&
           !(info.nPage == 0 && info.nMax == 0) && info.nMin < info.nMax;
}

bool BarUsable(const SCROLLINFO& info, UINT flags) {
    const UINT both = kFlagArrow1Disabled | kFlagArrow2Disabled;
    return (flags & both) != both && ((flags & kFlagAlwaysThumb) || RangeUsable(info));
}

Layout LayOut(int start, int end, int arrowLength, const SCROLLINFO& info, int minThumb) {
    Layout l;
    l.start = start;
    l.end = end;
    const int length = std::max(end - start, 0);
    l.arrow = 2 * arrowLength < length ? arrowLength : length / 2;
    l.channel = length - 2 * l.arrow;
    const std::int64_t range = RangeOf(info);
    if (info.nPage != 0) {
        if (range < 0 || range > 0x7FFFFFFE)
            l.thumbLength = 0;
        else
            l.thumbLength = std::max(Scale(info.nPage, l.channel, range + 1), minThumb);
    } else {
        l.thumbLength = l.arrow;
    }
    int offset = 0;
    const int room = l.channel - l.thumbLength;
    if (l.thumbLength > 0 && room > 0) {
        const std::int64_t steps = range - std::max<std::int64_t>(info.nPage, 1) + 1;
        offset = std::clamp(Scale(static_cast<std::int64_t>(info.nPos) - info.nMin, room, steps), 0,
                            room);
    }
    l.thumbStart = start + l.arrow + offset;
    return l;
}

bool ThumbFits(const Layout& l, const SCROLLINFO& info, UINT flags) {
    const UINT both = kFlagArrow1Disabled | kFlagArrow2Disabled;
    return l.thumbLength > 0 && l.channel >= l.thumbLength && RangeUsable(info) &&
           (flags & both) != both;
}

int HitTest(const Layout& l, int along) {
    if (along < l.start || along >= l.end)
        return kPartNone;
    const int arrow = std::min(l.arrow, (l.end - l.start) / 2);
    if (along < l.start + arrow)
        return kPartArrow1;
    if (along >= l.end - arrow)
        return kPartArrow2;
    if (l.thumbLength >= l.channel)
        return kPartNone;
    if (along >= l.thumbStart && along < l.thumbStart + l.thumbLength)
        return kPartThumb;
    return along < l.thumbStart ? kPartPageBefore : kPartPageAfter;
}

int TrackPosition(const Layout& l, const SCROLLINFO& info, int thumbStart) {
    const int moved = thumbStart - (l.start + l.arrow);
    const std::int64_t range = RangeOf(info);
    if (range <= 0)
        return moved;
    return info.nMin + Scale(moved, range - static_cast<std::int64_t>(info.nPage) + 1,
                             l.channel - l.thumbLength);
}

void ClampPage(SCROLLINFO& info) {
    const std::int64_t span = std::max<std::int64_t>(RangeOf(info) + 1, 0);
    info.nPage = static_cast<UINT>(std::min<std::int64_t>(info.nPage, span));
}

int ClampPosition(const SCROLLINFO& info, int position) {
    std::int64_t p = std::max<std::int64_t>(position, info.nMin);
    // A page of 0 still leaves nMax as the last position.
    const std::int64_t last =
        static_cast<std::int64_t>(info.nMax) - std::max<std::int64_t>(info.nPage, 1) + 1;
    p = std::min(p, std::max<std::int64_t>(last, info.nMin));
    return static_cast<int>(p);
}

} // namespace drawn_sb
