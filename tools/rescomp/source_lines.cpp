#include "source_lines.h"

#include "util/le_bytes.h"
#include "util/utf16.h"

namespace rescomp {
namespace {

std::vector<Token> split(const std::string& text, const SourceLine& line) {
    // Texts go into the templates NUL-terminated: one NUL more would end a text early and shift
    // everything after it.
    if (text.find('\0') != std::string::npos)
        line.fail("a NUL character in the line");
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            ++i;
            continue;
        }
        Token token;
        if (text[i] != '"') {
            const std::size_t end = text.find_first_of(" \t\r", i);
            token.text = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i = end == std::string::npos ? text.size() : end;
            tokens.push_back(std::move(token));
            continue;
        }
        token.quoted = true;
        ++i;
        for (;;) {
            if (i >= text.size())
                line.fail("unterminated quoted text");
            const char c = text[i++];
            if (c == '"')
                break;
            if (c != '\\' || i >= text.size()) {
                token.text += c;
                continue;
            }
            const char escaped = text[i++];
            token.text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

} // namespace

void for_each_source_line(const std::string& text, const std::string& file,
                          const std::function<void(const SourceLine&)>& each) {
    std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int number = 0;
    while (start < text.size()) {
        ++number;
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string content = text.substr(start, end - start);
        start = end + 1;
        SourceLine line{file, number, {}};
        line.tokens = split(content, line);
        if (line.tokens.empty() || (!line.tokens[0].quoted && line.tokens[0].text[0] == '#'))
            continue;
        each(line);
    }
}

void put_utf16_text(lv::ByteWriter& out, const std::string& text) {
    for (char16_t unit : lv::utf8_to_utf16(text))
        out.u16(static_cast<std::uint16_t>(unit));
    out.u16(0);
}

} // namespace rescomp
