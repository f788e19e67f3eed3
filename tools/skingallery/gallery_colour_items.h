// The gallery's owner-drawn menu items: colour swatches with the colour's name beside them.
#pragma once

#include "win32/win32.h"

#include <string>

namespace gallery {

// Turns the colour commands of the menu and its submenus into owner-drawn items that keep the
// names the menu gave them.
void MakeColourItemsOwnerDrawn(HMENU menu);
// The colour a colour command stands for, and the name its item shows.
COLORREF ColourOfCommand(int command);
std::string ColourNameOfCommand(int command);
bool IsColourCommand(int command);

// WM_MEASUREITEM and WM_DRAWITEM for a colour item; false for anything else. The item's
// background belongs to the menu: the swatch and the name are drawn over it in the DC's text
// colour.
bool MeasureColourItem(MEASUREITEMSTRUCT& measure);
bool DrawColourItem(const DRAWITEMSTRUCT& draw);

// Where an item drawn into `item` writes its name, after its swatch.
RECT ColourItemTextRect(const RECT& item);
// The font the menus draw colour items in: the skinned popup's item font while the toolkit has
// a skin with one, else the layer's menu font. The caller deletes it.
HFONT CreateColourItemFont();

} // namespace gallery
