#include "gdi/region.h"

#include <algorithm>
#include <climits>

namespace lv::gdi {
namespace {

bool rect_empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

// The spans of the band of `rects` covering row y; `cursor` moves past the bands above y.
void band_spans(const std::vector<RECT>& rects, std::size_t& cursor, int y,
                std::vector<Span>& out) {
    out.clear();
    while (cursor < rects.size() && rects[cursor].bottom <= y) {
        ++cursor;
    }
    for (std::size_t i = cursor; i < rects.size() && rects[i].top <= y; ++i) {
        if (rects[i].bottom > y) {
            out.emplace_back(rects[i].left, rects[i].right);
        }
    }
}

// Appends a band [top, bottom) with `spans`, merging it into the previous band when that one
// ends at `top` and has the same spans.
void append_band(std::vector<RECT>& out, int top, int bottom, const std::vector<Span>& spans) {
    if (spans.empty()) {
        return;
    }
    std::size_t start = out.size();
    while (start > 0 && out[start - 1].top == out[out.size() - 1].top) {
        --start;
    }
    bool merge = !out.empty() && out.back().bottom == top && out.size() - start == spans.size();
    for (std::size_t i = 0; merge && i < spans.size(); ++i) {
        merge = out[start + i].left == spans[i].first && out[start + i].right == spans[i].second;
    }
    if (merge) {
        for (std::size_t i = start; i < out.size(); ++i) {
            out[i].bottom = bottom;
        }
        return;
    }
    for (const Span& s : spans) {
        out.push_back(RECT{s.first, top, s.second, bottom});
    }
}

template <typename Keep>
void combine_spans(const std::vector<Span>& a, const std::vector<Span>& b, Keep keep,
                   std::vector<Span>& out) {
    out.clear();
    std::vector<std::pair<int, int>> edges; // x, +1/-1 for a (1) and b (2)
    edges.reserve((a.size() + b.size()) * 2);
    for (const Span& s : a) {
        edges.emplace_back(s.first, 1);
        edges.emplace_back(s.second, -1);
    }
    for (const Span& s : b) {
        edges.emplace_back(s.first, 2);
        edges.emplace_back(s.second, -2);
    }
    std::sort(edges.begin(), edges.end());
    bool in_a = false;
    bool in_b = false;
    bool inside = false;
    int start = 0;
    for (std::size_t i = 0; i < edges.size();) {
        int x = edges[i].first;
        for (; i < edges.size() && edges[i].first == x; ++i) {
            switch (edges[i].second) {
            case 1:
                in_a = true;
                break;
            case -1:
                in_a = false;
                break;
            case 2:
                in_b = true;
                break;
            default:
                in_b = false;
                break;
            }
        }
        bool now = keep(in_a, in_b);
        if (now && !inside) {
            start = x;
        } else if (!now && inside && x > start) {
            out.emplace_back(start, x);
        }
        inside = now;
    }
}

} // namespace

Region::Region(const RECT& rect) {
    if (!rect_empty(rect)) {
        m_rects.push_back(rect);
    }
}

Region Region::from_rects(const std::vector<RECT>& rects) {
    std::vector<RECT> sorted;
    std::vector<int> ys;
    for (const RECT& r : rects) {
        if (!rect_empty(r)) {
            sorted.push_back(r);
            ys.push_back(r.top);
            ys.push_back(r.bottom);
        }
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const RECT& a, const RECT& b) { return a.top < b.top; });
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region result;
    std::vector<const RECT*> active;
    std::vector<Span> spans;
    std::vector<Span> merged;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        int y = ys[i];
        std::erase_if(active, [y](const RECT* r) { return r->bottom <= y; });
        for (; next < sorted.size() && sorted[next].top <= y; ++next) {
            active.push_back(&sorted[next]);
        }
        spans.clear();
        for (const RECT* r : active) {
            spans.emplace_back(r->left, r->right);
        }
        std::sort(spans.begin(), spans.end());
        merged.clear();
        for (const Span& s : spans) {
            if (!merged.empty() && s.first <= merged.back().second) {
                merged.back().second = std::max(merged.back().second, s.second);
            } else {
                merged.push_back(s);
            }
        }
        append_band(result.m_rects, y, ys[i + 1], merged);
    }
    return result;
}

RECT Region::bounds() const {
    if (m_rects.empty()) {
        return RECT{0, 0, 0, 0};
    }
    RECT b{INT_MAX, m_rects.front().top, INT_MIN, m_rects.back().bottom};
    for (const RECT& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
    }
    return b;
}

bool Region::contains(int x, int y) const {
    for (const RECT& r : m_rects) {
        if (r.top > y) {
            return false;
        }
        if (y < r.bottom && x >= r.left && x < r.right) {
            return true;
        }
    }
    return false;
}

bool Region::intersects(const RECT& rect) const {
    if (rect_empty(rect)) {
        return false;
    }
    for (const RECT& r : m_rects) {
        if (r.top >= rect.bottom) {
            return false;
        }
        if (r.bottom > rect.top && r.left < rect.right && r.right > rect.left) {
            return true;
        }
    }
    return false;
}

Region Region::combine(const Region& other, Op op) const {
    std::vector<int> ys;
    ys.reserve((m_rects.size() + other.m_rects.size()) * 2);
    for (const RECT& r : m_rects) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    for (const RECT& r : other.m_rects) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    auto keep = [op](bool a, bool b) {
        switch (op) {
        case Op::unite:
            return a || b;
        case Op::intersect:
            return a && b;
        case Op::subtract:
            return a && !b;
        default:
            return a != b;
        }
    };
    Region result;
    std::size_t cursor_a = 0;
    std::size_t cursor_b = 0;
    std::vector<Span> spans_a;
    std::vector<Span> spans_b;
    std::vector<Span> spans;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        band_spans(m_rects, cursor_a, ys[i], spans_a);
        band_spans(other.m_rects, cursor_b, ys[i], spans_b);
        combine_spans(spans_a, spans_b, keep, spans);
        append_band(result.m_rects, ys[i], ys[i + 1], spans);
    }
    return result;
}

Region Region::united(const Region& other) const {
    return combine(other, Op::unite);
}
Region Region::intersected(const Region& other) const {
    return combine(other, Op::intersect);
}
Region Region::subtracted(const Region& other) const {
    return combine(other, Op::subtract);
}
Region Region::xored(const Region& other) const {
    return combine(other, Op::exclusive);
}

void Region::offset(int dx, int dy) {
    for (RECT& r : m_rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool Region::operator==(const Region& other) const {
    if (m_rects.size() != other.m_rects.size()) {
        return false;
    }
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        const RECT& a = m_rects[i];
        const RECT& b = other.m_rects[i];
        if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom) {
            return false;
        }
    }
    return true;
}

Region Region::from_rows(int top, const std::vector<std::vector<Span>>& rows) {
    // Rows come in order with sorted, disjoint spans, so appending keeps the bands canonical.
    Region result;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int y = top + static_cast<int>(i);
        append_band(result.m_rects, y, y + 1, rows[i]);
    }
    return result;
}

} // namespace lv::gdi
