// An installed font face at one pixel size, as FreeType renders it, with its glyphs cached;
// and the mapping from a LOGFONTA to the nearest installed face.
#pragma once

#include "win32/gdi.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lv::gdi {

struct Glyph {
    int advance{0}; // pixels
    int left{0};    // bitmap offset from the pen position
    int top{0};     // bitmap top above the baseline
    int width{0};
    int height{0};
    std::vector<std::uint8_t> coverage; // width x height, 0..255
};

struct FontMetrics {
    int ascent{0};
    int descent{0};
    int height{0}; // ascent + descent: the cell
    int internal_leading{0};
    int average_width{0};
    int max_width{0};
    int underline_position{0}; // below the baseline
    int underline_thickness{1};
    int strikeout_position{0}; // above the baseline
};

class FontFace {
public:
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontMetrics& metrics() const { return m_metrics; }
    const std::string& family() const { return m_family; }
    const LOGFONTA& logfont() const { return m_logfont; }
    // The glyph of a code point, from this face or, when it lacks one, the CJK fallback.
    const Glyph& glyph(char32_t code);
    int advance(char32_t code) { return glyph(code).advance; }

private:
    friend std::shared_ptr<FontFace> face_for(const LOGFONTA& log);
    FontFace() = default;
    Glyph render(void* face, char32_t code, bool& found);

    LOGFONTA m_logfont{};
    std::string m_family;
    void* m_face{nullptr};     // FT_Face
    void* m_fallback{nullptr}; // FT_Face of a CJK-capable face, or null
    bool m_embolden{false};
    bool m_oblique{false};
    bool m_antialias{true};
    FontMetrics m_metrics;
    std::mutex m_mutex;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_glyphs;
};

// The face for a font; faces are shared by every font with the same height, weight, style and
// name. Null only when no font is installed at all.
std::shared_ptr<FontFace> face_for(const LOGFONTA& log);

// Code points of UTF-8 text; malformed bytes become U+FFFD.
std::u32string decode_utf8(std::string_view text);

} // namespace lv::gdi
