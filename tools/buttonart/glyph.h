// Glyphs for small buttons that have no room for a word: a label written "<name>" draws one
// of them instead of text.
#pragma once

#include "tools/artkit/canvas.h"

#include <optional>
#include <string>

enum class Glyph { plus, minus, up, down, cross, play, stop };

// The glyph a label names ("<plus>", "<minus>", "<up>", "<down>", "<cross>", "<play>",
// "<stop>"); nothing for any other label.
std::optional<Glyph> GlyphFromLabel(const std::string& label);

// Draws the glyph centred on the canvas, moved by `shift` pixels right and down.
void DrawGlyph(Canvas& canvas, Glyph glyph, COLORREF ink, int shift);
