#include "tools/buttonart/glyph.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A triangle with its tip at (tipX, tipY) and its base, `half` to each side, `depth` behind
// the tip in the direction (dx, dy), which is one of the four axis directions.
void FillTriangle(Canvas& canvas, int tipX, int tipY, int dx, int dy, int depth, int half,
                  COLORREF ink) {
    for (int step = 0; step <= depth; ++step) {
        const int reach = half * step / std::max(1, depth);
        for (int across = -reach; across <= reach; ++across) {
            const int x = tipX + dx * step + (dx == 0 ? across : 0);
            const int y = tipY + dy * step + (dy == 0 ? across : 0);
            canvas.SetPixel(x, y, ink);
        }
    }
}

void FillBox(Canvas& canvas, int left, int top, int right, int bottom, COLORREF ink) {
    canvas.Fill(RECT{left, top, right, bottom}, ink);
}

} // namespace

std::optional<Glyph> GlyphFromLabel(const std::string& label) {
    const std::pair<const char*, Glyph> names[] = {
        {"<plus>", Glyph::plus}, {"<minus>", Glyph::minus}, {"<up>", Glyph::up},
        {"<down>", Glyph::down}, {"<cross>", Glyph::cross}, {"<play>", Glyph::play},
        {"<stop>", Glyph::stop},
    };
    for (const auto& [name, glyph] : names)
        if (label == name)
            return glyph;
    return std::nullopt;
}

void DrawGlyph(Canvas& canvas, Glyph glyph, COLORREF ink, int shift) {
    const int cx = canvas.Width() / 2 + shift;
    const int cy = canvas.Height() / 2 + shift;
    const int size = std::max(4, std::min(canvas.Width(), canvas.Height()) * 2 / 5);
    const int half = size / 2;
    const int thick = std::max(2, size / 5);
    switch (glyph) {
    case Glyph::plus:
        FillBox(canvas, cx - half, cy - thick / 2, cx + half + 1, cy - thick / 2 + thick, ink);
        FillBox(canvas, cx - thick / 2, cy - half, cx - thick / 2 + thick, cy + half + 1, ink);
        break;
    case Glyph::minus:
        FillBox(canvas, cx - half, cy - thick / 2, cx + half + 1, cy - thick / 2 + thick, ink);
        break;
    case Glyph::up:
        FillTriangle(canvas, cx, cy - half / 2 - 1, 0, 1, half, half, ink);
        break;
    case Glyph::down:
        FillTriangle(canvas, cx, cy + half / 2 + 1, 0, -1, half, half, ink);
        break;
    case Glyph::play:
        FillTriangle(canvas, cx + half / 2 + 1, cy, -1, 0, half, half, ink);
        break;
    case Glyph::stop:
        FillBox(canvas, cx - half * 3 / 4, cy - half * 3 / 4, cx + half * 3 / 4 + 1,
                cy + half * 3 / 4 + 1, ink);
        break;
    case Glyph::cross:
        for (int d = -half; d <= half; ++d)
            for (int t = 0; t < thick; ++t) {
                canvas.SetPixel(cx + d + t - thick / 2, cy + d, ink);
                canvas.SetPixel(cx + d + t - thick / 2, cy - d, ink);
            }
        break;
    }
}
