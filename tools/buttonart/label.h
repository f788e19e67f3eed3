// Button labels drawn through the platform's own text drawing (a DIB section, CreateFont,
// DrawText), so that their glyphs are those of the dialogs.
#pragma once

#include "tools/artkit/canvas.h"

#include <string>

// Dark ink on a light background, light ink on a dark one.
COLORREF LabelInk(COLORREF background);

// Draws `text` centred on the canvas, moved by `shift` pixels right and down (a pressed face),
// in the dialogs' face, bold, as large as 8 points or smaller to fit. False when the GDI
// refused.
bool DrawLabel(Canvas& canvas, const std::string& text, COLORREF ink, int shift);
