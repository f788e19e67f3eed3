// TextOut, ExtTextOut, text extents and metrics.
#include "gdi/font.h"
#include "gdi/text_render.h"
#include "win32/errors.h"

#include <cstring>

using namespace lv::gdi;

namespace {

std::string_view text_of(LPCSTR text, int length) {
    if (!text || length <= 0) {
        return {};
    }
    return std::string_view(text, static_cast<std::size_t>(length));
}

} // namespace

BOOL ExtTextOutA(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                 const INT* dx) {
    LockedDc dc(handle);
    if (!dc || (length > 0 && !text) || length > 0x7FFFFFFF) {
        return FALSE;
    }
    std::shared_ptr<FontFace> face = face_of(*dc);
    if (!face) {
        return FALSE;
    }
    Painter painter(*dc);
    if (!painter.ready()) {
        return FALSE;
    }
    RECT device_rect{};
    if (rect) {
        device_rect = painter.to_device(*rect);
    }
    if ((options & ETO_OPAQUE) && rect) {
        painter.fill_colour(Region(device_rect), dc->state.bk_colour);
    }
    TextLine line{decode_utf8(text_of(text, static_cast<int>(length))), {}};
    if (line.text.empty()) {
        return TRUE;
    }
    // The codes of dx count characters of the UTF-8 text, not its bytes.
    std::vector<INT> advances;
    if (dx) {
        advances.assign(dx, dx + std::min(line.text.size(), static_cast<std::size_t>(length)));
        advances.resize(line.text.size(), 0);
    }
    const FontMetrics& m = face->metrics();
    UINT align = dc->state.text_align;
    POINT at = (align & TA_UPDATECP) ? dc->state.position : POINT{x, y};
    POINT p = dc->to_device(at.x, at.y);
    int width = 0;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        width += dx ? advances[i] : face->advance(line.text[i]);
    }
    int left = p.x;
    if ((align & TA_CENTER) == TA_CENTER) {
        left -= width / 2;
    } else if (align & TA_RIGHT) {
        left -= width;
    }
    int top = p.y;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top -= m.ascent;
    } else if (align & TA_BOTTOM) {
        top -= m.height;
    }
    // With ETO_OPAQUE the rectangle already holds the background.
    int old_mode = dc->state.bk_mode;
    if (options & ETO_OPAQUE) {
        dc->state.bk_mode = TRANSPARENT;
    }
    draw_line(painter, *face, left, top, line,
              (options & ETO_CLIPPED) && rect ? &device_rect : nullptr, 0,
              dx ? advances.data() : nullptr);
    dc->state.bk_mode = old_mode;
    if (align & TA_UPDATECP) {
        // The current position moves along the text (for left-aligned text, to its end).
        int delta = (align & TA_CENTER) == TA_CENTER ? 0 : (align & TA_RIGHT) ? -width : width;
        dc->state.position.x += delta;
    }
    return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (length < 0) {
        return FALSE;
    }
    return ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, LPSIZE size) {
    LockedDc dc(handle);
    if (!dc || !size || length < 0 || (length > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::shared_ptr<FontFace> face = face_of(*dc);
    if (!face) {
        return FALSE;
    }
    size->cx = line_width(*face, decode_utf8(text_of(text, length)));
    size->cy = face->metrics().height;
    return TRUE;
}

BOOL GetTextMetricsA(HDC handle, LPTEXTMETRICA tm) {
    LockedDc dc(handle);
    if (!dc || !tm) {
        return FALSE;
    }
    std::shared_ptr<FontFace> face = face_of(*dc);
    if (!face) {
        return FALSE;
    }
    const FontMetrics& m = face->metrics();
    const LOGFONTA& log = dc->state.font->logfont;
    *tm = TEXTMETRICA{};
    tm->tmHeight = m.height;
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmInternalLeading = m.internal_leading;
    tm->tmExternalLeading = 0;
    tm->tmAveCharWidth = m.average_width;
    tm->tmMaxCharWidth = m.max_width;
    tm->tmWeight = log.lfWeight == FW_DONTCARE ? FW_NORMAL : log.lfWeight;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = log.lfItalic ? 1 : 0;
    tm->tmUnderlined = log.lfUnderline ? 1 : 0;
    tm->tmStruckOut = log.lfStrikeOut ? 1 : 0;
    // Outline font (TMPF_VECTOR | TMPF_TRUETYPE); the low bit set means variable pitch.
    bool fixed = face->advance('i') == face->advance('W');
    tm->tmPitchAndFamily =
        static_cast<BYTE>(0x06 | (fixed ? 0 : 0x01) | (log.lfPitchAndFamily & 0xF0));
    tm->tmCharSet = log.lfCharSet;
    return TRUE;
}

int GetTextFaceA(HDC handle, int size, LPSTR out) {
    LockedDc dc(handle);
    if (!dc) {
        return 0;
    }
    const char* name = dc->state.font->logfont.lfFaceName;
    std::string family;
    if (name[0] == '\0') {
        std::shared_ptr<FontFace> face = face_of(*dc);
        family = face ? face->family() : std::string();
        name = family.c_str();
    }
    int needed = static_cast<int>(std::strlen(name)) + 1;
    if (!out) {
        return needed;
    }
    if (size <= 0) {
        return 0;
    }
    int n = std::min(size - 1, needed - 1);
    std::memcpy(out, name, static_cast<std::size_t>(n));
    out[n] = '\0';
    return n;
}
