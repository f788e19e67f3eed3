// A region: a set of pixels held as y-x banded rectangles (sorted by top, then left; the
// rectangles of one band share top and bottom; none overlap; touching bands that cover the
// same columns are merged), so that equal sets have equal rectangle lists.
#pragma once

#include "win32/types.h"

#include <utility>
#include <vector>

namespace lv::gdi {

// Spans of one pixel row, half-open [first, second), sorted and disjoint.
using Span = std::pair<int, int>;

class Region {
public:
    Region() = default;
    explicit Region(const RECT& rect);
    static Region from_rects(const std::vector<RECT>& rects); // any rectangles, may overlap
    // Per-row spans from row `top` down (ellipses, polygons).
    static Region from_rows(int top, const std::vector<std::vector<Span>>& rows);

    const std::vector<RECT>& rects() const { return m_rects; }
    bool empty() const { return m_rects.empty(); }
    bool is_rect() const { return m_rects.size() == 1; }
    RECT bounds() const; // all zero when empty
    bool contains(int x, int y) const;
    bool intersects(const RECT& rect) const;

    Region united(const Region& other) const;
    Region intersected(const Region& other) const;
    Region subtracted(const Region& other) const;
    Region xored(const Region& other) const;
    void offset(int dx, int dy);

    bool operator==(const Region& other) const;

private:
    enum class Op { unite, intersect, subtract, exclusive };
    Region combine(const Region& other, Op op) const;
    std::vector<RECT> m_rects;
};

} // namespace lv::gdi
