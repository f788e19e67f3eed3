// Where a point of the gallery's template lies on the screen, given the gallery's window
// rectangle there. The skinned frame's caption is taller than the template says, so the point
// is measured from the bottom-right corner, where the frame is as wide as at the sides.
#pragma once

#include "dialog/dialog_units.h"
#include "win32/win32.h"

namespace gallery_screen {

// The gallery's template: its width and height in dialog units.
inline constexpr SIZE kGalleryUnits{460, 278};

inline POINT GalleryPointOnScreen(const RECT& window, POINT units) {
    HFONT font = lv::dialog::create_dialog_font("Tahoma", 8);
    const SIZE base = lv::dialog::font_base_units(font);
    DeleteObject(font);
    const RECT client =
        lv::dialog::dialog_units_to_pixels(RECT{0, 0, kGalleryUnits.cx, kGalleryUnits.cy}, base);
    const RECT rest = lv::dialog::dialog_units_to_pixels(
        RECT{0, 0, kGalleryUnits.cx - units.x, kGalleryUnits.cy - units.y}, base);
    const int border = ((window.right - window.left) - client.right) / 2;
    return POINT{window.right - border - rest.right, window.bottom - border - rest.bottom};
}

} // namespace gallery_screen
