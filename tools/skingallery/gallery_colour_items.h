// The gallery's owner-drawn menu items: colour swatches with the colour's name beside them.
#pragma once

#include "win32/win32.h"

namespace gallery {

// Turns the colour commands of the menu and its submenus into owner-drawn items that keep the
// names the menu gave them.
void MakeColourItemsOwnerDrawn(HMENU menu);
// The colour a colour command stands for.
COLORREF ColourOfCommand(int command);
bool IsColourCommand(int command);

// WM_MEASUREITEM and WM_DRAWITEM for a colour item; false for anything else. The item's
// background belongs to the menu: the swatch and the name are drawn over it in the DC's text
// colour.
bool MeasureColourItem(MEASUREITEMSTRUCT& measure);
bool DrawColourItem(const DRAWITEMSTRUCT& draw);

} // namespace gallery
