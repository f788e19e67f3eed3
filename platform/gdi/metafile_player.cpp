// Plays a metafile's records into a DC with the layer's own drawing calls. The player keeps the
// picture's mapping (map mode, window, viewport, world transform) itself and draws in device
// coordinates: logical -> world transform -> page mapping (reference pixels) -> the caller's
// rectangle.
#include "gdi/metafile_clip.h"
#include "gdi/metafile_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace lv::gdi {
namespace {

constexpr double kLimit = 1 << 24; // device coordinates stay far from int overflow
// Shapes are clipped to the rectangle grown by this margin before they are rasterised.
constexpr double kMargin = 64;
// Pens, fonts and bitmaps larger than any picture of ours needs are refused or narrowed.
constexpr int kMaxPenWidth = 1024;
constexpr double kMaxFontHeight = 2048;
constexpr int kMaxBlitSide = 1 << 16;
constexpr int kMaxCurveSteps = 720;

struct Matrix {
    double m11{1}, m12{0}, m21{0}, m22{1}, dx{0}, dy{0};

    static Matrix of(const XFORM& x) { return {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}; }
    // This transform, then `next`.
    Matrix then(const Matrix& n) const {
        return {m11 * n.m11 + m12 * n.m21,      m11 * n.m12 + m12 * n.m22,
                m21 * n.m11 + m22 * n.m21,      m21 * n.m12 + m22 * n.m22,
                dx * n.m11 + dy * n.m21 + n.dx, dx * n.m12 + dy * n.m22 + n.dy};
    }
    bool finite() const {
        return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) &&
               std::isfinite(m22) && std::isfinite(dx) && std::isfinite(dy);
    }
};

struct Mapping {
    int mode{MM_TEXT};
    double window_x{0}, window_y{0}, window_w{1}, window_h{1};
    double view_x{0}, view_y{0}, view_w{1}, view_h{1};
    Matrix world;
};

struct Saved {
    int level;
    Mapping mapping;
};

// Physical units per millimetre of the metric map modes.
double units_per_mm(int mode) {
    switch (mode) {
    case MM_LOMETRIC:
        return 10;
    case MM_HIMETRIC:
        return 100;
    case MM_LOENGLISH:
        return 100 / 25.4;
    case MM_HIENGLISH:
        return 1000 / 25.4;
    case MM_TWIPS:
        return 1440 / 25.4;
    default:
        return 0;
    }
}

int to_int(double v) {
    if (!std::isfinite(v)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(v, -kLimit, kLimit)));
}

class Player {
public:
    Player(HDC dc, const MetaPicture& picture, const RECT& rect);
    bool run();

private:
    using Point = DevicePoint;
    // Page scale and offset: reference pixels = logical x scale + offset.
    void page(double& sx, double& sy, double& ox, double& oy) const;
    Point to_device_exact(double x, double y) const;
    POINT to_device(double x, double y) const {
        const Point p = to_device_exact(x, y);
        return POINT{to_int(p.x), to_int(p.y)};
    }
    RECT device_box(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) const;
    // Device length of a logical length along x or y.
    double scale_x() const;
    double scale_y() const;
    bool flips() const;

    void play(const MetaRecord& r);
    void mapping(const MetaRecord& r);
    void object(const MetaRecord& r);
    void shape(const MetaRecord& r);
    void arc(const MetaRecord& r);
    void text(const MetaRecord& r);
    void blit(const MetaRecord& r);
    void alpha_blend(const MetaRecord& r, const BITMAPINFO* info, int x, int y, int w, int h);
    void bezier(const std::vector<POINT>& points, std::size_t first, Point start);
    // The curve through the points from `start` as device points; the position moves to its
    // end.
    std::vector<Point> flatten_bezier(const std::vector<POINT>& points, std::size_t first,
                                      Point start);
    // Paths: the figures shapes make while a path is open, and what the path operations do
    // with them once it is closed.
    struct Figure {
        std::vector<Point> points;
        bool closed{false};
    };
    void path(const MetaRecord& r);
    void add_to_path(const MetaRecord& r);
    void add_figure(std::vector<Point> points, bool closed);
    void extend_figure(const std::vector<Point>& points);
    void fill_figures(const std::vector<std::vector<Point>>& polygons);
    void fill_path();
    void stroke_path();
    void select_clip_path(int mode);
    // Makes `inside` the clip by the mode, never reaching past the picture's rectangle.
    void select_clip(HRGN inside, int mode);
    void region(const MetaRecord& r);
    // The record's rectangles in device space, clipped to the area around the picture.
    HRGN device_region(const MetaRecord& r) const;
    void store(std::int32_t slot, HGDIOBJ object);
    void retire(HGDIOBJ object) {
        if (object) {
            m_retired.push_back(object);
        }
    }
    std::vector<Point> device_points(const POINT* points, std::size_t count) const {
        std::vector<Point> out(count);
        std::transform(points, points + count, out.begin(),
                       [this](const POINT& p) { return to_device_exact(p.x, p.y); });
        return out;
    }
    // Shapes in device space, clipped to the area around the picture before drawing.
    void draw_polygon(const std::vector<Point>& points);
    void draw_polyline(const std::vector<Point>& points);
    void draw_ellipse(const Point& a, const Point& b);
    bool near(const Point& a, const Point& b) const {
        return m_box.contains(a) && m_box.contains(b);
    }

    HDC m_dc;
    const MetaPicture& m_picture;
    RECT m_rect;
    DeviceBox m_box;
    double m_out_sx{1}, m_out_sy{1}, m_out_ox{0}, m_out_oy{0};
    Mapping m_map;
    std::vector<Saved> m_saved;
    Point m_position{0, 0};
    std::vector<HGDIOBJ> m_objects;
    std::vector<HGDIOBJ> m_retired;
    bool m_in_path{false};
    std::vector<Figure> m_building; // while the path is open
    std::vector<Figure> m_path;     // the closed path
};

Player::Player(HDC dc, const MetaPicture& picture, const RECT& rect)
    : m_dc(dc), m_picture(picture),
      m_rect(rect), m_box{rect.left - kMargin, rect.top - kMargin, rect.right + kMargin,
                          rect.bottom + kMargin},
      m_objects(picture.object_slots, nullptr) {
    const double fw = picture.frame_right - picture.frame_left;
    const double fh = picture.frame_bottom - picture.frame_top;
    m_out_sx = fw != 0 ? (rect.right - rect.left) / fw : 1;
    m_out_sy = fh != 0 ? (rect.bottom - rect.top) / fh : 1;
    m_out_ox = rect.left - picture.frame_left * m_out_sx;
    m_out_oy = rect.top - picture.frame_top * m_out_sy;
    if (picture.window_fills_frame) {
        const RECT& w = picture.initial_window;
        m_map.mode = MM_ANISOTROPIC;
        m_map.window_x = w.left;
        m_map.window_y = w.top;
        m_map.window_w = w.right - w.left;
        m_map.window_h = w.bottom - w.top;
        m_map.view_x = picture.frame_left;
        m_map.view_y = picture.frame_top;
        m_map.view_w = fw;
        m_map.view_h = fh;
    }
}

void Player::page(double& sx, double& sy, double& ox, double& oy) const {
    const Mapping& m = m_map;
    if (m.mode == MM_ISOTROPIC || m.mode == MM_ANISOTROPIC) {
        sx = m.window_w != 0 ? m.view_w / m.window_w : 1;
        sy = m.window_h != 0 ? m.view_h / m.window_h : 1;
        if (m.mode == MM_ISOTROPIC) {
            // Both axes take the smaller scale, each keeping its direction.
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    } else if (const double upm = units_per_mm(m.mode); upm > 0) {
        sx = m_picture.pixels_per_mm_x / upm;
        sy = -m_picture.pixels_per_mm_y / upm;
    } else {
        sx = 1;
        sy = 1;
    }
    ox = m.view_x - m.window_x * sx;
    oy = m.view_y - m.window_y * sy;
}

Player::Point Player::to_device_exact(double x, double y) const {
    const Matrix& w = m_map.world;
    const double wx = x * w.m11 + y * w.m21 + w.dx;
    const double wy = x * w.m12 + y * w.m22 + w.dy;
    double sx, sy, ox, oy;
    page(sx, sy, ox, oy);
    return {(wx * sx + ox) * m_out_sx + m_out_ox, (wy * sy + oy) * m_out_sy + m_out_oy};
}

RECT Player::device_box(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) const {
    const POINT a = to_device(l, t), c = to_device(r, b);
    return RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

double Player::scale_x() const {
    const Point a = to_device_exact(0, 0), b = to_device_exact(1, 0);
    return std::hypot(b.x - a.x, b.y - a.y);
}

double Player::scale_y() const {
    const Point a = to_device_exact(0, 0), b = to_device_exact(0, 1);
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Whether logical counter-clockwise turns clockwise on the device.
bool Player::flips() const {
    const Point o = to_device_exact(0, 0), x = to_device_exact(1, 0), y = to_device_exact(0, 1);
    return (x.x - o.x) * (y.y - o.y) - (x.y - o.y) * (y.x - o.x) < 0;
}

void Player::store(std::int32_t slot, HGDIOBJ object) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= m_objects.size()) {
        retire(object);
        return;
    }
    retire(m_objects[static_cast<std::size_t>(slot)]);
    m_objects[static_cast<std::size_t>(slot)] = object;
}

void Player::mapping(const MetaRecord& r) {
    Mapping& m = m_map;
    // A Windows metafile played into a frame keeps the frame as its viewport.
    const bool fixed = m_picture.window_fills_frame;
    switch (r.op) {
    case MetaOp::set_map_mode:
        if (!fixed && r.a[0] >= MM_TEXT && r.a[0] <= MM_ANISOTROPIC) {
            m.mode = r.a[0];
        }
        break;
    case MetaOp::set_window_org:
        m.window_x = r.a[0];
        m.window_y = r.a[1];
        break;
    case MetaOp::set_window_ext:
        if (r.a[0] != 0 && r.a[1] != 0) {
            m.window_w = r.a[0];
            m.window_h = r.a[1];
        }
        break;
    case MetaOp::offset_window_org:
        m.window_x += r.a[0];
        m.window_y += r.a[1];
        break;
    case MetaOp::scale_window_ext:
        if (r.a[1] != 0 && r.a[3] != 0 && r.a[0] != 0 && r.a[2] != 0) {
            m.window_w = m.window_w * r.a[0] / r.a[1];
            m.window_h = m.window_h * r.a[2] / r.a[3];
        }
        break;
    case MetaOp::set_viewport_org:
        if (!fixed) {
            m.view_x = r.a[0];
            m.view_y = r.a[1];
        }
        break;
    case MetaOp::set_viewport_ext:
        if (!fixed && r.a[0] != 0 && r.a[1] != 0) {
            m.view_w = r.a[0];
            m.view_h = r.a[1];
        }
        break;
    case MetaOp::offset_viewport_org:
        if (!fixed) {
            m.view_x += r.a[0];
            m.view_y += r.a[1];
        }
        break;
    case MetaOp::scale_viewport_ext:
        if (!fixed && r.a[1] != 0 && r.a[3] != 0 && r.a[0] != 0 && r.a[2] != 0) {
            m.view_w = m.view_w * r.a[0] / r.a[1];
            m.view_h = m.view_h * r.a[2] / r.a[3];
        }
        break;
    case MetaOp::set_world_transform: {
        const Matrix x = Matrix::of(r.xform);
        if (x.finite()) {
            m.world = x;
        }
        break;
    }
    case MetaOp::modify_world_transform: {
        const Matrix x = Matrix::of(r.xform);
        Matrix next = m.world;
        if (r.a[0] == 1) {
            next = Matrix{};
        } else if (r.a[0] == 2) {
            next = x.then(m.world);
        } else if (r.a[0] == 3) {
            next = m.world.then(x);
        }
        if (next.finite()) {
            m.world = next;
        }
        break;
    }
    case MetaOp::save_dc: {
        const int level = SaveDC(m_dc);
        if (level > 0) {
            m_saved.push_back(Saved{level, m_map});
        }
        break;
    }
    case MetaOp::restore_dc: {
        // Negative levels count back from the last save, positive ones from the first.
        const std::int64_t depth = static_cast<std::int64_t>(m_saved.size());
        const std::int64_t keep = r.a[0] < 0 ? depth + r.a[0] : std::int64_t{r.a[0]} - 1;
        if (keep < 0 || keep >= depth) {
            break;
        }
        const Saved& s = m_saved[static_cast<std::size_t>(keep)];
        RestoreDC(m_dc, s.level);
        m_map = s.mapping;
        m_saved.resize(static_cast<std::size_t>(keep));
        break;
    }
    default:
        break;
    }
}

void Player::object(const MetaRecord& r) {
    switch (r.op) {
    case MetaOp::create_pen: {
        const int style = r.a[1] >= PS_SOLID && r.a[1] <= PS_INSIDEFRAME ? r.a[1] : PS_SOLID;
        const int width = r.a[2] > 0 ? std::clamp(to_int(r.a[2] * scale_x()), 1, kMaxPenWidth) : 0;
        store(r.a[0], CreatePen(style, width, static_cast<COLORREF>(r.a[3])));
        break;
    }
    case MetaOp::create_brush: {
        // Hatches are drawn as hatches; patterns named by handle in the brush's colour.
        constexpr std::int32_t kHatched = 2;
        LOGBRUSH hatched{kHatched, static_cast<COLORREF>(r.a[2]),
                         static_cast<ULONG_PTR>(std::clamp(r.a[3], 0, 5))};
        const HGDIOBJ brush = r.a[1] == static_cast<std::int32_t>(BS_NULL) ? nullptr
                              : r.a[1] == kHatched
                                  ? CreateBrushIndirect(&hatched)
                                  : CreateSolidBrush(static_cast<COLORREF>(r.a[2]));
        store(r.a[0], brush ? brush : GetStockObject(NULL_BRUSH));
        break;
    }
    case MetaOp::create_pattern_brush: {
        const auto* info = reinterpret_cast<const BITMAPINFO*>(r.dib.data());
        HBITMAP bitmap =
            CreateDIBitmap(m_dc, &info->bmiHeader, CBM_INIT, r.dib.data() + r.dib_bits_offset, info,
                           static_cast<UINT>(r.a[1]));
        HBRUSH brush = bitmap ? CreatePatternBrush(bitmap) : nullptr;
        if (bitmap) {
            DeleteObject(bitmap);
        }
        store(r.a[0], brush);
        break;
    }
    case MetaOp::create_font: {
        LOGFONTA f = r.font;
        if (f.lfHeight != 0) {
            f.lfHeight = to_int(std::copysign(
                std::clamp(std::abs(f.lfHeight) * scale_y(), 1.0, kMaxFontHeight), f.lfHeight));
        }
        f.lfWidth = to_int(std::min(std::abs(f.lfWidth) * scale_x(), kMaxFontHeight));
        store(r.a[0], CreateFontIndirectA(&f));
        break;
    }
    case MetaOp::create_placeholder:
        store(r.a[0], nullptr);
        break;
    case MetaOp::select_object:
        if (r.a[0] >= 0 && static_cast<std::size_t>(r.a[0]) < m_objects.size() &&
            m_objects[static_cast<std::size_t>(r.a[0])]) {
            SelectObject(m_dc, m_objects[static_cast<std::size_t>(r.a[0])]);
        }
        break;
    case MetaOp::select_stock:
        if (r.a[0] >= WHITE_BRUSH && r.a[0] <= DEFAULT_GUI_FONT && r.a[0] != DEFAULT_PALETTE) {
            if (HGDIOBJ stock = GetStockObject(r.a[0])) {
                SelectObject(m_dc, stock);
            }
        }
        break;
    case MetaOp::delete_object:
        // Deleted objects may still be selected: they go when the playback ends.
        if (r.a[0] >= 0 && static_cast<std::size_t>(r.a[0]) < m_objects.size()) {
            retire(m_objects[static_cast<std::size_t>(r.a[0])]);
            m_objects[static_cast<std::size_t>(r.a[0])] = nullptr;
        }
        break;
    default:
        break;
    }
}

std::vector<POINT> rounded(const std::vector<DevicePoint>& points) {
    std::vector<POINT> out(points.size());
    std::transform(points.begin(), points.end(), out.begin(), [](const DevicePoint& p) {
        return POINT{to_int(p.x), to_int(p.y)};
    });
    return out;
}

bool all_inside(const std::vector<DevicePoint>& points, const DeviceBox& box) {
    return std::all_of(points.begin(), points.end(),
                       [&](const DevicePoint& p) { return box.contains(p); });
}

void Player::draw_polygon(const std::vector<Point>& points) {
    const std::vector<POINT> pts =
        rounded(all_inside(points, m_box) ? points : clip_polygon(points, m_box));
    if (pts.size() >= 2) {
        Polygon(m_dc, pts.data(), static_cast<int>(pts.size()));
    }
}

void Player::draw_polyline(const std::vector<Point>& points) {
    if (all_inside(points, m_box)) {
        const std::vector<POINT> pts = rounded(points);
        Polyline(m_dc, pts.data(), static_cast<int>(pts.size()));
        return;
    }
    for (const std::vector<Point>& run : clip_polyline(points, m_box)) {
        const std::vector<POINT> pts = rounded(run);
        Polyline(m_dc, pts.data(), static_cast<int>(pts.size()));
    }
}

// An ellipse reaching far outside the picture is drawn as the visible part of its outline.
void Player::draw_ellipse(const Point& a, const Point& b) {
    if (near(a, b)) {
        Ellipse(m_dc, to_int(std::min(a.x, b.x)), to_int(std::min(a.y, b.y)),
                to_int(std::max(a.x, b.x)), to_int(std::max(a.y, b.y)));
        return;
    }
    const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
    const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
    std::vector<Point> outline;
    for (int i = 0; i < kMaxCurveSteps; ++i) {
        const double t = 2 * std::numbers::pi * i / kMaxCurveSteps;
        outline.push_back({cx + rx * std::cos(t), cy - ry * std::sin(t)});
    }
    draw_polygon(outline);
}

void Player::bezier(const std::vector<POINT>& points, std::size_t first, Point start) {
    draw_polyline(flatten_bezier(points, first, start));
}

std::vector<Player::Point> Player::flatten_bezier(const std::vector<POINT>& points,
                                                  std::size_t first, Point start) {
    constexpr int kSteps = 16;
    std::vector<Point> out{to_device_exact(start.x, start.y)};
    Point p0 = start;
    for (std::size_t i = first; i + 2 < points.size(); i += 3) {
        const Point p1{static_cast<double>(points[i].x), static_cast<double>(points[i].y)};
        const Point p2{static_cast<double>(points[i + 1].x), static_cast<double>(points[i + 1].y)};
        const Point p3{static_cast<double>(points[i + 2].x), static_cast<double>(points[i + 2].y)};
        for (int s = 1; s <= kSteps; ++s) {
            const double t = static_cast<double>(s) / kSteps, u = 1 - t;
            const double x =
                u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x;
            const double y =
                u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y;
            out.push_back(to_device_exact(x, y));
        }
        p0 = p3;
    }
    m_position = p0;
    return out;
}

// Polygons in device space drawn as one, so that overlaps follow the fill mode.
void Player::fill_figures(const std::vector<std::vector<Point>>& polygons) {
    std::vector<POINT> pts;
    std::vector<INT> counts;
    for (const std::vector<Point>& polygon : polygons) {
        const std::vector<Point> one =
            all_inside(polygon, m_box) ? polygon : clip_polygon(polygon, m_box);
        if (one.size() < 2) {
            continue;
        }
        const std::vector<POINT> p = rounded(one);
        pts.insert(pts.end(), p.begin(), p.end());
        counts.push_back(static_cast<INT>(p.size()));
    }
    if (!counts.empty()) {
        PolyPolygon(m_dc, pts.data(), counts.data(), static_cast<int>(counts.size()));
    }
}

void Player::add_figure(std::vector<Point> points, bool closed) {
    if (!points.empty()) {
        m_building.push_back(Figure{std::move(points), closed});
    }
}

// Lines from the current position continue the open figure, or start one there.
void Player::extend_figure(const std::vector<Point>& points) {
    if (m_building.empty() || m_building.back().closed) {
        m_building.push_back(Figure{{to_device_exact(m_position.x, m_position.y)}, false});
    }
    std::vector<Point>& figure = m_building.back().points;
    figure.insert(figure.end(), points.begin(), points.end());
}

void Player::add_to_path(const MetaRecord& r) {
    const auto logical = [](const POINT& p) {
        return Point{static_cast<double>(p.x), static_cast<double>(p.y)};
    };
    switch (r.op) {
    case MetaOp::move_to:
        m_position = {static_cast<double>(r.a[0]), static_cast<double>(r.a[1])};
        add_figure({to_device_exact(m_position.x, m_position.y)}, false);
        break;
    case MetaOp::line_to:
        extend_figure({to_device_exact(r.a[0], r.a[1])});
        m_position = {static_cast<double>(r.a[0]), static_cast<double>(r.a[1])};
        break;
    case MetaOp::polyline_to:
        extend_figure(device_points(r.points.data(), r.points.size()));
        if (!r.points.empty()) {
            m_position = logical(r.points.back());
        }
        break;
    case MetaOp::poly_bezier_to: {
        std::vector<Point> curve = flatten_bezier(r.points, 0, m_position);
        curve.erase(curve.begin());
        extend_figure(curve);
        break;
    }
    case MetaOp::polyline:
    case MetaOp::polygon:
        add_figure(device_points(r.points.data(), r.points.size()), r.op == MetaOp::polygon);
        if (r.op == MetaOp::polyline && !r.points.empty()) {
            m_position = logical(r.points.back());
        }
        break;
    case MetaOp::poly_polygon:
    case MetaOp::poly_polyline: {
        std::size_t at = 0;
        for (const std::int32_t count : r.counts) {
            add_figure(device_points(r.points.data() + at, static_cast<std::size_t>(count)),
                       r.op == MetaOp::poly_polygon);
            at += static_cast<std::size_t>(count);
        }
        break;
    }
    case MetaOp::poly_bezier:
        if (!r.points.empty()) {
            add_figure(flatten_bezier(r.points, 1, logical(r.points[0])), false);
        }
        break;
    case MetaOp::rectangle:
    case MetaOp::round_rect: {
        const Point a = to_device_exact(r.a[0], r.a[1]), b = to_device_exact(r.a[2], r.a[3]);
        add_figure({a, {b.x, a.y}, b, {a.x, b.y}}, true);
        break;
    }
    case MetaOp::ellipse: {
        constexpr int kSteps = 64;
        const Point a = to_device_exact(r.a[0], r.a[1]), b = to_device_exact(r.a[2], r.a[3]);
        const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
        const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
        std::vector<Point> outline;
        for (int i = 0; i < kSteps; ++i) {
            const double t = 2 * 3.14159265358979323846 * i / kSteps;
            outline.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
        }
        add_figure(std::move(outline), true);
        break;
    }
    default:
        break;
    }
}

void Player::fill_path() {
    std::vector<std::vector<Point>> polygons;
    for (const Figure& f : m_path) {
        polygons.push_back(f.points);
    }
    // The path's inside in the brush alone: its outline is the pen's, in a stroke.
    const HGDIOBJ pen = SelectObject(m_dc, GetStockObject(NULL_PEN));
    fill_figures(polygons);
    SelectObject(m_dc, pen);
}

void Player::stroke_path() {
    for (const Figure& f : m_path) {
        std::vector<Point> line = f.points;
        if (f.closed && line.size() > 1) {
            line.push_back(line.front());
        }
        if (line.size() > 1) {
            draw_polyline(line);
        }
    }
}

// The path's inside, under the fill mode, combined with the clip; never reaching past the
// picture's rectangle.
void Player::select_clip_path(int mode) {
    HRGN inside = CreateRectRgn(0, 0, 0, 0);
    // The DC's fill mode, read by setting it and putting it back.
    const int fill_mode = SetPolyFillMode(m_dc, ALTERNATE);
    SetPolyFillMode(m_dc, fill_mode);
    for (const Figure& f : m_path) {
        const std::vector<POINT> pts = rounded(clip_polygon(f.points, m_box));
        if (pts.size() < 3) {
            continue;
        }
        HRGN one = CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), fill_mode);
        CombineRgn(inside, inside, one, fill_mode == WINDING ? RGN_OR : RGN_XOR);
        DeleteObject(one);
    }
    select_clip(inside, mode);
    DeleteObject(inside);
}

void Player::select_clip(HRGN inside, int mode) {
    HRGN frame = CreateRectRgn(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
    if (mode == RGN_COPY) {
        CombineRgn(inside, inside, frame, RGN_AND);
    }
    if (mode >= RGN_AND && mode <= RGN_COPY) {
        ExtSelectClipRgn(m_dc, inside, mode);
        ExtSelectClipRgn(m_dc, frame, RGN_AND);
    }
    DeleteObject(frame);
}

HRGN Player::device_region(const MetaRecord& r) const {
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    for (std::size_t i = 0; i + 1 < r.points.size(); i += 2) {
        const Point a = to_device_exact(r.points[i].x, r.points[i].y);
        const Point b = to_device_exact(r.points[i + 1].x, r.points[i + 1].y);
        const auto clamp_x = [&](double v) {
            return to_int(std::clamp(v, m_box.left, m_box.right));
        };
        const auto clamp_y = [&](double v) {
            return to_int(std::clamp(v, m_box.top, m_box.bottom));
        };
        HRGN one = CreateRectRgn(clamp_x(std::min(a.x, b.x)), clamp_y(std::min(a.y, b.y)),
                                 clamp_x(std::max(a.x, b.x)), clamp_y(std::max(a.y, b.y)));
        CombineRgn(out, out, one, RGN_OR);
        DeleteObject(one);
    }
    return out;
}

void Player::region(const MetaRecord& r) {
    if (r.op == MetaOp::select_clip_region && r.points.empty()) {
        // No region: the clip is the picture's rectangle again.
        if (r.a[0] == RGN_COPY) {
            HRGN frame = CreateRectRgn(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
            ExtSelectClipRgn(m_dc, frame, RGN_COPY);
            DeleteObject(frame);
        }
        return;
    }
    HRGN inside = device_region(r);
    HGDIOBJ brush = nullptr;
    if (r.op == MetaOp::fill_region || r.op == MetaOp::frame_region) {
        if (r.a[1]) {
            brush =
                r.a[0] >= WHITE_BRUSH && r.a[0] <= NULL_BRUSH ? GetStockObject(r.a[0]) : nullptr;
        } else if (r.a[0] >= 0 && static_cast<std::size_t>(r.a[0]) < m_objects.size()) {
            brush = m_objects[static_cast<std::size_t>(r.a[0])];
        }
    }
    switch (r.op) {
    case MetaOp::fill_region:
        if (brush) {
            FillRgn(m_dc, inside, static_cast<HBRUSH>(brush));
        }
        break;
    case MetaOp::frame_region:
        if (brush) {
            FrameRgn(m_dc, inside, static_cast<HBRUSH>(brush),
                     std::max(1, to_int(std::abs(r.a[2] * scale_x()))),
                     std::max(1, to_int(std::abs(r.a[3] * scale_y()))));
        }
        break;
    case MetaOp::paint_region:
        PaintRgn(m_dc, inside);
        break;
    case MetaOp::invert_region:
        InvertRgn(m_dc, inside);
        break;
    case MetaOp::select_clip_region:
        select_clip(inside, r.a[0]);
        break;
    default:
        break;
    }
    DeleteObject(inside);
}

void Player::path(const MetaRecord& r) {
    switch (r.op) {
    case MetaOp::begin_path:
        m_in_path = true;
        m_building.clear();
        return;
    case MetaOp::end_path:
        if (m_in_path) {
            m_in_path = false;
            m_path = std::move(m_building);
            m_building.clear();
        }
        return;
    case MetaOp::abort_path:
        m_in_path = false;
        m_building.clear();
        m_path.clear();
        return;
    case MetaOp::close_figure:
        if (m_in_path && !m_building.empty()) {
            m_building.back().closed = true;
        }
        return;
    default:
        break;
    }
    // The others use the closed path up; while one is still open they do nothing.
    if (m_in_path) {
        return;
    }
    switch (r.op) {
    case MetaOp::fill_path:
        fill_path();
        break;
    case MetaOp::stroke_path:
        stroke_path();
        break;
    case MetaOp::stroke_and_fill_path:
        fill_path();
        stroke_path();
        break;
    case MetaOp::select_clip_path:
        select_clip_path(r.a[0]);
        break;
    default:
        break;
    }
    m_path.clear();
}

void Player::shape(const MetaRecord& r) {
    if (m_in_path) {
        add_to_path(r);
        return;
    }
    switch (r.op) {
    case MetaOp::move_to:
        m_position = {static_cast<double>(r.a[0]), static_cast<double>(r.a[1])};
        break;
    case MetaOp::line_to:
        draw_polyline(
            {to_device_exact(m_position.x, m_position.y), to_device_exact(r.a[0], r.a[1])});
        m_position = {static_cast<double>(r.a[0]), static_cast<double>(r.a[1])};
        break;
    case MetaOp::polygon:
        draw_polygon(device_points(r.points.data(), r.points.size()));
        break;
    case MetaOp::polyline:
        draw_polyline(device_points(r.points.data(), r.points.size()));
        break;
    case MetaOp::polyline_to: {
        std::vector<Point> pts{to_device_exact(m_position.x, m_position.y)};
        const std::vector<Point> rest = device_points(r.points.data(), r.points.size());
        pts.insert(pts.end(), rest.begin(), rest.end());
        draw_polyline(pts);
        if (!r.points.empty()) {
            m_position = {static_cast<double>(r.points.back().x),
                          static_cast<double>(r.points.back().y)};
        }
        break;
    }
    case MetaOp::poly_polygon: {
        std::vector<std::vector<Point>> polygons;
        std::size_t at = 0;
        for (const std::int32_t count : r.counts) {
            polygons.push_back(
                device_points(r.points.data() + at, static_cast<std::size_t>(count)));
            at += static_cast<std::size_t>(count);
        }
        fill_figures(polygons);
        break;
    }
    case MetaOp::poly_polyline: {
        std::size_t at = 0;
        for (const std::int32_t count : r.counts) {
            draw_polyline(device_points(r.points.data() + at, static_cast<std::size_t>(count)));
            at += static_cast<std::size_t>(count);
        }
        break;
    }
    case MetaOp::poly_bezier:
        if (!r.points.empty()) {
            bezier(r.points, 1,
                   {static_cast<double>(r.points[0].x), static_cast<double>(r.points[0].y)});
        }
        break;
    case MetaOp::poly_bezier_to:
        bezier(r.points, 0, m_position);
        break;
    case MetaOp::rectangle:
    case MetaOp::round_rect: {
        const Point a = to_device_exact(r.a[0], r.a[1]), b = to_device_exact(r.a[2], r.a[3]);
        if (!near(a, b)) {
            draw_polygon({a, {b.x, a.y}, b, {a.x, b.y}});
            break;
        }
        const RECT box = device_box(r.a[0], r.a[1], r.a[2], r.a[3]);
        if (r.op == MetaOp::rectangle) {
            Rectangle(m_dc, box.left, box.top, box.right, box.bottom);
        } else {
            RoundRect(m_dc, box.left, box.top, box.right, box.bottom,
                      to_int(std::min(std::abs(r.a[4]) * scale_x(), 2.0 * (box.right - box.left))),
                      to_int(std::min(std::abs(r.a[5]) * scale_y(), 2.0 * (box.bottom - box.top))));
        }
        break;
    }
    case MetaOp::ellipse:
        draw_ellipse(to_device_exact(r.a[0], r.a[1]), to_device_exact(r.a[2], r.a[3]));
        break;
    case MetaOp::set_pixel: {
        const Point p = to_device_exact(r.a[0], r.a[1]);
        if (m_box.contains(p)) {
            SetPixelV(m_dc, to_int(p.x), to_int(p.y), static_cast<COLORREF>(r.a[2]));
        }
        break;
    }
    default:
        break;
    }
}

// Arcs, chords and pies: the part of the box's ellipse from the start ray to the end ray,
// counter-clockwise in logical space, as points on the device.
void Player::arc(const MetaRecord& r) {
    const Point a = to_device_exact(r.a[0], r.a[1]), b = to_device_exact(r.a[2], r.a[3]);
    const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
    const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
    if (!(rx >= 0.5 && ry >= 0.5)) {
        return;
    }
    const Point s = to_device_exact(r.a[4], r.a[5]), e = to_device_exact(r.a[6], r.a[7]);
    // Angles as on paper (y up); the device's y runs down.
    const double start = std::atan2(-(s.y - cy) / ry, (s.x - cx) / rx);
    const double end = std::atan2(-(e.y - cy) / ry, (e.x - cx) / rx);
    if (!std::isfinite(start) || !std::isfinite(end)) {
        return;
    }
    const double turn = 2 * std::numbers::pi;
    double sweep = std::fmod(end - start, turn);
    if (!flips()) {
        if (sweep <= 0) {
            sweep += turn;
        }
    } else if (sweep >= 0) {
        sweep -= turn;
    }
    const int steps = static_cast<int>(std::clamp(std::abs(sweep) * std::max(rx, ry) / 2, 8.0,
                                                  static_cast<double>(kMaxCurveSteps)));
    std::vector<Point> pts;
    if (r.op == MetaOp::pie) {
        pts.push_back({cx, cy});
    }
    for (int i = 0; i <= steps; ++i) {
        const double t = start + sweep * i / steps;
        pts.push_back({cx + rx * std::cos(t), cy - ry * std::sin(t)});
    }
    if (r.op == MetaOp::arc) {
        draw_polyline(pts);
    } else {
        draw_polygon(pts);
    }
}

void Player::text(const MetaRecord& r) {
    const POINT at = to_device(r.a[0], r.a[1]);
    const UINT options = static_cast<UINT>(r.a[2]) & (ETO_OPAQUE | ETO_CLIPPED);
    RECT box{};
    if (options) {
        box = device_box(r.a[3], r.a[4], r.a[5], r.a[6]);
    }
    // Advances in device units, rounded from the running sum so that no error piles up.
    std::vector<INT> dx;
    if (!r.dx.empty()) {
        const double s = scale_x();
        double sum = 0;
        int placed = 0;
        for (const std::int32_t advance : r.dx) {
            sum += advance * s;
            const int next = to_int(sum);
            dx.push_back(next - placed);
            placed = next;
        }
    }
    ExtTextOutA(m_dc, at.x, at.y, options, options ? &box : nullptr, r.text.data(),
                static_cast<UINT>(r.text.size()), dx.empty() ? nullptr : dx.data());
}

void Player::blit(const MetaRecord& r) {
    const Point a = to_device_exact(r.a[0], r.a[1]);
    const Point b =
        to_device_exact(static_cast<double>(r.a[0]) + r.a[2], static_cast<double>(r.a[1]) + r.a[3]);
    // Nothing of a blit outside the area around the picture can show.
    const DeviceBox box{
        std::max(std::min(a.x, b.x), m_box.left), std::max(std::min(a.y, b.y), m_box.top),
        std::min(std::max(a.x, b.x), m_box.right), std::min(std::max(a.y, b.y), m_box.bottom)};
    if (!(box.left < box.right && box.top < box.bottom)) {
        return;
    }
    if (r.op == MetaOp::pat_blt) {
        const int x = to_int(box.left), y = to_int(box.top);
        PatBlt(m_dc, x, y, to_int(box.right) - x, to_int(box.bottom) - y,
               static_cast<DWORD>(r.a[4]));
        return;
    }
    const int x = to_int(a.x), y = to_int(a.y);
    const int w = to_int(b.x) - x, h = to_int(b.y) - y;
    if (std::abs(w) > kMaxBlitSide || std::abs(h) > kMaxBlitSide) {
        return;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(r.dib.data());
    if (r.op == MetaOp::alpha_blend) {
        alpha_blend(r, info, x, y, w, h);
        return;
    }
    StretchDIBits(m_dc, x, y, w, h, r.a[4], r.a[5], r.a[6], r.a[7],
                  r.dib.data() + r.dib_bits_offset, info, static_cast<UINT>(r.a[9]),
                  static_cast<DWORD>(r.a[8]));
}

// The record's bitmap in a section of its own, blended over the destination as the blend
// function says.
void Player::alpha_blend(const MetaRecord& r, const BITMAPINFO* info, int x, int y, int w, int h) {
    HDC source = CreateCompatibleDC(m_dc);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, info, static_cast<UINT>(r.a[9]), &bits, nullptr, 0);
    if (source && section && bits) {
        const int rows = std::abs(info->bmiHeader.biHeight);
        const std::size_t stride =
            ((static_cast<std::size_t>(info->bmiHeader.biWidth) * info->bmiHeader.biBitCount + 31) /
             32) *
            4;
        const std::size_t have = r.dib.size() - r.dib_bits_offset;
        std::memcpy(bits, r.dib.data() + r.dib_bits_offset,
                    std::min(have, stride * static_cast<std::size_t>(rows)));
        const HGDIOBJ old = SelectObject(source, section);
        const auto packed = static_cast<std::uint32_t>(r.a[8]);
        const BLENDFUNCTION blend{static_cast<BYTE>(packed), static_cast<BYTE>(packed >> 8),
                                  static_cast<BYTE>(packed >> 16), static_cast<BYTE>(packed >> 24)};
        AlphaBlend(m_dc, x, y, w, h, source, r.a[4], r.a[5], r.a[6], r.a[7], blend);
        SelectObject(source, old);
    }
    if (section) {
        DeleteObject(section);
    }
    if (source) {
        DeleteDC(source);
    }
}

void Player::play(const MetaRecord& r) {
    switch (r.op) {
    case MetaOp::set_bk_colour:
        SetBkColor(m_dc, static_cast<COLORREF>(r.a[0]));
        break;
    case MetaOp::set_bk_mode:
        if (r.a[0] == TRANSPARENT || r.a[0] == OPAQUE) {
            SetBkMode(m_dc, r.a[0]);
        }
        break;
    case MetaOp::set_text_colour:
        SetTextColor(m_dc, static_cast<COLORREF>(r.a[0]));
        break;
    case MetaOp::set_text_align:
        SetTextAlign(m_dc, static_cast<UINT>(r.a[0]) & (TA_CENTER | TA_BASELINE));
        break;
    case MetaOp::set_poly_fill_mode:
        if (r.a[0] == ALTERNATE || r.a[0] == WINDING) {
            SetPolyFillMode(m_dc, r.a[0]);
        }
        break;
    case MetaOp::set_rop2:
        if (r.a[0] >= R2_BLACK && r.a[0] <= R2_WHITE) {
            SetROP2(m_dc, r.a[0]);
        }
        break;
    case MetaOp::set_stretch_mode:
        if (r.a[0] >= BLACKONWHITE && r.a[0] <= HALFTONE) {
            SetStretchBltMode(m_dc, r.a[0]);
        }
        break;
    case MetaOp::intersect_clip:
    case MetaOp::exclude_clip: {
        const RECT b = device_box(r.a[0], r.a[1], r.a[2], r.a[3]);
        if (r.op == MetaOp::intersect_clip) {
            IntersectClipRect(m_dc, b.left, b.top, b.right, b.bottom);
        } else {
            ExcludeClipRect(m_dc, b.left, b.top, b.right, b.bottom);
        }
        break;
    }
    case MetaOp::create_pen:
    case MetaOp::create_brush:
    case MetaOp::create_pattern_brush:
    case MetaOp::create_font:
    case MetaOp::create_placeholder:
    case MetaOp::select_object:
    case MetaOp::select_stock:
    case MetaOp::delete_object:
        object(r);
        break;
    case MetaOp::arc:
    case MetaOp::chord:
    case MetaOp::pie:
        // Shapes without an outline of their own here add nothing to a path, nor draw.
        if (!m_in_path) {
            arc(r);
        }
        break;
    case MetaOp::text_out:
        if (!m_in_path) {
            text(r);
        }
        break;
    case MetaOp::begin_path:
    case MetaOp::end_path:
    case MetaOp::abort_path:
    case MetaOp::close_figure:
    case MetaOp::fill_path:
    case MetaOp::stroke_path:
    case MetaOp::stroke_and_fill_path:
    case MetaOp::select_clip_path:
        path(r);
        break;
    case MetaOp::fill_region:
    case MetaOp::frame_region:
    case MetaOp::paint_region:
    case MetaOp::invert_region:
    case MetaOp::select_clip_region:
        if (!m_in_path) {
            region(r);
        }
        break;
    case MetaOp::stretch_dib:
    case MetaOp::pat_blt:
    case MetaOp::alpha_blend:
        blit(r);
        break;
    case MetaOp::move_to:
    case MetaOp::line_to:
    case MetaOp::polyline:
    case MetaOp::polyline_to:
    case MetaOp::polygon:
    case MetaOp::poly_polygon:
    case MetaOp::poly_polyline:
    case MetaOp::poly_bezier:
    case MetaOp::poly_bezier_to:
    case MetaOp::rectangle:
    case MetaOp::round_rect:
    case MetaOp::ellipse:
    case MetaOp::set_pixel:
        shape(r);
        break;
    default:
        mapping(r);
        break;
    }
}

bool Player::run() {
    const int base = SaveDC(m_dc);
    if (base <= 0) {
        return false;
    }
    // The player maps every point itself: the DC's own origins are cleared for the playback.
    SetWindowOrgEx(m_dc, 0, 0, nullptr);
    SetViewportOrgEx(m_dc, 0, 0, nullptr);
    IntersectClipRect(m_dc, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
    SelectObject(m_dc, GetStockObject(BLACK_PEN));
    SelectObject(m_dc, GetStockObject(WHITE_BRUSH));
    SelectObject(m_dc, GetStockObject(SYSTEM_FONT));
    SetBkColor(m_dc, 0xFFFFFF);
    SetTextColor(m_dc, 0);
    SetBkMode(m_dc, OPAQUE);
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    SetPolyFillMode(m_dc, ALTERNATE);
    SetROP2(m_dc, R2_COPYPEN);
    for (const MetaRecord& r : m_picture.records) {
        play(r);
    }
    RestoreDC(m_dc, base);
    for (HGDIOBJ object : m_objects) {
        if (object) {
            DeleteObject(object);
        }
    }
    for (HGDIOBJ object : m_retired) {
        DeleteObject(object);
    }
    return true;
}

} // namespace

bool play_metafile(HDC dc, const MetaPicture& picture, const RECT& rect) {
    return Player(dc, picture, rect).run();
}

} // namespace lv::gdi
