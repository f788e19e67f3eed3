// The pieces both menu bars and popup menus draw: item texts in their states, check marks,
// submenu arrows and the predefined item pictures.
#pragma once

#include "menu/menu_store.h"

namespace lv::menu {

enum class TextLook { normal, selected, disabled, disabled_selected };

// Draws an item text (with its underlined mnemonic) in the menu font. `format` takes DrawText's
// alignment flags; a disabled text is embossed unless it is selected.
void draw_menu_text(HDC dc, const std::string& text, RECT r, UINT format, TextLook look);
// A check mark (a bullet for a radio item) centred in `r`.
void draw_check_mark(HDC dc, const RECT& r, bool radio, COLORREF colour);
// A small triangle pointing right, centred in `r`.
void draw_submenu_arrow(HDC dc, const RECT& r, COLORREF colour);
// An MFT_BITMAP item's picture: the predefined ones (HBMMENU_*) or a bitmap, centred in `r`.
void draw_item_picture(HDC dc, const Item& item, const RECT& r, bool pushed);
// The size an MFT_BITMAP item's picture takes.
SIZE item_picture_size(const Item& item);

} // namespace lv::menu
