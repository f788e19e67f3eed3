// Dialog units: a template's coordinates in quarters of the dialog font's average character
// width and eighths of its height.
#pragma once

#include "win32/gdi.h"

#include <string>

namespace lv::dialog {

// The base units of a font: cx = the average width of "A".."Z""a".."z" rounded, cy = the
// text height.
SIZE font_base_units(HFONT font);
// Dialog units to pixels with the given base units.
RECT dialog_units_to_pixels(const RECT& units, SIZE base);
// The pixels `text` takes in `font`, drawn with `format` (word-wrapped at `max_width` with
// DT_WORDBREAK).
SIZE measure_text(HFONT font, const std::string& text, int max_width, UINT format);
// Pixels of a font with these base units as dialog units, rounded up so that they hold them.
SIZE pixels_to_dialog_units(SIZE pixels, SIZE base);
// The font a template names: face and points at the screen's resolution; null on failure.
HFONT create_dialog_font(const char* face, int points);

} // namespace lv::dialog
