#include "gdi/text_render.h"

#include "gdi/font.h"

#include <algorithm>

namespace lv::gdi {
namespace {

std::mutex g_face_mutex;

int advance_of(FontFace& face, char32_t c, int x_from_start, int tab_width) {
    if (c == U'\t' && tab_width > 0) {
        return tab_width - x_from_start % tab_width;
    }
    return face.advance(c);
}

void blend_glyph(const Target& t, const Region& area, const Glyph& g, int pen_x, int baseline,
                 Pixel colour) {
    RECT box{pen_x + g.left, baseline - g.top, pen_x + g.left + g.width,
             baseline - g.top + g.height};
    for (const RECT& c : area.rects()) {
        RECT r{std::max(box.left, c.left), std::max(box.top, c.top), std::min(box.right, c.right),
               std::min(box.bottom, c.bottom)};
        if (r.left >= r.right || r.top >= r.bottom) {
            continue;
        }
        for (int y = r.top; y < r.bottom; ++y) {
            const std::uint8_t* cov =
                g.coverage.data() + static_cast<std::size_t>(y - box.top) * g.width - box.left;
            Pixel* out = t.surface->row(y);
            for (int x = r.left; x < r.right; ++x) {
                Pixel a = cov[x];
                if (a == 0) {
                    continue;
                }
                if (t.monochrome) {
                    if (a >= 128) {
                        out[x] = colour;
                    }
                    continue;
                }
                if (a == 255) {
                    out[x] = colour;
                    continue;
                }
                Pixel d = out[x];
                Pixel result = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    Pixel s = (colour >> shift) & 0xFF;
                    Pixel dd = (d >> shift) & 0xFF;
                    result |= ((s * a + dd * (255 - a) + 127) / 255) << shift;
                }
                out[x] = result;
            }
        }
    }
}

} // namespace

std::shared_ptr<FontFace> face_of(const DeviceContext& dc) {
    Font* font = dc.state.font.get();
    if (!font) {
        return nullptr;
    }
    std::lock_guard lock(g_face_mutex);
    if (!font->face) {
        font->face = face_for(font->logfont);
    }
    return font->face;
}

int line_width(FontFace& face, const std::u32string& text, int tab_width) {
    int x = 0;
    for (char32_t c : text) {
        x += advance_of(face, c, x, tab_width);
    }
    return x;
}

void draw_line(Painter& painter, FontFace& face, int x, int y, const TextLine& line,
               const RECT* clip, int tab_width, const INT* advances) {
    const Target& t = painter.target();
    if (!t.surface) {
        return;
    }
    const DeviceContext& dc = painter.dc();
    const FontMetrics& m = face.metrics();
    std::vector<int> pens(line.text.size() + 1, 0);
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        int step = advances ? advances[i] : advance_of(face, line.text[i], pens[i], tab_width);
        pens[i + 1] = pens[i] + step;
    }
    int width = pens.back();
    int sx = x + t.offset.x;
    int sy = y + t.offset.y;
    RECT cell{sx, sy, sx + width, sy + m.height};
    Region area = t.clip;
    if (clip) {
        area = area.intersected(Region(RECT{clip->left + t.offset.x, clip->top + t.offset.y,
                                            clip->right + t.offset.x, clip->bottom + t.offset.y}));
    }
    // Glyphs may reach outside their cell (italic overhang, accents).
    RECT touched{cell.left - m.height, cell.top - m.height / 2, cell.right + m.height,
                 cell.bottom + m.height / 2};
    DrawScope scope(t, touched);
    Pixel colour = pixel_from_colorref(dc.state.text_colour);
    Pixel bk = pixel_from_colorref(dc.state.bk_colour);
    if (t.monochrome) {
        colour = mono_of(colour);
        bk = mono_of(bk);
    }
    if (dc.state.bk_mode == OPAQUE && width > 0) {
        Pattern fill;
        fill.none = false;
        fill.solid = bk;
        fill_area(t, area.intersected(Region(cell)), fill, R2_COPYPEN);
    }
    Region glyph_area = area.intersected(Region(touched));
    int baseline = sy + m.ascent;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        char32_t c = line.text[i];
        if (c == U'\t' || c == U'\r' || c == U'\n') {
            continue;
        }
        blend_glyph(t, glyph_area, face.glyph(c), sx + pens[i], baseline, colour);
    }
    Pattern ink;
    ink.none = false;
    ink.solid = colour;
    std::vector<RECT> lines;
    const LOGFONTA& log = dc.state.font->logfont;
    int thickness = m.underline_thickness;
    if (log.lfUnderline && width > 0) {
        lines.push_back(RECT{sx, baseline + m.underline_position, sx + width,
                             baseline + m.underline_position + thickness});
    }
    if (log.lfStrikeOut && width > 0) {
        lines.push_back(RECT{sx, baseline - m.strikeout_position, sx + width,
                             baseline - m.strikeout_position + thickness});
    }
    for (std::size_t i : line.underlined) {
        if (i < line.text.size()) {
            lines.push_back(RECT{sx + pens[i], baseline + m.underline_position, sx + pens[i + 1],
                                 baseline + m.underline_position + thickness});
        }
    }
    if (!lines.empty()) {
        fill_area(t, glyph_area.intersected(Region::from_rects(lines)), ink, R2_COPYPEN);
    }
}

} // namespace lv::gdi
