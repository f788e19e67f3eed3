#include "controls/rich_text.h"

#include "win32/gdi.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lv::controls {
namespace {

constexpr std::size_t kMaxGroupDepth = 512;
constexpr std::size_t kMaxWordLength = 32;

struct GroupState {
    bool bold = false;
    int colour_index = -1;
    int half_points = 0;
    int unicode_skip = 1; // characters that stand in for each \u character
    bool skipped = false;
    bool colour_table = false;
};

void append_code_point(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 sequence at `at`, or 0 when the bytes there are not one.
std::size_t utf8_sequence_length(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = lead < 0x80                   ? 1
                         : lead >= 0xC2 && lead < 0xE0 ? 2
                         : lead >= 0xE0 && lead < 0xF0 ? 3
                         : lead >= 0xF0 && lead < 0xF5 ? 4
                                                       : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(bytes[at + i]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// Bytes that are not UTF-8 are taken as Latin-1, so that no text is dropped.
void append_bytes_as_utf8(std::string& out, std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (std::size_t length = utf8_sequence_length(bytes, at)) {
            out.append(bytes.substr(at, length));
            at += length;
            continue;
        }
        append_code_point(out, static_cast<unsigned char>(bytes[at]));
        ++at;
    }
}

// Control characters other than the tab are not text: breaks come from \par alone.
bool is_control(char32_t code) {
    return code < 0x20 && code != '\t';
}

bool is_skipped_destination(std::string_view word) {
    static constexpr std::array<std::string_view, 24> kDestinations = {"fonttbl",
                                                                       "stylesheet",
                                                                       "info",
                                                                       "pict",
                                                                       "object",
                                                                       "header",
                                                                       "footer",
                                                                       "headerl",
                                                                       "headerr",
                                                                       "headerf",
                                                                       "footerl",
                                                                       "footerr",
                                                                       "footerf",
                                                                       "filetbl",
                                                                       "listtable",
                                                                       "listoverridetable",
                                                                       "revtbl",
                                                                       "rsidtbl",
                                                                       "generator",
                                                                       "themedata",
                                                                       "colorschememapping",
                                                                       "datastore",
                                                                       "latentstyles",
                                                                       "fldinst"};
    for (auto destination : kDestinations) {
        if (word == destination)
            return true;
    }
    return false;
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : m_rtf(rtf) { m_doc.paragraphs.emplace_back(); }

    RichDocument read() {
        while (m_at < m_rtf.size() && !m_finished)
            step();
        flush_bytes();
        return std::move(m_doc);
    }

private:
    void step() {
        const char c = m_rtf[m_at++];
        switch (c) {
        case '{':
            open_group();
            return;
        case '}':
            close_group();
            return;
        case '\\':
            control();
            return;
        case '\r':
        case '\n':
            return;
        default:
            character(c);
        }
    }

    GroupState& state() { return m_groups.back(); }

    void open_group() {
        if (m_groups.size() >= kMaxGroupDepth) {
            ++m_overflow_depth;
            return;
        }
        flush_bytes();
        GroupState inner = m_groups.empty() ? GroupState{} : state();
        inner.colour_table = false;
        m_groups.push_back(inner);
    }

    void close_group() {
        if (m_overflow_depth > 0) {
            --m_overflow_depth;
            return;
        }
        flush_bytes();
        if (!m_groups.empty())
            m_groups.pop_back();
        if (m_groups.empty())
            m_finished = true;
    }

    void control() {
        if (m_at >= m_rtf.size())
            return;
        const char c = m_rtf[m_at];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            control_word();
            return;
        }
        ++m_at;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(c);
            return;
        case '\'':
            hex_byte();
            return;
        case '~':
            text_code_point(0xA0);
            return;
        case '_':
            text_code_point('-');
            return;
        case '*':
            if (!m_groups.empty())
                state().skipped = true;
            return;
        case '\r':
        case '\n':
            word("par", false, 0);
            return;
        default:
            return; // \- and the other symbols show nothing
        }
    }

    void control_word() {
        const std::size_t start = m_at;
        while (m_at < m_rtf.size() && m_at - start < kMaxWordLength &&
               std::isalpha(static_cast<unsigned char>(m_rtf[m_at])))
            ++m_at;
        const std::string_view name = m_rtf.substr(start, m_at - start);
        while (m_at < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_at])))
            ++m_at; // an overlong word is cut and its tail dropped
        bool negative = false;
        if (m_at < m_rtf.size() && m_rtf[m_at] == '-') {
            negative = true;
            ++m_at;
        }
        bool has_parameter = false;
        long parameter = 0;
        while (m_at < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_at]))) {
            has_parameter = true;
            if (parameter < 1000000)
                parameter = parameter * 10 + (m_rtf[m_at] - '0');
            ++m_at;
        }
        if (m_at < m_rtf.size() && m_rtf[m_at] == ' ')
            ++m_at;
        word(name, has_parameter, static_cast<int>(negative ? -parameter : parameter));
    }

    void word(std::string_view name, bool has_parameter, int parameter) {
        if (m_groups.empty())
            return;
        if (name != "u")
            flush_bytes(); // the text so far keeps the attributes it was written in
        if (is_skipped_destination(name)) {
            state().skipped = true;
            return;
        }
        if (name == "colortbl") {
            state().colour_table = true;
            return;
        }
        if (state().colour_table) {
            colour_component(name, parameter);
            return;
        }
        if (name == "uc") {
            state().unicode_skip = std::max(0, parameter);
            return;
        }
        if (name == "u") {
            unicode(parameter);
            return;
        }
        if (state().skipped)
            return;
        attribute_or_text(name, has_parameter, parameter);
    }

    void attribute_or_text(std::string_view name, bool has_parameter, int parameter) {
        GroupState& s = state();
        if (name == "par" || name == "line" || name == "sect" || name == "page") {
            flush_bytes();
            m_doc.paragraphs.emplace_back();
        } else if (name == "b") {
            s.bold = !has_parameter || parameter != 0;
        } else if (name == "cf") {
            s.colour_index = parameter;
        } else if (name == "fs") {
            s.half_points = parameter > 0 && parameter <= 3276 ? parameter : 0;
        } else if (name == "plain") {
            s.bold = false;
            s.colour_index = -1;
            s.half_points = 0;
        } else if (name == "tab") {
            text_code_point('\t');
        } else if (name == "emdash") {
            text_code_point(0x2014);
        } else if (name == "endash") {
            text_code_point(0x2013);
        } else if (name == "bullet") {
            text_code_point(0x2022);
        } else if (name == "lquote") {
            text_code_point(0x2018);
        } else if (name == "rquote") {
            text_code_point(0x2019);
        } else if (name == "ldblquote") {
            text_code_point(0x201C);
        } else if (name == "rdblquote") {
            text_code_point(0x201D);
        }
    }

    void colour_component(std::string_view name, int parameter) {
        const int value = std::clamp(parameter, 0, 255);
        if (name == "red")
            m_red = value;
        else if (name == "green")
            m_green = value;
        else if (name == "blue")
            m_blue = value;
        else
            return;
        m_colour_seen = true;
    }

    void end_colour_entry() {
        m_colours.push_back(m_colour_seen ? RGB(m_red, m_green, m_blue) : kAutoColour);
        m_red = m_green = m_blue = 0;
        m_colour_seen = false;
    }

    void unicode(int parameter) {
        char32_t code = static_cast<char32_t>(parameter < 0 ? parameter + 65536 : parameter);
        m_skip_pending = state().unicode_skip;
        if (state().skipped || state().colour_table)
            return;
        if (code >= 0xD800 && code < 0xDC00) {
            m_high_surrogate = code;
            return;
        }
        if (code >= 0xDC00 && code < 0xE000) {
            if (m_high_surrogate == 0)
                return;
            code = 0x10000 + ((m_high_surrogate - 0xD800) << 10) + (code - 0xDC00);
        }
        m_high_surrogate = 0;
        text_code_point(code);
    }

    bool take_skipped_stand_in() {
        if (m_skip_pending <= 0)
            return false;
        --m_skip_pending;
        return true;
    }

    void hex_byte() {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (m_at >= m_rtf.size() || !std::isxdigit(static_cast<unsigned char>(m_rtf[m_at])))
                return;
            const char h =
                static_cast<char>(std::tolower(static_cast<unsigned char>(m_rtf[m_at++])));
            value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
        }
        if (take_skipped_stand_in() || m_groups.empty() || state().skipped)
            return;
        if (is_control(static_cast<char32_t>(value)))
            return;
        m_bytes += static_cast<char>(value);
    }

    void character(char c) {
        if (m_groups.empty())
            return;
        if (state().colour_table) {
            if (c == ';')
                end_colour_entry();
            return;
        }
        if (take_skipped_stand_in() || state().skipped || is_control(static_cast<unsigned char>(c)))
            return;
        m_bytes += c;
    }

    void text_code_point(char32_t code) {
        if (m_groups.empty() || state().skipped || is_control(code))
            return;
        // Past the last code point or a lone surrogate: no character at all.
        if (code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return;
        flush_bytes();
        std::string text;
        append_code_point(text, code);
        append_text(text);
    }

    void flush_bytes() {
        if (m_bytes.empty())
            return;
        std::string text;
        append_bytes_as_utf8(text, m_bytes);
        m_bytes.clear();
        append_text(text);
    }

    COLORREF colour_of(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= m_colours.size())
            return kAutoColour;
        return m_colours[static_cast<std::size_t>(index)];
    }

    void append_text(const std::string& text) {
        if (m_groups.empty())
            return;
        const GroupState& s = state();
        const COLORREF colour = colour_of(s.colour_index);
        auto& runs = m_doc.paragraphs.back().runs;
        if (runs.empty() || runs.back().bold != s.bold || runs.back().colour != colour ||
            runs.back().half_points != s.half_points)
            runs.push_back(RichRun{{}, s.bold, colour, s.half_points});
        runs.back().text += text;
    }

    std::string_view m_rtf;
    std::size_t m_at = 0;
    bool m_finished = false;
    std::size_t m_overflow_depth = 0;
    std::vector<GroupState> m_groups;
    std::vector<COLORREF> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colour_seen = false;
    int m_skip_pending = 0;
    char32_t m_high_surrogate = 0;
    std::string m_bytes; // text bytes not yet turned into UTF-8
    RichDocument m_doc;
};

} // namespace

std::string RichDocument::plain_text() const {
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        for (const auto& run : paragraphs[i].runs)
            text += run.text;
    }
    return text;
}

RichDocument read_plain_text(std::string_view text) {
    RichDocument doc;
    doc.paragraphs.emplace_back();
    std::string line;
    auto end_line = [&] {
        if (!line.empty()) {
            std::string utf8;
            append_bytes_as_utf8(utf8, line);
            doc.paragraphs.back().runs.push_back(RichRun{std::move(utf8)});
        }
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one break, and so is CR CR LF: the soft break edit controls write.
            if (text.substr(i, 3) == "\r\r\n")
                i += 2;
            else if (text.substr(i, 2) == "\r\n")
                ++i;
            end_line();
            doc.paragraphs.emplace_back();
            continue;
        }
        line += c;
    }
    end_line();
    return doc;
}

RichDocument read_rtf(std::string_view rtf) {
    if (rtf.substr(0, 5) != "{\\rtf")
        return read_plain_text(rtf);
    return RtfReader(rtf).read();
}

} // namespace lv::controls
