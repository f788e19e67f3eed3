// Laying out and drawing one line of text in a DC's font.
#pragma once

#include "gdi/font_face.h"
#include "gdi/painter.h"

#include <string>
#include <vector>

namespace lv::gdi {

// The face of the DC's selected font (resolved once per font).
std::shared_ptr<FontFace> face_of(const DeviceContext& dc);

struct TextLine {
    std::u32string text;
    std::vector<std::size_t> underlined; // indices of prefix-underlined characters
};

// Width in pixels; tabs advance to the next multiple of `tab_width` when it is positive.
int line_width(FontFace& face, const std::u32string& text, int tab_width = 0);

// Draws the line with its cell's top-left corner at (x, y), device coordinates, inside `clip`
// (device coordinates) when given. Opaque mode fills the cell with the background colour.
void draw_line(Painter& painter, FontFace& face, int x, int y, const TextLine& line,
               const RECT* clip, int tab_width = 0, const INT* advances = nullptr);

} // namespace lv::gdi
