// Creating fonts and reading them back.
#include "gdi/font.h"
#include "win32/errors.h"

#include <algorithm>
#include <cstring>

using namespace lv::gdi;

int lv::gdi::get_font_object(const std::shared_ptr<Object>& object, int size, void* out) {
    if (object->kind() != Kind::font) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const LOGFONTA& log = std::static_pointer_cast<Font>(object)->logfont;
    if (!out) {
        return sizeof(LOGFONTA);
    }
    int n = std::min(size, static_cast<int>(sizeof(LOGFONTA)));
    if (n <= 0) {
        return 0;
    }
    std::memcpy(out, &log, static_cast<std::size_t>(n));
    return n;
}

HFONT CreateFontIndirectA(const LOGFONTA* log) {
    if (!log) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LOGFONTA copy = *log;
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(add_handle(std::make_shared<Font>(copy)));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = static_cast<BYTE>(italic);
    log.lfUnderline = static_cast<BYTE>(underline);
    log.lfStrikeOut = static_cast<BYTE>(strike_out);
    log.lfCharSet = static_cast<BYTE>(charset);
    log.lfOutPrecision = static_cast<BYTE>(out_precision);
    log.lfClipPrecision = static_cast<BYTE>(clip_precision);
    log.lfQuality = static_cast<BYTE>(quality);
    log.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face) {
        std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&log);
}
