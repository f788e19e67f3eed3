#include "window/scroll_numbers.h"

#include <algorithm>
#include <climits>

namespace lv::window {
namespace {

long long span_of(const ScrollNumbers& n) {
    return static_cast<long long>(n.maximum) - n.minimum + 1;
}

void keep_within(ScrollNumbers& n) {
    const long long span = std::max(0LL, span_of(n));
    n.page = static_cast<UINT>(std::min<long long>(n.page, span));
    n.position = std::clamp(n.position, n.minimum, std::max(n.minimum, last_position(n)));
    n.track = std::clamp(n.track, n.minimum, std::max(n.minimum, last_position(n)));
}

} // namespace

int last_position(const ScrollNumbers& n) {
    const long long last = static_cast<long long>(n.maximum) -
                           std::max<long long>(static_cast<long long>(n.page) - 1, 0);
    return static_cast<int>(std::clamp<long long>(last, INT_MIN, INT_MAX));
}

bool can_scroll(const ScrollNumbers& n) {
    return last_position(n) > n.minimum;
}

void apply_scroll_info(ScrollNumbers& n, const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        n.minimum = info.nMin;
        n.maximum = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        n.page = info.nPage;
    if (info.fMask & SIF_POS) {
        n.position = info.nPos;
        n.track = info.nPos;
    }
    if (info.fMask & SIF_TRACKPOS)
        n.track = info.nTrackPos;
    keep_within(n);
}

bool read_scroll_info(const ScrollNumbers& n, SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        info.nMin = n.minimum;
        info.nMax = n.maximum;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = n.page;
    if (info.fMask & SIF_POS)
        info.nPos = n.position;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = n.track;
    return (info.fMask & SIF_ALL) != 0;
}

bool valid_scroll_range(int minimum, int maximum) {
    return static_cast<long long>(maximum) - minimum <= 0x7FFFFFFFLL; // MAXLONG
}

} // namespace lv::window
