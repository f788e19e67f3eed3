#include "skin/core/skin_system_colors.h"

// The standard scheme's values; the display's own colours take their place once the
// window layer reports them.
COLORREF SkinSystemColor(SkinSysColor which) {
    switch (which) {
    case SkinSysColor::Window:
        return RGB(255, 255, 255);
    case SkinSysColor::WindowText:
        return RGB(0, 0, 0);
    case SkinSysColor::Highlight:
        return RGB(49, 106, 197);
    case SkinSysColor::HighlightText:
        return RGB(255, 255, 255);
    case SkinSysColor::BtnFace:
        return RGB(236, 233, 216);
    case SkinSysColor::BtnShadow:
        return RGB(172, 168, 153);
    case SkinSysColor::GrayText:
        return RGB(172, 168, 153);
    case SkinSysColor::BtnText:
        return RGB(0, 0, 0);
    }
    return 0;
}
