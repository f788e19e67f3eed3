#include "tools/artkit/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Canvas::Canvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, fill) {}

COLORREF Canvas::Pixel(int x, int y) const {
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void Canvas::SetPixel(int x, int y, COLORREF color) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = color;
}

void Canvas::Fill(const RECT& r, COLORREF color) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            SetPixel(x, y, color);
}

void Canvas::Frame(const RECT& r, COLORREF color) {
    Fill({r.left, r.top, r.right, r.top + 1}, color);
    Fill({r.left, r.bottom - 1, r.right, r.bottom}, color);
    Fill({r.left, r.top, r.left + 1, r.bottom}, color);
    Fill({r.right - 1, r.top, r.right, r.bottom}, color);
}

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
    auto channel = [&](int shift) {
        int ca = (a >> shift) & 0xFF;
        int cb = (b >> shift) & 0xFF;
        return static_cast<COLORREF>((ca * (100 - percentOfB) + cb * percentOfB + 50) / 100)
               << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

void Canvas::VerticalGradient(const RECT& r, COLORREF top, COLORREF bottom) {
    const int span = std::max<int>(1, r.bottom - r.top - 1);
    for (int y = r.top; y < r.bottom; ++y)
        Fill({r.left, y, r.right, y + 1}, Mix(top, bottom, (y - r.top) * 100 / span));
}

void Canvas::Line(int x0, int y0, int x1, int y1, COLORREF color) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps ? static_cast<double>(i) / steps : 0.0;
        SetPixel(static_cast<int>(std::lround(x0 + (x1 - x0) * t)),
                 static_cast<int>(std::lround(y0 + (y1 - y0) * t)), color);
    }
}

namespace {

// Whether pixel (dx, dy) of a corner square lies outside the quarter circle.
bool OutsideCorner(int dx, int dy, int radius) {
    const double cx = radius - dx - 0.5;
    const double cy = radius - dy - 0.5;
    return cx > 0 && cy > 0 && cx * cx + cy * cy > radius * radius;
}

bool OnCornerEdge(int dx, int dy, int radius) {
    if (OutsideCorner(dx, dy, radius))
        return false;
    return OutsideCorner(dx - 1, dy, radius) || OutsideCorner(dx, dy - 1, radius);
}

} // namespace

void Canvas::RoundCorners(const RECT& r, int radius, bool top, bool bottom) {
    for (int dy = 0; dy < radius; ++dy) {
        for (int dx = 0; dx < radius; ++dx) {
            if (!OutsideCorner(dx, dy, radius))
                continue;
            if (top) {
                SetPixel(r.left + dx, r.top + dy, kKey);
                SetPixel(r.right - 1 - dx, r.top + dy, kKey);
            }
            if (bottom) {
                SetPixel(r.left + dx, r.bottom - 1 - dy, kKey);
                SetPixel(r.right - 1 - dx, r.bottom - 1 - dy, kKey);
            }
        }
    }
}

void Canvas::RoundedFrame(const RECT& r, int radius, COLORREF color, bool top, bool bottom) {
    Frame(r, color);
    RoundCorners(r, radius, top, bottom);
    for (int dy = 0; dy < radius; ++dy) {
        for (int dx = 0; dx < radius; ++dx) {
            if (!OnCornerEdge(dx, dy, radius))
                continue;
            if (top) {
                SetPixel(r.left + dx, r.top + dy, color);
                SetPixel(r.right - 1 - dx, r.top + dy, color);
            }
            if (bottom) {
                SetPixel(r.left + dx, r.bottom - 1 - dy, color);
                SetPixel(r.right - 1 - dx, r.bottom - 1 - dy, color);
            }
        }
    }
}

void Canvas::Ground(const RECT& r, COLORREF ground) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (Pixel(x, y) == kKey)
                SetPixel(x, y, ground);
}
