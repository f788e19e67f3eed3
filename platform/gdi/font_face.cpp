#include "gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <strings.h>
#include <tuple>

namespace lv::gdi {
namespace {

constexpr const char* kLatinFamily = "DejaVu Sans";
constexpr const char* kSerifFamily = "DejaVu Serif";
constexpr const char* kMonoFamily = "DejaVu Sans Mono";
constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";
constexpr int kDefaultCellHeight = 16;

// Face names the programs ask for, mapped to the installed families that stand in for them.
struct Alias {
    const char* name;
    const char* family;
};
const Alias kAliases[] = {
    {"MS Shell Dlg", kLatinFamily},
    {"MS Shell Dlg 2", kLatinFamily},
    {"MS Sans Serif", kLatinFamily},
    {"Microsoft Sans Serif", kLatinFamily},
    {"Tahoma", kLatinFamily},
    {"Arial", kLatinFamily},
    {"Verdana", kLatinFamily},
    {"System", kLatinFamily},
    {"Segoe UI", kLatinFamily},
    {"Helvetica", kLatinFamily},
    {"Times New Roman", kSerifFamily},
    {"Times", kSerifFamily},
    {"Georgia", kSerifFamily},
    {"Courier New", kMonoFamily},
    {"Courier", kMonoFamily},
    {"Fixedsys", kMonoFamily},
    {"Terminal", kMonoFamily},
    {"Lucida Console", kMonoFamily},
    {"MS Gothic", kCjkFamily},
    {"MS PGothic", kCjkFamily},
    {"MS UI Gothic", kCjkFamily},
    {"MS Mincho", kCjkFamily},
    {"MS PMincho", kCjkFamily},
    {"Meiryo", kCjkFamily},
    {"Gulim", kCjkFamily},
    {"GulimChe", kCjkFamily},
    {"Dotum", kCjkFamily},
    {"Batang", kCjkFamily},
    {"Malgun Gothic", kCjkFamily},
    {"SimSun", kCjkFamily},
};

struct Library {
    std::mutex mutex;
    FT_Library ft{nullptr};
    std::map<std::tuple<std::string, LONG, bool, bool, bool, bool, bool>, std::weak_ptr<FontFace>>
        faces;
    Library() {
        FT_Init_FreeType(&ft);
        FcInit();
        // fontconfig's configuration is only reachable through its own globals; hand it back
        // at exit so that leak checkers see a clean process.
        std::atexit([] { FcFini(); });
    }
};

Library& library() {
    static Library* lib = new Library; // faces may be released during static destruction
    return *lib;
}

const char* family_for(const LOGFONTA& log) {
    for (const Alias& a : kAliases) {
        if (strcasecmp(a.name, log.lfFaceName) == 0) {
            return a.family;
        }
    }
    if (log.lfFaceName[0] != '\0') {
        return log.lfFaceName;
    }
    if (log.lfCharSet == SHIFTJIS_CHARSET || log.lfCharSet == HANGUL_CHARSET ||
        log.lfCharSet == GB2312_CHARSET || log.lfCharSet == CHINESEBIG5_CHARSET) {
        return kCjkFamily;
    }
    if ((log.lfPitchAndFamily & 0x03) == FIXED_PITCH ||
        (log.lfPitchAndFamily & 0xF0) == FF_MODERN) {
        return kMonoFamily;
    }
    if ((log.lfPitchAndFamily & 0xF0) == FF_ROMAN) {
        return kSerifFamily;
    }
    return kLatinFamily;
}

// The file and face index fontconfig picks for a family, weight and slant.
bool match_file(const char* family, bool bold, bool italic, std::string& path, int& index,
                std::string& matched_family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) {
        return false;
    }
    FcChar8* file = nullptr;
    FcChar8* name = nullptr;
    int face_index = 0;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    FcPatternGetInteger(match, FC_INDEX, 0, &face_index);
    if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        matched_family = reinterpret_cast<const char*>(name);
    }
    if (ok) {
        path = reinterpret_cast<const char*>(file);
        index = face_index;
    }
    FcPatternDestroy(match);
    return ok;
}

FT_Face open_face(const std::string& path, int index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library().ft, path.c_str(), index, &face) != 0) {
        return nullptr;
    }
    return face;
}

// Sets the face's size from a LOGFONT height: negative is the em (character) height, positive
// the cell height (ascent + descent).
void set_height(FT_Face face, LONG height) {
    if (height < 0) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(-height));
        return;
    }
    LONG cell = height == 0 ? kDefaultCellHeight : height;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double units = os2 && os2->usWinAscent + os2->usWinDescent > 0
                       ? os2->usWinAscent + os2->usWinDescent
                       : static_cast<double>(face->ascender - face->descender);
    double em = cell * face->units_per_EM / (units > 0 ? units : face->units_per_EM);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(1.0, std::round(em))));
}

FontMetrics metrics_of(FT_Face face, LONG height) {
    FontMetrics m;
    double scale = face->size->metrics.y_ppem / static_cast<double>(face->units_per_EM);
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double ascent_units = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    double descent_units = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
    m.ascent = static_cast<int>(std::ceil(ascent_units * scale - 0.01));
    m.descent = static_cast<int>(std::ceil(descent_units * scale - 0.01));
    if (height > 0) {
        // The cell asked for is what the program lays out with.
        int extra = static_cast<int>(height) - (m.ascent + m.descent);
        m.ascent += extra;
    }
    m.height = m.ascent + m.descent;
    m.internal_leading = std::max(0, m.height - static_cast<int>(face->size->metrics.y_ppem));
    m.max_width = static_cast<int>(std::ceil(face->max_advance_width * scale));
    m.average_width = os2 && os2->xAvgCharWidth > 0
                          ? static_cast<int>(std::lround(os2->xAvgCharWidth * scale))
                          : m.max_width / 2;
    m.underline_position =
        std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)));
    m.underline_thickness =
        std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
    m.strikeout_position = std::max(1, static_cast<int>(std::lround(ascent_units * scale / 3.0)));
    return m;
}

} // namespace

std::u32string decode_utf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        int length = b < 0x80           ? 1
                     : (b >> 5) == 0x6  ? 2
                     : (b >> 4) == 0xE  ? 3
                     : (b >> 3) == 0x1E ? 4
                                        : 0;
        if (length == 0 || i + length > text.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t code = length == 1 ? b : b & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            auto c = static_cast<unsigned char>(text[i + k]);
            valid = valid && (c & 0xC0) == 0x80;
            code = (code << 6) | (c & 0x3F);
        }
        if (!valid) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(code);
        i += length;
    }
    return out;
}

FontFace::~FontFace() {
    std::lock_guard lock(library().mutex);
    if (m_face) {
        FT_Done_Face(static_cast<FT_Face>(m_face));
    }
    if (m_fallback) {
        FT_Done_Face(static_cast<FT_Face>(m_fallback));
    }
}

std::shared_ptr<FontFace> face_for(const LOGFONTA& log) {
    bool bold = log.lfWeight >= FW_SEMIBOLD;
    bool italic = log.lfItalic != 0;
    bool antialias = log.lfQuality != NONANTIALIASED_QUALITY && log.lfQuality != DRAFT_QUALITY;
    const char* family = family_for(log);
    Library& lib = library();
    std::lock_guard lock(lib.mutex);
    auto key = std::make_tuple(std::string(family), log.lfHeight, bold, italic, antialias,
                               log.lfUnderline != 0, log.lfStrikeOut != 0);
    if (auto existing = lib.faces[key].lock()) {
        return existing;
    }
    std::string path;
    std::string matched;
    int index = 0;
    if (!match_file(family, bold, italic, path, index, matched)) {
        return nullptr;
    }
    FT_Face face = open_face(path, index);
    if (!face) {
        return nullptr;
    }
    std::shared_ptr<FontFace> result(new FontFace);
    result->m_logfont = log;
    result->m_family = matched;
    result->m_face = face;
    result->m_antialias = antialias;
    result->m_embolden = bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    result->m_oblique = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    set_height(face, log.lfHeight);
    result->m_metrics = metrics_of(face, log.lfHeight);
    if (matched != kCjkFamily) {
        std::string cjk_path;
        std::string cjk_family;
        int cjk_index = 0;
        if (match_file(kCjkFamily, false, false, cjk_path, cjk_index, cjk_family) &&
            cjk_family == kCjkFamily) {
            if (FT_Face fallback = open_face(cjk_path, cjk_index)) {
                FT_Set_Pixel_Sizes(fallback, 0, face->size->metrics.y_ppem);
                result->m_fallback = fallback;
            }
        }
    }
    lib.faces[key] = result;
    return result;
}

Glyph FontFace::render(void* handle, char32_t code, bool& found) {
    auto face = static_cast<FT_Face>(handle);
    Glyph g;
    FT_UInt index = FT_Get_Char_Index(face, code);
    found = index != 0;
    if (!found) {
        return g;
    }
    FT_Int32 flags =
        m_antialias ? FT_LOAD_TARGET_NORMAL : (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME);
    if (FT_Load_Glyph(face, index, flags) != 0) {
        return g;
    }
    if (m_embolden) {
        FT_GlyphSlot_Embolden(face->glyph);
    }
    if (m_oblique) {
        FT_GlyphSlot_Oblique(face->glyph);
    }
    if (FT_Render_Glyph(face->glyph, m_antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) !=
        0) {
        return g;
    }
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    g.left = face->glyph->bitmap_left;
    g.top = face->glyph->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < g.width; ++x) {
            std::uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                                 ? (((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0)
                                 : row[x];
            g.coverage[static_cast<std::size_t>(y) * g.width + x] = v;
        }
    }
    return g;
}

const Glyph& FontFace::glyph(char32_t code) {
    std::lock_guard lock(m_mutex);
    auto it = m_glyphs.find(code);
    if (it != m_glyphs.end()) {
        return *it->second;
    }
    std::lock_guard ft_lock(library().mutex); // FreeType faces share one library
    bool found = false;
    Glyph g = render(m_face, code, found);
    if (!found && m_fallback) {
        g = render(m_fallback, code, found);
    }
    if (!found) {
        g = render(m_face, 0xFFFD, found);
        if (!found) {
            g = render(m_face, '?', found);
        }
    }
    auto [inserted, _] = m_glyphs.emplace(code, std::make_unique<Glyph>(std::move(g)));
    return *inserted->second;
}

} // namespace lv::gdi
