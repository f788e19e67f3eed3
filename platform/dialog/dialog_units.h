// Dialog units: a template's coordinates in quarters of the dialog font's average character
// width and eighths of its height.
#pragma once

#include "win32/gdi.h"

namespace lv::dialog {

// The base units of a font: cx = the average width of "A".."Z""a".."z" rounded, cy = the
// text height.
SIZE font_base_units(HFONT font);
// Dialog units to pixels with the given base units.
RECT dialog_units_to_pixels(const RECT& units, SIZE base);
// The font a template names: face and points at the screen's resolution; null on failure.
HFONT create_dialog_font(const char* face, int points);

} // namespace lv::dialog
