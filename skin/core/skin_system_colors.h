// The system colours that skin objects take their defaults from when they are constructed.
#pragma once

#include "win32/win32.h"

enum class SkinSysColor : int {
    Window = 5,
    WindowText = 8,
    Highlight = 13,
    HighlightText = 14,
    BtnFace = 15,
    BtnShadow = 16,
    GrayText = 17,
    BtnText = 18,
};

COLORREF SkinSystemColor(SkinSysColor which);
