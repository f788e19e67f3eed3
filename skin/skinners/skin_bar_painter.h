// Paints the pieces of drawn scroll bars from the current skin's scroll-bar object. The skin
// holds horizontal images only: a vertical piece is painted on its side and turned.
#pragma once

#include "skin/skinners/drawn_scroll_bars.h"

class ScrollBarSkin;

// The current skin's scroll-bar object; null when it has none.
ScrollBarSkin* CurrentScrollBarSkin();

// kDrawnSBSkipDefault when the piece is drawn (or needs no drawing), 0 when the skin has no
// scroll-bar object and the bars draw it themselves.
LRESULT DrawSkinBarElement(UINT code, DrawnSBCustomDraw* record);
