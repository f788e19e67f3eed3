#include "menu/bar_layout.h"

#include <algorithm>

namespace lv::menu {
namespace {

// Moves the right-justified tail of one row (items first..last) to the bar's right edge.
void justify_row(BarLayout& out, const std::vector<BarItemSize>& items, size_t first, size_t last,
                 int bar_width) {
    size_t from = last + 1;
    for (size_t i = first; i <= last; ++i) {
        if (items[i].right_justify) {
            from = i;
            break;
        }
    }
    if (from > last)
        return;
    int shift = bar_width - out.items[last].right;
    if (shift <= 0)
        return;
    for (size_t i = from; i <= last; ++i) {
        out.items[i].left += shift;
        out.items[i].right += shift;
    }
}

} // namespace

BarLayout layout_bar(const std::vector<BarItemSize>& items, int bar_width, int row_height) {
    BarLayout out;
    int x = 0;
    int row = 0;
    size_t row_start = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const int w = std::max(0, items[i].width);
        bool wraps = x > 0 && (items[i].row_break || x + w > bar_width);
        if (wraps) {
            justify_row(out, items, row_start, i - 1, bar_width);
            ++row;
            x = 0;
            row_start = i;
        }
        out.items.push_back(RECT{x, row * row_height, x + w, (row + 1) * row_height});
        x += w;
    }
    if (!items.empty())
        justify_row(out, items, row_start, items.size() - 1, bar_width);
    out.height = (row + 1) * row_height;
    return out;
}

} // namespace lv::menu
