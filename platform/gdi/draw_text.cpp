// DrawText: prefixes, tabs, line breaks and word wrapping, alignment, ellipses, measuring.
#include "gdi/text_render.h"
#include "win32/errors.h"

#include <cstring>

using namespace lv::gdi;

namespace {

constexpr UINT kEllipsisFlags = DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;

bool is_space(char32_t c) {
    return c == U' ' || c == U'\t';
}
// Scripts written without spaces break between any two characters.
bool breaks_anywhere(char32_t c) {
    return c >= 0x2E80;
}

// Removes `&` prefixes: "&&" is a literal ampersand, "&x" underlines x.
TextLine strip_prefixes(const std::u32string& text, bool keep, bool hide) {
    TextLine out;
    if (keep) {
        out.text = text;
        return out;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'&') {
            out.text.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size()) {
            break;
        }
        ++i;
        if (text[i] != U'&' && !hide) {
            out.underlined.push_back(out.text.size());
        }
        out.text.push_back(text[i]);
    }
    return out;
}

TextLine slice(const TextLine& line, std::size_t from, std::size_t to) {
    TextLine out;
    out.text = line.text.substr(from, to - from);
    for (std::size_t u : line.underlined) {
        if (u >= from && u < to) {
            out.underlined.push_back(u - from);
        }
    }
    return out;
}

std::vector<TextLine> split_lines(const TextLine& all, bool single_line) {
    std::vector<TextLine> lines;
    if (single_line) {
        TextLine line;
        for (std::size_t i = 0; i < all.text.size(); ++i) {
            if (all.text[i] == U'\r' || all.text[i] == U'\n') {
                continue;
            }
            for (std::size_t u : all.underlined) {
                if (u == i) {
                    line.underlined.push_back(line.text.size());
                }
            }
            line.text.push_back(all.text[i]);
        }
        lines.push_back(line);
        return lines;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= all.text.size(); ++i) {
        bool end = i == all.text.size();
        if (!end && all.text[i] != U'\n' && all.text[i] != U'\r') {
            continue;
        }
        lines.push_back(slice(all, start, i));
        if (!end && all.text[i] == U'\r' && i + 1 < all.text.size() && all.text[i + 1] == U'\n') {
            ++i;
        }
        start = i + 1;
    }
    return lines;
}

// Greedy wrapping at spaces (and between characters of scripts without spaces); a word wider
// than the line stays whole on a line of its own.
std::vector<TextLine> wrap(FontFace& face, const TextLine& para, int max_width, int tab_width) {
    std::vector<TextLine> out;
    const std::u32string& t = para.text;
    std::size_t line_start = 0;
    std::size_t i = 0;
    std::size_t last_fit_end = 0; // end of the last word that fits, spaces excluded
    bool has_word = false;
    while (i < t.size()) {
        std::size_t word_start = i;
        std::size_t word_end = i;
        if (breaks_anywhere(t[i])) {
            word_end = i + 1;
        } else {
            while (word_end < t.size() && !is_space(t[word_end]) && !breaks_anywhere(t[word_end])) {
                ++word_end;
            }
        }
        std::size_t next = word_end;
        while (next < t.size() && is_space(t[next])) {
            ++next;
        }
        int width = line_width(face, t.substr(line_start, word_end - line_start), tab_width);
        if (has_word && width > max_width) {
            out.push_back(slice(para, line_start, last_fit_end));
            line_start = word_start;
            has_word = false;
            continue;
        }
        has_word = has_word || word_end > word_start;
        last_fit_end = word_end;
        i = next == word_start ? word_start + 1 : next;
    }
    out.push_back(slice(para, line_start, has_word ? last_fit_end : t.size()));
    return out;
}

// Shortens a line that is too wide so that it ends in "..." and fits.
void add_ellipsis(FontFace& face, TextLine& line, int max_width, bool by_words, int tab_width) {
    if (line_width(face, line.text, tab_width) <= max_width) {
        return;
    }
    const std::u32string dots = U"...";
    std::u32string t = line.text;
    auto fits = [&](std::size_t n) {
        return line_width(face, t.substr(0, n) + dots, tab_width) <= max_width;
    };
    std::size_t keep = 0;
    if (by_words) {
        for (std::size_t n = t.size(); n > 0; --n) {
            if (is_space(t[n - 1]) || breaks_anywhere(t[n - 1])) {
                std::size_t end = n;
                while (end > 0 && is_space(t[end - 1])) {
                    --end;
                }
                if (fits(end)) {
                    keep = end;
                    break;
                }
            }
        }
    }
    if (keep == 0) {
        for (std::size_t n = t.size(); n > 0; --n) {
            if (fits(n)) {
                keep = n;
                break;
            }
        }
    }
    line.text = t.substr(0, keep) + dots;
    std::erase_if(line.underlined, [keep](std::size_t u) { return u >= keep; });
}

} // namespace

int DrawTextA(HDC handle, LPCSTR text, int length, LPRECT rect, UINT format) {
    LockedDc dc(handle);
    if (!dc || !rect || (!text && length != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::shared_ptr<FontFace> face = face_of(*dc);
    if (!face) {
        return 0;
    }
    std::size_t bytes = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
    std::u32string codes = decode_utf8(std::string_view(text ? text : "", bytes));
    const FontMetrics& m = face->metrics();
    int tab_width = (format & DT_EXPANDTABS) ? 8 * std::max(1, m.average_width) : 0;
    bool single = (format & DT_SINGLELINE) != 0;
    int max_width = rect->right - rect->left;

    TextLine all =
        strip_prefixes(codes, (format & DT_NOPREFIX) != 0, (format & DT_HIDEPREFIX) != 0);
    std::vector<TextLine> lines;
    for (TextLine& para : split_lines(all, single)) {
        if ((format & DT_WORDBREAK) && !single) {
            for (TextLine& l : wrap(*face, para, max_width, tab_width)) {
                lines.push_back(std::move(l));
            }
        } else {
            lines.push_back(std::move(para));
        }
    }
    if (codes.empty()) {
        lines.clear();
    }
    if ((format & kEllipsisFlags) && !(format & DT_CALCRECT)) {
        for (TextLine& l : lines) {
            add_ellipsis(*face, l, max_width, (format & DT_WORD_ELLIPSIS) != 0, tab_width);
        }
    }
    int line_height = m.height;
    int total = static_cast<int>(lines.size()) * line_height;
    int widest = 0;
    for (const TextLine& l : lines) {
        widest = std::max(widest, line_width(*face, l.text, tab_width));
    }
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }
    int top = rect->top;
    if (single && (format & DT_VCENTER)) {
        top = rect->top + (rect->bottom - rect->top - line_height) / 2;
    } else if (single && (format & DT_BOTTOM)) {
        top = rect->bottom - line_height;
    }
    Painter painter(*dc);
    if (!painter.ready()) {
        return 0;
    }
    RECT clip = painter.to_device(*rect);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int w = line_width(*face, lines[i].text, tab_width);
        int left = rect->left;
        if (format & DT_CENTER) {
            left = rect->left + (max_width - w) / 2;
        } else if (format & DT_RIGHT) {
            left = rect->right - w;
        }
        POINT p = dc->to_device(left, top + static_cast<int>(i) * line_height);
        draw_line(painter, *face, p.x, p.y, lines[i], (format & DT_NOCLIP) ? nullptr : &clip,
                  tab_width);
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) {
        return top - rect->top + total;
    }
    return total;
}
