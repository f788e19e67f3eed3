// Word-wrapped lines of a rich document, measured with the fonts of a device context.
#pragma once

#include "controls/rich_text.h"
#include "win32/gdi.h"

#include <algorithm>
#include <map>
#include <utility>

namespace lv::controls {

// The run fonts derived from the control's font (bold and size), created once each.
class RichFonts {
public:
    RichFonts() = default;
    RichFonts(const RichFonts&) = delete;
    RichFonts& operator=(const RichFonts&) = delete;
    ~RichFonts();

    void set_base(HFONT base); // null: the default GUI font
    HFONT font_for(HDC dc, bool bold, int half_points);

private:
    void clear();
    HFONT m_base = nullptr;
    std::map<std::pair<bool, int>, HFONT> m_fonts;
};

struct RichPiece {
    std::string text;
    int x = 0;
    int ascent = 0;
    HFONT font = nullptr;
    COLORREF colour = kAutoColour;
};

struct RichLine {
    int y = 0;
    int height = 0;
    int ascent = 0;
    std::vector<RichPiece> pieces;
};

// Lines for a text area `width` pixels wide; a word wider than the area stands alone on its line.
std::vector<RichLine> layout_rich_document(const RichDocument& doc, HDC dc, RichFonts& fonts,
                                           int width);

} // namespace lv::controls
