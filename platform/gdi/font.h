// Fonts: a LOGFONTA and the installed face it maps to.
#pragma once

#include "gdi/handle_table.h"
#include "win32/gdi.h"

#include <memory>

namespace lv::gdi {

class FontFace;

struct Font : Object {
    static constexpr Kind kKind = Kind::font;
    explicit Font(const LOGFONTA& log) : Object(kKind), logfont(log) {}
    LOGFONTA logfont;
    std::shared_ptr<FontFace> face; // resolved on first use
};

} // namespace lv::gdi

namespace lv::gdi {
// GetObject of a font: its LOGFONTA.
int get_font_object(const std::shared_ptr<Object>& object, int size, void* out);
} // namespace lv::gdi
