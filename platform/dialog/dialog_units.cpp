#include "dialog/dialog_units.h"

#include "dialog/dialog_state.h"
#include "win32/dialog.h"
#include "win32/errors.h"

#include <cstring>

namespace lv::dialog {

SIZE font_base_units(HFONT font) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE units{8, 16};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return units;
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE extent{};
    TEXTMETRICA metrics{};
    if (GetTextExtentPoint32A(dc, kAlphabet, 52, &extent) && GetTextMetricsA(dc, &metrics)) {
        units.cx = (extent.cx + 26) / 52;
        units.cy = metrics.tmHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    if (units.cx <= 0)
        units.cx = 1;
    if (units.cy <= 0)
        units.cy = 1;
    return units;
}

RECT dialog_units_to_pixels(const RECT& units, SIZE base) {
    return RECT{MulDiv(units.left, base.cx, 4), MulDiv(units.top, base.cy, 8),
                MulDiv(units.right, base.cx, 4), MulDiv(units.bottom, base.cy, 8)};
}

SIZE measure_text(HFONT font, const std::string& text, int max_width, UINT format) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, max_width, 0};
    DrawTextA(dc, text.empty() ? " " : text.c_str(),
              text.empty() ? 1 : static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE pixels_to_dialog_units(SIZE pixels, SIZE base) {
    return SIZE{(pixels.cx * 4 + base.cx - 1) / base.cx, (pixels.cy * 8 + base.cy - 1) / base.cy};
}

HFONT create_dialog_font(const char* face, int points) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(points, dpi > 0 ? dpi : 96, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, face ? face : "", sizeof(font.lfFaceName) - 1);
    return CreateFontIndirectA(&font);
}

} // namespace lv::dialog

using namespace lv::dialog;

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    const DialogStatePtr state = dialog_state(dialog);
    if (!state || !rect) {
        SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = dialog_units_to_pixels(*rect, state->base_units);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    static const SIZE units = font_base_units(nullptr);
    return MAKELONG(units.cx, units.cy);
}
