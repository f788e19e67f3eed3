// Where the pieces of a drawn scroll bar lie: pure functions of the bar's rectangle and its
// numbers, shared by painting, hit testing and dragging.
#pragma once

#include "win32/win32.h"

namespace drawn_sb {

// Parts of a bar; 0 to 3 are also the scroll codes sent for them.
constexpr int kPartNone = -1;
constexpr int kPartArrow1 = 0;
constexpr int kPartArrow2 = 1;
constexpr int kPartPageBefore = 2;
constexpr int kPartPageAfter = 3;
constexpr int kPartThumb = 5;

// Flag bits of a bar.
constexpr UINT kFlagArrow1Disabled = 0x1;
constexpr UINT kFlagArrow2Disabled = 0x2;
constexpr UINT kFlagAlwaysThumb = 0x4;
constexpr UINT kFlagWanted = 0x8;

// The lengths along one bar: arrows, channel and thumb, and the thumb's start (absolute, on
// the bar's axis).
struct Layout {
    int start = 0;
    int end = 0;
    int arrow = 0;
    int channel = 0;
    int thumbLength = 0;
    int thumbStart = 0;
};

// A negative value is that many times the system metric.
int ResolveMetric(int value, int metricIndex);

// The range can be scrolled: nMax >= nPage, not both zero, and nMin < nMax.
bool RangeUsable(const SCROLLINFO& info);
// The bar takes clicks: not both arrows disabled, and the range usable or the thumb forced.
bool BarUsable(const SCROLLINFO& info, UINT flags);

// The bar from `start` to `end` with the given arrow length (already resolved).
Layout LayOut(int start, int end, int arrowLength, const SCROLLINFO& info, int minThumb);
// Whether a thumb can be drawn at all.
bool ThumbFits(const Layout& layout, const SCROLLINFO& info, UINT flags);
// The part at `along` (on the bar's axis); the point must lie within the bar's thickness.
int HitTest(const Layout& layout, int along);
// The track position for a thumb dragged to `thumbStart`.
int TrackPosition(const Layout& layout, const SCROLLINFO& info, int thumbStart);

// Clamps nPage and nPos into the range as SetScrollInfo stores them.
void ClampPage(SCROLLINFO& info);
int ClampPosition(const SCROLLINFO& info, int position);

} // namespace drawn_sb
