// Where a popup of a given size goes for a point and TrackPopupMenu's alignment flags: kept
// whole on the screen, 2 pixels from its edges when it has to move.
#pragma once

#include "win32/win32.h"

void GlazeworkPlacePopupMenu(RECT& out, int x, int y, SIZE popup, UINT flags);
