#include "gdi/metafile_clip.h"

#include <cmath>

namespace lv::gdi {
namespace {

enum class Edge { left, right, top, bottom };

bool inside(const DevicePoint& p, Edge e, const DeviceBox& b) {
    switch (e) {
    case Edge::left:
        return p.x >= b.left;
    case Edge::right:
        return p.x <= b.right;
    case Edge::top:
        return p.y >= b.top;
    case Edge::bottom:
        return p.y <= b.bottom;
    }
    return true;
}

DevicePoint cross(const DevicePoint& a, const DevicePoint& b, Edge e, const DeviceBox& box) {
    if (e == Edge::left || e == Edge::right) {
        const double x = e == Edge::left ? box.left : box.right;
        const double t = (x - a.x) / (b.x - a.x);
        return {x, a.y + t * (b.y - a.y)};
    }
    const double y = e == Edge::top ? box.top : box.bottom;
    const double t = (y - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), y};
}

} // namespace

std::vector<DevicePoint> clip_polygon(const std::vector<DevicePoint>& polygon,
                                      const DeviceBox& box) {
    std::vector<DevicePoint> out = polygon;
    for (Edge e : {Edge::left, Edge::right, Edge::top, Edge::bottom}) {
        if (out.empty()) {
            break;
        }
        std::vector<DevicePoint> in;
        in.swap(out);
        DevicePoint prev = in.back();
        for (const DevicePoint& p : in) {
            const bool p_in = inside(p, e, box), prev_in = inside(prev, e, box);
            if (p_in != prev_in) {
                out.push_back(cross(prev, p, e, box));
            }
            if (p_in) {
                out.push_back(p);
            }
            prev = p;
        }
    }
    return out;
}

// Liang-Barsky: the parameters t0 <= t1 of segment a-b inside the box; false when none.
static bool clip_segment(const DevicePoint& a, const DevicePoint& b, const DeviceBox& box,
                         double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::fmax(t0, r);
        } else {
            t1 = std::fmin(t1, r);
        }
    }
    return t0 <= t1;
}

std::vector<std::vector<DevicePoint>> clip_polyline(const std::vector<DevicePoint>& line,
                                                    const DeviceBox& box) {
    std::vector<std::vector<DevicePoint>> runs;
    std::vector<DevicePoint> run;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const DevicePoint& a = line[i];
        const DevicePoint& b = line[i + 1];
        double t0 = 0, t1 = 0;
        if (!clip_segment(a, b, box, t0, t1)) {
            if (run.size() >= 2) {
                runs.push_back(std::move(run));
            }
            run.clear();
            continue;
        }
        const DevicePoint from{a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)};
        const DevicePoint to{a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)};
        if (run.empty() || t0 > 0) {
            if (run.size() >= 2) {
                runs.push_back(std::move(run));
            }
            run.assign({from});
        }
        run.push_back(to);
        if (t1 < 1) {
            runs.push_back(std::move(run));
            run.clear();
        }
    }
    if (run.size() >= 2) {
        runs.push_back(std::move(run));
    }
    return runs;
}

} // namespace lv::gdi
