// The classic look's measures of menu bars and popup menus, and the one menu font.
#pragma once

#include "win32/gdi.h"

#include <string>

namespace lv::menu {

// The menu font of the non-client metrics, made once for the process.
HFONT menu_font();

// The size of a text as menus draw it ("&" marks the mnemonic and takes no room); a DC with the
// menu font selected is made for the measuring when `dc` is null.
SIZE text_size(HDC dc, const std::string& text);

// An item text's two parts: the label and, after a tab, the shortcut shown at the right.
struct ItemText {
    std::string label;
    std::string shortcut;
};
ItemText split_item_text(const std::string& text);

// The upper-case letter after the first single "&", or 0.
char mnemonic_of(const std::string& text);

constexpr int kBarItemPadding = 6; // on each side of a menu-bar title
constexpr int kPopupBorder = 3;    // around a popup's items
constexpr int kSeparatorHeight = 8;
constexpr int kShortcutGap = 12;         // between a label and its shortcut
constexpr int kSubmenuOpenDelayMs = 400; // hovering an item this long opens its submenu

// One text row of a popup, the check-mark column and the submenu-arrow column.
int popup_row_height();
int check_column_width();
int arrow_column_width();
// One row of a menu bar.
int bar_row_height();

} // namespace lv::menu
