#include "controls/rich_text_layout.h"

namespace lv::controls {
namespace {

constexpr int kTabSpaces = 4;

// Words keep their trailing blanks; each wide (East Asian) character may break on its own.
std::vector<std::string> split_into_breakable_pieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::string current;
    bool after_blank = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, text.size() - i);
        const bool blank = text[i] == ' ' || text[i] == '\t';
        const bool wide = lead >= 0xE3;
        if ((after_blank && !blank) || (wide && !current.empty())) {
            pieces.push_back(std::move(current));
            current.clear();
        }
        if (text[i] == '\t')
            current.append(kTabSpaces, ' ');
        else
            current.append(text, i, length);
        after_blank = blank || wide;
        i += length;
    }
    if (!current.empty())
        pieces.push_back(std::move(current));
    return pieces;
}

int text_width(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

class LineBuilder {
public:
    LineBuilder(HDC dc, int width) : m_dc(dc), m_width(width) {}

    void add(const std::string& text, HFONT font, COLORREF colour) {
        SelectObject(m_dc, font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(m_dc, &metrics);
        const int width = text_width(m_dc, text);
        if (m_x > 0 && m_x + width > m_width)
            end_line();
        m_line.height = std::max(m_line.height, static_cast<int>(metrics.tmHeight));
        m_line.ascent = std::max(m_line.ascent, static_cast<int>(metrics.tmAscent));
        if (!m_line.pieces.empty() && m_line.pieces.back().font == font &&
            m_line.pieces.back().colour == colour) {
            m_line.pieces.back().text += text;
        } else {
            m_line.pieces.push_back(
                RichPiece{text, m_x, static_cast<int>(metrics.tmAscent), font, colour});
        }
        m_x += width;
    }

    // An empty paragraph keeps the height of the font it would be written in.
    void end_paragraph(HFONT font) {
        if (m_line.pieces.empty()) {
            SelectObject(m_dc, font);
            TEXTMETRICA metrics{};
            GetTextMetricsA(m_dc, &metrics);
            m_line.height = metrics.tmHeight;
            m_line.ascent = metrics.tmAscent;
        }
        end_line();
    }

    std::vector<RichLine> take() { return std::move(m_lines); }

private:
    void end_line() {
        m_line.y = m_y;
        m_y += m_line.height;
        m_lines.push_back(std::move(m_line));
        m_line = RichLine{};
        m_x = 0;
    }

    HDC m_dc;
    int m_width;
    int m_x = 0;
    int m_y = 0;
    RichLine m_line;
    std::vector<RichLine> m_lines;
};

} // namespace

RichFonts::~RichFonts() {
    clear();
}

void RichFonts::clear() {
    for (auto& [key, font] : m_fonts)
        DeleteObject(font);
    m_fonts.clear();
}

void RichFonts::set_base(HFONT base) {
    if (base == m_base)
        return;
    clear();
    m_base = base;
}

HFONT RichFonts::font_for(HDC dc, bool bold, int half_points) {
    const auto key = std::make_pair(bold, half_points);
    if (auto found = m_fonts.find(key); found != m_fonts.end())
        return found->second;
    HGDIOBJ base = m_base ? static_cast<HGDIOBJ>(m_base) : GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA logfont{};
    GetObjectA(base, sizeof(logfont), &logfont);
    if (bold)
        logfont.lfWeight = FW_BOLD;
    if (half_points > 0)
        logfont.lfHeight = -MulDiv(half_points, GetDeviceCaps(dc, LOGPIXELSY), 144);
    HFONT font = CreateFontIndirectA(&logfont);
    m_fonts.emplace(key, font);
    return font;
}

std::vector<RichLine> layout_rich_document(const RichDocument& doc, HDC dc, RichFonts& fonts,
                                           int width) {
    HGDIOBJ old_font = SelectObject(dc, fonts.font_for(dc, false, 0));
    LineBuilder builder(dc, width);
    for (const auto& paragraph : doc.paragraphs) {
        HFONT last_font = fonts.font_for(dc, false, 0);
        for (const auto& run : paragraph.runs) {
            last_font = fonts.font_for(dc, run.bold, run.half_points);
            for (const auto& piece : split_into_breakable_pieces(run.text))
                builder.add(piece, last_font, run.colour);
        }
        builder.end_paragraph(last_font);
    }
    SelectObject(dc, old_font);
    return builder.take();
}

} // namespace lv::controls
