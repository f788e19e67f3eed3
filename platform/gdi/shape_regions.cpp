#include "gdi/shape_regions.h"

#include "win32/gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lv::gdi {
namespace {

RECT ordered(const RECT& r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

// Half-width of an ellipse of radii (a, b) at vertical distance dy from its centre.
double half_width(double a, double b, double dy) {
    double t = dy / b;
    return t >= 1.0 ? -1.0 : a * std::sqrt(1.0 - t * t);
}

} // namespace

Region ellipse_region(const RECT& box) {
    return round_rect_region(box, box.right - box.left, box.bottom - box.top);
}

Region round_rect_region(const RECT& raw, int ellipse_width, int ellipse_height) {
    RECT box = ordered(raw);
    int w = box.right - box.left;
    int h = box.bottom - box.top;
    if (w <= 0 || h <= 0) {
        return Region();
    }
    double a = std::min(std::abs(ellipse_width), w) / 2.0;
    double b = std::min(std::abs(ellipse_height), h) / 2.0;
    if (a < 0.5 || b < 0.5) {
        return Region(box);
    }
    std::vector<std::vector<Span>> rows(static_cast<std::size_t>(h));
    for (int i = 0; i < h; ++i) {
        double y = i + 0.5; // pixel centre, from the top edge
        double dy = 0.0;
        if (y < b) {
            dy = b - y;
        } else if (y > h - b) {
            dy = y - (h - b);
        }
        double half = half_width(a, b, dy);
        if (half < 0) {
            continue;
        }
        double inset = a - half;
        int left = box.left + static_cast<int>(std::lround(inset));
        int right = box.right - static_cast<int>(std::lround(inset));
        if (left < right) {
            rows[i].emplace_back(left, right);
        }
    }
    return Region::from_rows(box.top, rows);
}

Region polygon_region(const POINT* points, int count, int fill_mode) {
    if (!points || count < 3) {
        return Region();
    }
    int top = points[0].y;
    int bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    std::vector<std::vector<Span>> rows(static_cast<std::size_t>(bottom - top));
    std::vector<std::pair<double, int>> crossings;
    for (int y = top; y < bottom; ++y) {
        double cy = y + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            POINT p = points[i];
            POINT q = points[(i + 1) % count];
            if (p.y == q.y) {
                continue;
            }
            int dir = q.y > p.y ? 1 : -1;
            double y0 = std::min(p.y, q.y);
            double y1 = std::max(p.y, q.y);
            if (cy < y0 || cy >= y1) {
                continue;
            }
            double x = p.x + (cy - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y);
            crossings.emplace_back(x, dir);
        }
        std::sort(crossings.begin(), crossings.end());
        std::vector<Span>& spans = rows[y - top];
        int winding = 0;
        for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
            winding += crossings[k].second;
            bool inside = fill_mode == WINDING ? winding != 0 : (k % 2) == 0;
            if (!inside) {
                continue;
            }
            int left = static_cast<int>(std::ceil(crossings[k].first - 0.5));
            int right = static_cast<int>(std::ceil(crossings[k + 1].first - 0.5));
            if (left >= right) {
                continue;
            }
            if (!spans.empty() && left <= spans.back().second) {
                spans.back().second = std::max(spans.back().second, right);
            } else {
                spans.emplace_back(left, right);
            }
        }
    }
    return Region::from_rows(top, rows);
}

} // namespace lv::gdi
