// The toolkit's skinned replacements of the system's menus: context menus and system menus
// shown as skinned popups with their own modal loop.
#pragma once

#include "win32/win32.h"

// The item's text (with "&" and "\t") in one shared buffer, valid until the next call; an
// absent item gives the empty string.
const char* GlazeworkGetMenuItemText(HMENU menu, UINT item, BOOL byPosition);
// A skinned copy of the window's system menu, tracked at the cursor; 0 without a system menu.
int GlazeworkShowSystemMenu(HWND hwnd);
// Shows the menu as a skinned popup and runs a modal loop until it closes. The chosen command
// reaches the owner from the popup (WM_COMMAND, or WM_SYSCOMMAND for a system menu); 0 always.
int GlazeworkTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu);
